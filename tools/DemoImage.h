#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace swatchbox::demo {

struct TColour {
    uint8_t R = 0;
    uint8_t G = 0;
    uint8_t B = 0;
    uint8_t A = 255;
};

// Straight RGBA picture, top row first, as textures store their rows.
struct TImage {
    TImage(int Width, int Height)
        : Width(Width), Height(Height), Pixels(std::size_t(Width) * Height) {}

    int Width;
    int Height;
    std::vector<TColour> Pixels;

    TColour& At(int X, int Y) { return Pixels[std::size_t(Y) * Width + X]; }
    // Coordinates outside the picture are clamped to its edge.
    const TColour& Clamped(int X, int Y) const {
        X = std::clamp(X, 0, Width - 1);
        Y = std::clamp(Y, 0, Height - 1);
        return Pixels[std::size_t(Y) * Width + X];
    }
};

// Palette indices with the palette they index.
struct TIndexedImage {
    TIndexedImage(int Width, int Height)
        : Width(Width), Height(Height), Indices(std::size_t(Width) * Height) {}

    int Width;
    int Height;
    std::vector<uint8_t> Indices;
    std::vector<TColour> Palette = std::vector<TColour>(256);

    uint8_t& At(int X, int Y) { return Indices[std::size_t(Y) * Width + X]; }
};

} // namespace swatchbox::demo
