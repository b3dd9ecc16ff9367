#include "tools/BlockEncoding.h"
#include "tools/DxtEncoder.h"

#include <algorithm>
#include <cmath>

namespace swatchbox::demo {

namespace {

constexpr std::array<int, 16> Weights = {0,  4,  9,  13, 17, 21, 26, 30,
                                         34, 38, 43, 47, 51, 55, 60, 64};

TTexel<4> Rgba(const TColour& C) {
    return {float(C.R), float(C.G), float(C.B), float(C.A)};
}

// The 128 bits of a block, filled from bit 0 up.
class TBlockBits {
public:
    void Put(uint32_t Value, int Count) {
        for (int Bit = 0; Bit < Count; ++Bit, ++Position)
            if (Value >> Bit & 1)
                Bytes[std::size_t(Position / 8)] |= static_cast<uint8_t>(1 << (Position % 8));
    }
    std::array<uint8_t, 16> Bytes{};

private:
    int Position = 0;
};

// An end point: seven bits a channel and the shared lowest bit (the P-bit),
// chosen for the smaller rounding error.
struct TEndPoint {
    std::array<int, 4> High{};
    int PBit = 0;
    int Channel(std::size_t I) const { return High[I] << 1 | PBit; }
};

TEndPoint Quantise(const TTexel<4>& Colour) {
    TEndPoint Best;
    float BestError = 1e30f;
    for (int PBit = 0; PBit < 2; ++PBit) {
        TEndPoint Point{{}, PBit};
        float Error = 0;
        for (std::size_t I = 0; I < 4; ++I) {
            Point.High[I] = std::clamp(int(std::lround((Colour[I] - PBit) / 2)), 0, 127);
            const float Difference = float(Point.Channel(I)) - Colour[I];
            Error += Difference * Difference;
        }
        if (Error < BestError) {
            BestError = Error;
            Best = Point;
        }
    }
    return Best;
}

void EncodeMode6Block(const TBlock& Block, std::vector<uint8_t>& Out) {
    std::array<TTexel<4>, 16> Texels{};
    std::transform(Block.begin(), Block.end(), Texels.begin(), Rgba);
    const auto Axis = PrincipalAxis<4>(Texels, {0.5f, 0.5f, 0.5f, 0.5f});
    const auto [Low, High] = std::minmax_element(
        Texels.begin(), Texels.end(),
        [&Axis](const TTexel<4>& A, const TTexel<4>& B) { return Dot(A, Axis) < Dot(B, Axis); });
    std::array<TEndPoint, 2> Ends = {Quantise(*Low), Quantise(*High)};

    std::array<std::array<int, 4>, 16> Palette{};
    for (std::size_t Entry = 0; Entry < 16; ++Entry)
        for (std::size_t I = 0; I < 4; ++I)
            Palette[Entry][I] = ((64 - Weights[Entry]) * Ends[0].Channel(I) +
                                 Weights[Entry] * Ends[1].Channel(I) + 32) >>
                                6;
    std::array<int, 16> Indices{};
    for (std::size_t Pixel = 0; Pixel < 16; ++Pixel) {
        int BestDistance = 1 << 30;
        for (std::size_t Entry = 0; Entry < 16; ++Entry) {
            int Distance = 0;
            for (std::size_t I = 0; I < 4; ++I) {
                const int Difference = Palette[Entry][I] - int(Texels[Pixel][I]);
                Distance += Difference * Difference;
            }
            if (Distance < BestDistance) {
                BestDistance = Distance;
                Indices[Pixel] = int(Entry);
            }
        }
    }
    // The first pixel's index keeps only three bits: its top bit must be 0.
    if (Indices[0] >= 8) {
        std::swap(Ends[0], Ends[1]);
        for (int& Index : Indices)
            Index = 15 - Index;
    }

    TBlockBits Bits;
    Bits.Put(1 << 6, 7); // mode 6
    for (std::size_t I = 0; I < 4; ++I)
        for (const TEndPoint& End : Ends)
            Bits.Put(uint32_t(End.High[I]), 7);
    for (const TEndPoint& End : Ends)
        Bits.Put(uint32_t(End.PBit), 1);
    for (std::size_t Pixel = 0; Pixel < 16; ++Pixel)
        Bits.Put(uint32_t(Indices[Pixel]), Pixel == 0 ? 3 : 4);
    Out.insert(Out.end(), Bits.Bytes.begin(), Bits.Bytes.end());
}

} // namespace

std::vector<uint8_t> EncodeBc7(const TImage& Image) {
    return EncodeBlocks(Image, EncodeMode6Block);
}

} // namespace swatchbox::demo
