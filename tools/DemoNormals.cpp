#include "tools/DemoNoise.h"
#include "tools/DemoTextures.h"

#include <algorithm>
#include <cmath>

namespace swatchbox::demo {

namespace {

// Rounded bricks in sunken mortar with a rough face, in [0, 1]; tiles when
// the sides are multiples of 32 and 16.
float BrickHeight(int X, int Y) {
    constexpr int BrickWidth = 32;
    constexpr int BrickHeight = 16;
    const int Row = Y / BrickHeight;
    const int Shifted = X + (Row % 2) * BrickWidth / 2;
    const float InX = float(Shifted % BrickWidth) + 0.5f;
    const float InY = float(Y % BrickHeight) + 0.5f;
    const float Edge = std::min({InX, BrickWidth - InX, InY, BrickHeight - InY});
    const float Bevel = SmoothStep(1.0f, 4.0f, Edge);
    const float Rough = Fractal(X / 16.0f, Y / 16.0f, 8, 3, 211);
    return Bevel * (0.8f + 0.2f * Rough);
}

} // namespace

TImage PaintBrickNormals(int Width, int Height) {
    TImage Image(Width, Height);
    auto HeightAt = [Width, Height](int X, int Y) {
        return BrickHeight((X + Width) % Width, (Y + Height) % Height);
    };
    constexpr float Depth = 3.0f; // steepness of the slopes in the normals
    auto Byte = [](float Value) { return static_cast<uint8_t>(std::lround((Value + 1) * 127.5f)); };
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X) {
            const float Dx = (HeightAt(X + 1, Y) - HeightAt(X - 1, Y)) * Depth;
            const float Dy = (HeightAt(X, Y + 1) - HeightAt(X, Y - 1)) * Depth;
            const float Length = std::sqrt(Dx * Dx + Dy * Dy + 1);
            Image.At(X, Y) = {Byte(-Dx / Length), Byte(-Dy / Length), Byte(1 / Length), 255};
        }
    return Image;
}

} // namespace swatchbox::demo
