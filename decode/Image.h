#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace swatchbox {

// Straight 8-bit red, green, blue, alpha pixels, rows back to back from the
// texture's first stored row (the top of the picture) on.
struct TRgbaImage {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint8_t> Pixels;

    TRgbaImage() = default;
    // Every pixel transparent black.
    TRgbaImage(int32_t Width, int32_t Height)
        : Width(Width), Height(Height), Pixels(std::size_t(Width) * std::size_t(Height) * 4) {}

    uint8_t* Pixel(int32_t X, int32_t Y) {
        return Pixels.data() + (std::size_t(Y) * std::size_t(Width) + std::size_t(X)) * 4;
    }
    const uint8_t* Pixel(int32_t X, int32_t Y) const {
        return Pixels.data() + (std::size_t(Y) * std::size_t(Width) + std::size_t(X)) * 4;
    }
    const uint8_t* Row(int32_t Y) const { return Pixel(0, Y); }
};

// 16-bit grey values as a G16 texture stores them, first stored row first.
struct TGrey16Image {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint16_t> Values;
};

} // namespace swatchbox
