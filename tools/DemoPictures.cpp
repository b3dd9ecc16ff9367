#include "tools/DemoNoise.h"
#include "tools/DemoTextures.h"

#include "sheet/BitmapFont.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace swatchbox::demo {

namespace {

constexpr float Pi = 3.14159265f;

uint8_t Byte(float Value) {
    return static_cast<uint8_t>(std::lround(Clamp01(Value) * 255.0f));
}

TColour Hue(float Turn) {
    auto Channel = [Turn](float Offset) {
        return Byte(0.5f + 0.5f * std::cos(2.0f * Pi * (Turn - Offset)));
    };
    return {Channel(0.0f), Channel(1.0f / 3.0f), Channel(2.0f / 3.0f)};
}

// Draws Text with its top-left corner at (X, Y), each font pixel Scale x Scale,
// with a one-pixel shadow below and to the right.
void DrawText(TIndexedImage& Image, int X, int Y, std::string_view Text, int Scale, uint8_t Ink,
              uint8_t Shadow) {
    for (int Pass = 0; Pass < 2; ++Pass) {
        const int Offset = Pass == 0 ? 1 : 0;
        ForEachTextPixel(Text, Scale, [&](int Gx, int Gy) {
            const int Px = X + Gx + Offset;
            const int Py = Y + Gy + Offset;
            if (Px >= 0 && Py >= 0 && Px < Image.Width && Py < Image.Height)
                Image.At(Px, Py) = Pass == 0 ? Shadow : Ink;
        });
    }
}

} // namespace

TImage PaintSkyClouds() {
    TImage Image(256, 128);
    for (int Y = 0; Y < 128; ++Y)
        for (int X = 0; X < 256; ++X) {
            const TColour Sky = Mix({36, 84, 186}, {176, 210, 244}, Y / 127.0f);
            const float Cloud = Fractal(X / 64.0f, Y / 32.0f, 4, 5, 101);
            const float Cover = SmoothStep(0.48f, 0.72f, Cloud);
            const TColour Puff =
                Mix({250, 250, 252}, {170, 176, 190}, SmoothStep(0.6f, 0.9f, Cloud));
            Image.At(X, Y) = Mix(Sky, Puff, Cover);
        }
    return Image;
}

TIndexedImage PaintNightSky() {
    TIndexedImage Image(128, 128);
    Image.Palette =
        Ramp({{0, {2, 3, 14}}, {90, {22, 34, 86}}, {91, {110, 110, 140}}, {255, {255, 252, 230}}});
    for (int Y = 0; Y < 128; ++Y)
        for (int X = 0; X < 128; ++X) {
            const float Glow = Y / 127.0f * 0.8f + 0.2f * Fractal(X / 32.0f, Y / 32.0f, 4, 3, 111);
            uint8_t Index = static_cast<uint8_t>(std::lround(Clamp01(Glow) * 90.0f));
            const float Star = Random01(X, Y, 113);
            if (Star > 0.992f)
                Index = static_cast<uint8_t>(91 + std::lround((Star - 0.992f) / 0.008f * 164.0f));
            Image.At(X, Y) = Index;
        }
    return Image;
}

TImage PaintBlueGlass() {
    TImage Image(128, 128);
    for (int Y = 0; Y < 128; ++Y)
        for (int X = 0; X < 128; ++X) {
            const float Ripple = Fractal(X / 32.0f, Y / 32.0f, 4, 4, 121);
            const float Streak =
                SmoothStep(0.8f, 1.0f, 1.0f - std::fabs(float(X - Y) + 20.0f) / 24.0f);
            TColour Colour = Mix({40, 120, 200}, {150, 220, 250}, Ripple);
            Colour = Mix(Colour, {255, 255, 255}, Streak);
            Colour.A = Byte(0.3f + 0.35f * Ripple + 0.35f * Streak);
            Image.At(X, Y) = Colour;
        }
    return Image;
}

TImage PaintWindowPane() {
    TImage Image(128, 128);
    for (int Y = 0; Y < 128; ++Y)
        for (int X = 0; X < 128; ++X) {
            const bool Frame = X < 8 || Y < 8 || X >= 120 || Y >= 120 || std::abs(X - 64) < 3 ||
                               std::abs(Y - 64) < 3;
            if (Frame) {
                const float Grain = ValueNoise(X / 2.0f, Y / 2.0f, 64, 131);
                Image.At(X, Y) = Mix({70, 44, 26}, {120, 80, 48}, Grain);
                continue;
            }
            const bool Glint = (X + Y) % 48 < 6;
            Image.At(X, Y) = Glint ? TColour{240, 248, 255, 170} : TColour{170, 210, 230, 60};
        }
    return Image;
}

TImage PaintBubbles() {
    TImage Image(64, 64);
    for (TColour& Pixel : Image.Pixels)
        Pixel = {180, 220, 255, 0};
    for (int Bubble = 0; Bubble < 9; ++Bubble) {
        const float Cx = 6.0f + 52.0f * Random01(Bubble, 0, 141);
        const float Cy = 6.0f + 52.0f * Random01(Bubble, 1, 141);
        const float Radius = 3.0f + 9.0f * Random01(Bubble, 2, 141);
        for (int Y = 0; Y < 64; ++Y)
            for (int X = 0; X < 64; ++X) {
                const float Distance = std::hypot(X - Cx, Y - Cy) / Radius;
                if (Distance > 1.0f)
                    continue;
                TColour& Pixel = Image.At(X, Y);
                const float Rim = SmoothStep(0.75f, 0.95f, Distance);
                const bool Spark =
                    std::hypot(X - (Cx - Radius * 0.4f), Y - (Cy - Radius * 0.4f)) < Radius * 0.18f;
                const uint8_t Alpha = std::max(Pixel.A, Byte(Spark ? 0.95f : 0.15f + 0.65f * Rim));
                Pixel = Mix({160, 210, 255}, {235, 250, 255}, Spark ? 1.0f : Rim);
                Pixel.A = Alpha;
            }
    }
    return Image;
}

TImage PaintRainbow() {
    TImage Image(64, 64);
    for (int Y = 0; Y < 64; ++Y)
        for (int X = 0; X < 64; ++X) {
            const float Dx = X - 31.5f;
            const float Dy = Y - 31.5f;
            TColour Colour = Hue(std::atan2(Dy, Dx) / (2.0f * Pi) + 0.5f);
            Colour.A = Byte(1.0f - SmoothStep(20.0f, 32.0f, std::hypot(Dx, Dy)));
            Image.At(X, Y) = Colour;
        }
    return Image;
}

TIndexedImage PaintFontSheet() {
    TIndexedImage Image(256, 128);
    Image.Palette = Ramp({{0, {255, 0, 255}}, {1, {20, 20, 30}}, {255, {255, 255, 255}}});
    Image.Palette[0].A = 0;
    for (int Code = 32; Code < 127; ++Code) {
        const int Cell = Code - 32;
        const char Text[2] = {static_cast<char>(Code), 0};
        DrawText(Image, (Cell % 16) * 16 + 3, (Cell / 16) * 16 + 1, Text, 2, 255, 1);
    }
    DrawText(Image, 5, 100, "SWATCHBOX DEMO FONT", 2, 230, 1);
    return Image;
}

TIndexedImage PaintChecker() {
    TIndexedImage Image(64, 64);
    Image.Palette = Ramp({{0, {36, 38, 48}}, {255, {226, 224, 212}}});
    for (int Y = 0; Y < 64; ++Y)
        for (int X = 0; X < 64; ++X)
            Image.At(X, Y) = ((X / 8 + Y / 8) % 2) ? 255 : 0;
    return Image;
}

TImage PaintNoise() {
    TImage Image(128, 64);
    for (int Y = 0; Y < 64; ++Y)
        for (int X = 0; X < 128; ++X)
            Image.At(X, Y) = {Byte(Fractal(X / 16.0f, Y / 16.0f, 8, 4, 151)),
                              Byte(Fractal(X / 16.0f, Y / 16.0f, 8, 4, 152)),
                              Byte(Fractal(X / 16.0f, Y / 16.0f, 8, 4, 153))};
    return Image;
}

TIndexedImage PaintSinglePixel() {
    TIndexedImage Image(1, 1);
    Image.Palette = Ramp({{0, {255, 140, 0}}, {255, {255, 255, 255}}});
    Image.At(0, 0) = 0;
    return Image;
}

TIndexedImage PaintFourPixels() {
    TIndexedImage Image(2, 2);
    Image.Palette = Ramp({{0, {0, 0, 0}}, {255, {255, 255, 255}}});
    Image.Palette[1] = {220, 40, 40};
    Image.Palette[2] = {40, 200, 60};
    Image.Palette[3] = {50, 80, 230};
    Image.Palette[4] = {240, 220, 40};
    Image.Indices = {1, 2, 3, 4};
    return Image;
}

TImage PaintGradient(int Width, int Height, uint32_t Seed) {
    TImage Image(Width, Height);
    const TColour From = Hue(Random01(0, 0, Seed));
    const TColour To = Hue(Random01(1, 0, Seed));
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X)
            Image.At(X, Y) = Mix(From, To, float(X + Y) / float(Width + Height - 2));
    return Image;
}

} // namespace swatchbox::demo
