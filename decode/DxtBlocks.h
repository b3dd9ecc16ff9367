#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace swatchbox {

// The 16 texels of one 4x4 S3TC block as red, green, blue, alpha, row by row.
using TBlockTexels = std::array<uint8_t, 64>;

// DXT1: a colour block of 8 bytes. When colour 0 is not above colour 1 the
// block has three colours and transparent black.
TBlockTexels DecodeDxt1Block(std::span<const uint8_t, 8> Block);
// DXT3: 8 bytes of explicit 4-bit alpha, then a four-colour block.
TBlockTexels DecodeDxt3Block(std::span<const uint8_t, 16> Block);
// DXT5: 8 bytes of interpolated alpha, then a four-colour block.
TBlockTexels DecodeDxt5Block(std::span<const uint8_t, 16> Block);

} // namespace swatchbox
