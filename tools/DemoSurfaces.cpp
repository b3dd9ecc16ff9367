#include "tools/DemoNoise.h"
#include "tools/DemoTextures.h"

#include <algorithm>
#include <cmath>

namespace swatchbox::demo {

namespace {

uint8_t ToIndex(float Value, int First, int Last) {
    return static_cast<uint8_t>(First + std::lround(Clamp01(Value) * float(Last - First)));
}

} // namespace

TIndexedImage PaintBricks() {
    TIndexedImage Image(256, 256);
    Image.Palette = Ramp({{0, {58, 56, 52}},
                          {63, {178, 172, 160}},
                          {64, {70, 24, 16}},
                          {170, {156, 58, 38}},
                          {255, {222, 136, 96}}});
    for (int Y = 0; Y < 256; ++Y)
        for (int X = 0; X < 256; ++X) {
            const int Row = Y / 32;
            const int Shifted = X + (Row % 2) * 32;
            const int Bx = Shifted % 64;
            const int By = Y % 32;
            const float Grain = Fractal(X / 16.0f, Y / 16.0f, 16, 4, 11);
            if (Bx < 4 || By < 4) {
                Image.At(X, Y) = ToIndex(Grain * 0.9f + 0.1f * (By < 4 ? By : Bx) / 4.0f, 0, 63);
                continue;
            }
            const float Tint = Random01((Shifted / 64) % 4, Row, 3);
            float Shade = 0.25f + 0.3f * Tint + 0.45f * Grain;
            if (Bx < 6 || By < 6)
                Shade += 0.15f; // light catches the upper and left edges
            if (Bx > 61 || By > 29)
                Shade -= 0.2f;
            Image.At(X, Y) = ToIndex(Shade, 64, 255);
        }
    return Image;
}

TImage PaintTiles() {
    TImage Image(256, 256);
    const TColour Glazes[] = {{34, 86, 160}, {236, 236, 228}, {52, 130, 170}, {226, 218, 196}};
    for (int Y = 0; Y < 256; ++Y)
        for (int X = 0; X < 256; ++X) {
            const int Tx = X % 64;
            const int Ty = Y % 64;
            const float Dirt = Fractal(X / 32.0f, Y / 32.0f, 8, 4, 21);
            if (Tx < 3 || Ty < 3) {
                Image.At(X, Y) = Scale({120, 116, 106}, 0.7f + 0.5f * Dirt);
                continue;
            }
            const int Tile = ((X / 64) + (Y / 64)) % 2 + 2 * (Random01(X / 64, Y / 64, 5) > 0.7f);
            TColour Colour = Glazes[Tile];
            const float Gloss = 1.0f - std::hypot(Tx - 22.0f, Ty - 22.0f) / 60.0f;
            Colour = Mix(Colour, {255, 255, 255}, 0.35f * SmoothStep(0.5f, 1.0f, Gloss));
            if (Tx < 6 || Ty < 6)
                Colour = Scale(Colour, 1.12f);
            if (Tx > 60 || Ty > 60)
                Colour = Scale(Colour, 0.8f);
            Image.At(X, Y) = Scale(Colour, 0.92f + 0.12f * Dirt);
        }
    return Image;
}

TImage PaintWoodPlanks() {
    TImage Image(128, 64);
    const TColour Light{196, 146, 92};
    const TColour Dark{112, 70, 38};
    for (int Y = 0; Y < 64; ++Y)
        for (int X = 0; X < 128; ++X) {
            const int Plank = Y / 16;
            const float Local = float(Y % 16);
            const float Warp = Fractal(X / 32.0f, Y / 8.0f, 4, 3, 31 + uint32_t(Plank));
            const float Rings = 0.5f + 0.5f * std::sin((Local + Warp * 10.0f + X * 0.05f) * 1.3f);
            TColour Colour = Mix(Dark, Light, 0.35f + 0.55f * Rings);
            Colour = Scale(Colour, 0.85f + 0.3f * Random01(Plank, 0, 9));
            const int Joint = (Plank * 37) % 128;
            if (Y % 16 == 15 || X == Joint)
                Colour = Scale(Colour, 0.45f);
            Image.At(X, Y) = Colour;
        }
    return Image;
}

TImage PaintMetalPlate() {
    TImage Image(128, 128);
    const int Rivets[4][2] = {{12, 12}, {115, 12}, {12, 115}, {115, 115}};
    for (int Y = 0; Y < 128; ++Y)
        for (int X = 0; X < 128; ++X) {
            const float Brush = ValueNoise(X / 24.0f, Y * 1.0f, 128, 41) * 0.6f +
                                Fractal(X / 32.0f, Y / 32.0f, 4, 3, 43) * 0.4f;
            float Light = 0.5f + 0.3f * Brush;
            if (X < 4 || Y < 4)
                Light += 0.25f;
            if (X > 123 || Y > 123)
                Light -= 0.25f;
            for (const auto& Rivet : Rivets) {
                const float Dx = float(X - Rivet[0]);
                const float Dy = float(Y - Rivet[1]);
                const float Distance = std::hypot(Dx, Dy);
                if (Distance < 5.0f)
                    Light = 0.55f - 0.06f * (Dx + Dy); // a dome lit from the upper left
                else if (Distance < 6.5f)
                    Light -= 0.2f;
            }
            const auto Grey = static_cast<uint8_t>(std::lround(Clamp01(Light) * 230.0f + 10.0f));
            Image.At(X, Y) = {Grey, Grey, static_cast<uint8_t>(std::min(255, Grey + 12))};
        }
    return Image;
}

TImage PaintGrass() {
    TImage Image(128, 128);
    for (int Y = 0; Y < 128; ++Y)
        for (int X = 0; X < 128; ++X) {
            const float Patches = Fractal(X / 32.0f, Y / 32.0f, 4, 4, 51);
            const float Blades = ValueNoise(X / 1.5f, Y / 9.0f, 85, 53);
            TColour Colour = Mix({34, 66, 18}, {112, 164, 54}, 0.3f * Patches + 0.7f * Blades);
            if (Random01(X, Y, 57) > 0.985f)
                Colour = {200, 196, 90}; // a few dry tips
            Image.At(X, Y) = Colour;
        }
    return Image;
}

TIndexedImage PaintSand() {
    TIndexedImage Image(64, 64);
    Image.Palette = Ramp({{0, {120, 92, 52}}, {128, {196, 164, 108}}, {255, {244, 224, 170}}});
    for (int Y = 0; Y < 64; ++Y)
        for (int X = 0; X < 64; ++X) {
            const float Warp = Fractal(X / 16.0f, Y / 16.0f, 4, 3, 61);
            const float Ripple = 0.5f + 0.5f * std::sin((Y + Warp * 8.0f) * 0.785398f);
            const float Grain = Random01(X, Y, 63);
            Image.At(X, Y) = ToIndex(0.55f * Ripple + 0.25f * Grain + 0.2f * Warp, 0, 255);
        }
    return Image;
}

TIndexedImage PaintLava() {
    TIndexedImage Image(128, 128);
    Image.Palette = Ramp({{0, {12, 4, 2}},
                          {90, {110, 16, 4}},
                          {170, {230, 90, 10}},
                          {230, {255, 210, 60}},
                          {255, {255, 255, 220}}});
    for (int Y = 0; Y < 128; ++Y)
        for (int X = 0; X < 128; ++X) {
            const float Flow = Fractal(X / 32.0f, Y / 32.0f, 4, 5, 71);
            const float Crack = 1.0f - std::fabs(Flow - 0.5f) * 6.0f;
            const float Heat =
                0.35f * Fractal(X / 16.0f, Y / 16.0f, 8, 3, 73) + 0.65f * Clamp01(Crack);
            Image.At(X, Y) = ToIndex(Heat, 0, 255);
        }
    return Image;
}

TImage PaintMarble() {
    TImage Image(64, 64);
    for (int Y = 0; Y < 64; ++Y)
        for (int X = 0; X < 64; ++X) {
            const float Turbulence = Fractal(X / 16.0f, Y / 16.0f, 4, 5, 81);
            const float Vein = std::fabs(std::sin((X + Y) * 0.098f + Turbulence * 7.0f));
            Image.At(X, Y) = Mix({88, 104, 96}, {236, 234, 226}, std::pow(Vein, 0.35f));
        }
    return Image;
}

std::vector<float> PaintHeightMap(int Width, int Height) {
    std::vector<float> Heights(std::size_t(Width) * Height);
    float Low = 1;
    float High = 0;
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X) {
            const float Base = Fractal(X / 64.0f, Y / 64.0f, Width / 64, 6, 91);
            const float Ridge =
                1.0f - std::fabs(2.0f * Fractal(X / 32.0f, Y / 32.0f, Width / 32, 4, 93) - 1.0f);
            const float Value = 0.65f * Base + 0.35f * Ridge * Ridge;
            Heights[std::size_t(Y) * Width + X] = Value;
            Low = std::min(Low, Value);
            High = std::max(High, Value);
        }
    for (float& Value : Heights)
        Value = (Value - Low) / std::max(High - Low, 1e-6f);
    return Heights;
}

} // namespace swatchbox::demo
