#pragma once

#include "decode/DxtBlocks.h"

#include <cstdint>
#include <span>

namespace swatchbox {

// BC7: one 16-byte block in any of the eight modes. A block whose first byte
// names no mode decodes to transparent black.
TBlockTexels DecodeBc7Block(std::span<const uint8_t, 16> Block);

} // namespace swatchbox
