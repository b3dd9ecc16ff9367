#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace swatchbox {

// One BC4 block (the DXT5 alpha layout): two end points and 3-bit codes for
// 16 values, row by row. Unsigned blocks give 0..255; signed ones give
// -127..127 (a stored -128 counts as -127).
std::array<uint8_t, 16> DecodeBc4Block(std::span<const uint8_t, 8> Block);
std::array<int8_t, 16> DecodeBc4SignedBlock(std::span<const uint8_t, 8> Block);

} // namespace swatchbox
