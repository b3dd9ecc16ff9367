#include "tools/DxtEncoder.h"

#include "tools/BlockEncoding.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace swatchbox::demo {

namespace {

uint16_t To565(const TColour& C) {
    return static_cast<uint16_t>(((C.R * 31 + 127) / 255) << 11 | ((C.G * 63 + 127) / 255) << 5 |
                                 ((C.B * 31 + 127) / 255));
}

std::array<int, 3> From565(uint16_t Value) {
    const int R = (Value >> 11) & 31;
    const int G = (Value >> 5) & 63;
    const int B = Value & 31;
    return {(R << 3) | (R >> 2), (G << 2) | (G >> 4), (B << 3) | (B >> 2)};
}

void Put16(std::vector<uint8_t>& Out, uint16_t Value) {
    Out.push_back(static_cast<uint8_t>(Value));
    Out.push_back(static_cast<uint8_t>(Value >> 8));
}

TTexel<3> Rgb(const TColour& C) {
    return {float(C.R), float(C.G), float(C.B)};
}

void EncodeColourBlock(const TBlock& Block, std::vector<uint8_t>& Out) {
    std::array<TTexel<3>, 16> Texels{};
    std::transform(Block.begin(), Block.end(), Texels.begin(), Rgb);
    // Luminance as the start, so grey blocks keep their usual axis.
    const auto Axis = PrincipalAxis<3>(Texels, {0.299f, 0.587f, 0.114f});
    auto Project = [&Axis](const TColour& C) { return Dot(Rgb(C), Axis); };
    const auto [Low, High] = std::minmax_element(
        Block.begin(), Block.end(),
        [&Project](const TColour& A, const TColour& B) { return Project(A) < Project(B); });
    uint16_t C0 = To565(*High);
    uint16_t C1 = To565(*Low);
    if (C0 < C1)
        std::swap(C0, C1);

    // Four-colour mode needs C0 > C1; equal end points give one flat colour.
    const auto P0 = From565(C0);
    const auto P1 = From565(C1);
    std::array<std::array<int, 3>, 4> Palette = {P0, P1, P0, P0};
    for (int I = 0; I < 3; ++I) {
        Palette[2][I] = (2 * P0[I] + P1[I]) / 3;
        Palette[3][I] = (P0[I] + 2 * P1[I]) / 3;
    }
    uint32_t Indices = 0;
    if (C0 != C1) {
        for (int Pixel = 0; Pixel < 16; ++Pixel) {
            const TColour& C = Block[static_cast<std::size_t>(Pixel)];
            int Best = 0;
            int BestDistance = 1 << 30;
            for (int Entry = 0; Entry < 4; ++Entry) {
                const auto& P = Palette[static_cast<std::size_t>(Entry)];
                const int Distance = (C.R - P[0]) * (C.R - P[0]) + (C.G - P[1]) * (C.G - P[1]) +
                                     (C.B - P[2]) * (C.B - P[2]);
                if (Distance < BestDistance) {
                    BestDistance = Distance;
                    Best = Entry;
                }
            }
            Indices |= static_cast<uint32_t>(Best) << (2 * Pixel);
        }
    }
    Put16(Out, C0);
    Put16(Out, C1);
    for (int Shift = 0; Shift < 32; Shift += 8)
        Out.push_back(static_cast<uint8_t>(Indices >> Shift));
}

void EncodeExplicitAlpha(const TBlock& Block, std::vector<uint8_t>& Out) {
    for (int Pixel = 0; Pixel < 16; Pixel += 2) {
        const int Low = (Block[static_cast<std::size_t>(Pixel)].A * 15 + 127) / 255;
        const int High = (Block[static_cast<std::size_t>(Pixel) + 1].A * 15 + 127) / 255;
        Out.push_back(static_cast<uint8_t>(Low | High << 4));
    }
}

// The eight-value block of DXT5's alpha, which BC4 and BC5 use for any channel.
void EncodeInterpolatedChannel(const TBlock& Block, uint8_t TColour::*Channel,
                               std::vector<uint8_t>& Out) {
    int A0 = 0;
    int A1 = 255;
    for (const TColour& C : Block) {
        A0 = std::max<int>(A0, C.*Channel);
        A1 = std::min<int>(A1, C.*Channel);
    }
    std::array<int, 8> Palette = {A0, A1, 0, 0, 0, 0, 0, 0};
    for (int Entry = 2; Entry < 8; ++Entry)
        Palette[static_cast<std::size_t>(Entry)] = ((8 - Entry) * A0 + (Entry - 1) * A1) / 7;
    uint64_t Indices = 0;
    if (A0 != A1) {
        for (int Pixel = 0; Pixel < 16; ++Pixel) {
            const int Alpha = Block[static_cast<std::size_t>(Pixel)].*Channel;
            int Best = 0;
            for (int Entry = 1; Entry < 8; ++Entry)
                if (std::abs(Palette[static_cast<std::size_t>(Entry)] - Alpha) <
                    std::abs(Palette[static_cast<std::size_t>(Best)] - Alpha))
                    Best = Entry;
            Indices |= static_cast<uint64_t>(Best) << (3 * Pixel);
        }
    }
    Out.push_back(static_cast<uint8_t>(A0));
    Out.push_back(static_cast<uint8_t>(A1));
    for (int Shift = 0; Shift < 48; Shift += 8)
        Out.push_back(static_cast<uint8_t>(Indices >> Shift));
}

} // namespace

std::vector<uint8_t> EncodeDxt1(const TImage& Image) {
    return EncodeBlocks(Image, EncodeColourBlock);
}

std::vector<uint8_t> EncodeDxt3(const TImage& Image) {
    return EncodeBlocks(Image, [](const TBlock& Block, std::vector<uint8_t>& Out) {
        EncodeExplicitAlpha(Block, Out);
        EncodeColourBlock(Block, Out);
    });
}

std::vector<uint8_t> EncodeDxt5(const TImage& Image) {
    return EncodeBlocks(Image, [](const TBlock& Block, std::vector<uint8_t>& Out) {
        EncodeInterpolatedChannel(Block, &TColour::A, Out);
        EncodeColourBlock(Block, Out);
    });
}

std::vector<uint8_t> EncodeBc4(const TImage& Image) {
    return EncodeBlocks(Image, [](const TBlock& Block, std::vector<uint8_t>& Out) {
        EncodeInterpolatedChannel(Block, &TColour::R, Out);
    });
}

std::vector<uint8_t> EncodeBc5(const TImage& Image) {
    return EncodeBlocks(Image, [](const TBlock& Block, std::vector<uint8_t>& Out) {
        EncodeInterpolatedChannel(Block, &TColour::R, Out);
        EncodeInterpolatedChannel(Block, &TColour::G, Out);
    });
}

} // namespace swatchbox::demo
