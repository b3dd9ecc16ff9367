#include "tools/DemoNoise.h"

#include <algorithm>
#include <cmath>

namespace swatchbox::demo {

uint32_t Hash(int32_t X, int32_t Y, uint32_t Seed) {
    uint32_t H = static_cast<uint32_t>(X) * 0x8DA6B343u ^ static_cast<uint32_t>(Y) * 0xD8163841u ^
                 Seed * 0xCB1AB31Fu;
    H ^= H >> 15;
    H *= 0x2C1B3C6Du;
    H ^= H >> 12;
    H *= 0x297A2D39u;
    H ^= H >> 15;
    return H;
}

float Random01(int32_t X, int32_t Y, uint32_t Seed) {
    return static_cast<float>(Hash(X, Y, Seed) >> 8) / 16777216.0f;
}

namespace {

int Wrap(int Value, int Period) {
    return ((Value % Period) + Period) % Period;
}

float Fade(float T) {
    return T * T * (3.0f - 2.0f * T);
}

} // namespace

float ValueNoise(float X, float Y, int Period, uint32_t Seed) {
    const float FloorX = std::floor(X);
    const float FloorY = std::floor(Y);
    const int X0 = static_cast<int>(FloorX);
    const int Y0 = static_cast<int>(FloorY);
    const float Tx = Fade(X - FloorX);
    const float Ty = Fade(Y - FloorY);
    auto Corner = [&](int Dx, int Dy) {
        return Random01(Wrap(X0 + Dx, Period), Wrap(Y0 + Dy, Period), Seed);
    };
    const float Top = Corner(0, 0) + (Corner(1, 0) - Corner(0, 0)) * Tx;
    const float Bottom = Corner(0, 1) + (Corner(1, 1) - Corner(0, 1)) * Tx;
    return Top + (Bottom - Top) * Ty;
}

float Fractal(float X, float Y, int Period, int Octaves, uint32_t Seed) {
    float Sum = 0;
    float Weight = 0.5f;
    float Total = 0;
    for (int Octave = 0; Octave < Octaves; ++Octave) {
        Sum += ValueNoise(X, Y, Period, Seed + static_cast<uint32_t>(Octave) * 7919u) * Weight;
        Total += Weight;
        X *= 2;
        Y *= 2;
        Period *= 2;
        Weight *= 0.5f;
    }
    return Sum / Total;
}

float Clamp01(float Value) {
    return std::clamp(Value, 0.0f, 1.0f);
}

float SmoothStep(float Edge0, float Edge1, float Value) {
    return Fade(Clamp01((Value - Edge0) / (Edge1 - Edge0)));
}

TColour Mix(TColour From, TColour To, float Amount) {
    Amount = Clamp01(Amount);
    auto Channel = [Amount](uint8_t A, uint8_t B) {
        return static_cast<uint8_t>(std::lround(A + (B - A) * Amount));
    };
    return {Channel(From.R, To.R), Channel(From.G, To.G), Channel(From.B, To.B),
            Channel(From.A, To.A)};
}

TColour Scale(TColour Colour, float Factor) {
    auto Channel = [Factor](uint8_t Value) {
        return static_cast<uint8_t>(std::clamp(std::lround(Value * Factor), 0L, 255L));
    };
    return {Channel(Colour.R), Channel(Colour.G), Channel(Colour.B), Colour.A};
}

std::vector<TColour> Ramp(std::initializer_list<std::pair<int, TColour>> Stops) {
    std::vector<TColour> Palette(256);
    const auto* Stop = Stops.begin();
    for (int Index = 0; Index < 256; ++Index) {
        while (Stop + 1 != Stops.end() && (Stop + 1)->first < Index)
            ++Stop;
        const auto* Next = Stop + 1 == Stops.end() ? Stop : Stop + 1;
        const int Span = std::max(Next->first - Stop->first, 1);
        Palette[static_cast<std::size_t>(Index)] =
            Mix(Stop->second, Next->second, float(Index - Stop->first) / float(Span));
    }
    return Palette;
}

} // namespace swatchbox::demo
