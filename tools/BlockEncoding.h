#pragma once

#include "tools/DemoImage.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace swatchbox::demo {

using TBlock = std::array<TColour, 16>;

// Encodes the picture's 4x4 blocks left to right, top to bottom, each with
// EncodeBlock(Block, Out); blocks past an edge repeat the edge's pixels.
template <typename TEncodeBlock>
std::vector<uint8_t> EncodeBlocks(const TImage& Image, TEncodeBlock EncodeBlock) {
    std::vector<uint8_t> Out;
    for (int Y = 0; Y < Image.Height; Y += 4)
        for (int X = 0; X < Image.Width; X += 4) {
            TBlock Block;
            for (int Pixel = 0; Pixel < 16; ++Pixel)
                Block[static_cast<std::size_t>(Pixel)] =
                    Image.Clamped(X + Pixel % 4, Y + Pixel / 4);
            EncodeBlock(Block, Out);
        }
    return Out;
}

template <std::size_t Channels>
using TTexel = std::array<float, Channels>;

// Principal axis (unit length) of a 4x4 block's texels by power iteration:
// the direction block encoders place their two end points along.
template <std::size_t Channels>
TTexel<Channels> PrincipalAxis(const std::array<TTexel<Channels>, 16>& Block,
                               TTexel<Channels> Axis) {
    TTexel<Channels> Mean{};
    for (const auto& Texel : Block)
        for (std::size_t I = 0; I < Channels; ++I)
            Mean[I] += Texel[I];
    for (float& M : Mean)
        M /= 16.0f;
    std::array<TTexel<Channels>, Channels> Cov{};
    for (const auto& Texel : Block)
        for (std::size_t I = 0; I < Channels; ++I)
            for (std::size_t J = 0; J < Channels; ++J)
                Cov[I][J] += (Texel[I] - Mean[I]) * (Texel[J] - Mean[J]);
    for (int Step = 0; Step < 8; ++Step) {
        TTexel<Channels> Next{};
        float Length = 0;
        for (std::size_t I = 0; I < Channels; ++I) {
            for (std::size_t J = 0; J < Channels; ++J)
                Next[I] += Cov[I][J] * Axis[J];
            Length += Next[I] * Next[I];
        }
        Length = std::sqrt(Length);
        if (Length < 1e-6f)
            break;
        for (std::size_t I = 0; I < Channels; ++I)
            Axis[I] = Next[I] / Length;
    }
    return Axis;
}

template <std::size_t Channels>
float Dot(const TTexel<Channels>& A, const TTexel<Channels>& B) {
    float Sum = 0;
    for (std::size_t I = 0; I < Channels; ++I)
        Sum += A[I] * B[I];
    return Sum;
}

} // namespace swatchbox::demo
