#include "decode/Bc4Blocks.h"

#include "package/ByteOrder.h"

#include <algorithm>

namespace swatchbox {

namespace {

// Eight values between the end points, or six and the two extremes.
std::array<int, 8> Palette(int E0, int E1, int Low, int High) {
    std::array<int, 8> Values{E0, E1, 0, 0, 0, 0, Low, High};
    if (E0 > E1) {
        for (int Code = 2; Code < 8; ++Code)
            Values[static_cast<std::size_t>(Code)] = ((8 - Code) * E0 + (Code - 1) * E1) / 7;
    } else {
        for (int Code = 2; Code < 6; ++Code)
            Values[static_cast<std::size_t>(Code)] = ((6 - Code) * E0 + (Code - 1) * E1) / 5;
    }
    return Values;
}

// The sixteen 3-bit codes after the two end points.
uint64_t Codes(std::span<const uint8_t, 8> Block) {
    return LoadLE(Block, 2, 6);
}

} // namespace

std::array<uint8_t, 16> DecodeBc4Block(std::span<const uint8_t, 8> Block) {
    const auto Values = Palette(Block[0], Block[1], 0, 255);
    const uint64_t Bits = Codes(Block);
    std::array<uint8_t, 16> Out;
    for (std::size_t Texel = 0; Texel < 16; ++Texel)
        Out[Texel] = static_cast<uint8_t>(Values[Bits >> (3 * Texel) & 7]);
    return Out;
}

std::array<int8_t, 16> DecodeBc4SignedBlock(std::span<const uint8_t, 8> Block) {
    const int E0 = std::max(-127, int{static_cast<int8_t>(Block[0])});
    const int E1 = std::max(-127, int{static_cast<int8_t>(Block[1])});
    const auto Values = Palette(E0, E1, -127, 127);
    const uint64_t Bits = Codes(Block);
    std::array<int8_t, 16> Out;
    for (std::size_t Texel = 0; Texel < 16; ++Texel)
        Out[Texel] = static_cast<int8_t>(Values[Bits >> (3 * Texel) & 7]);
    return Out;
}

} // namespace swatchbox
