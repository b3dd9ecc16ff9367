#pragma once

#include "tools/DemoImage.h"

#include <cstdint>
#include <vector>

namespace swatchbox::demo {

// Block compression (S3TC, RGTC, BPTC), blocks left to right, top to bottom. Each colour
// block takes its end points from the pixels lying furthest apart along the
// block's principal colour axis and always uses the four-colour mode. Pictures
// whose sides are not multiples of 4 are padded by repeating the edge.
std::vector<uint8_t> EncodeDxt1(const TImage& Image);
// Explicit 4-bit alpha before each colour block.
std::vector<uint8_t> EncodeDxt3(const TImage& Image);
// Interpolated alpha (eight-value mode between the block's extremes).
std::vector<uint8_t> EncodeDxt5(const TImage& Image);
// RGTC: the interpolated alpha block holding red (BC4), or red then green (BC5).
std::vector<uint8_t> EncodeBc4(const TImage& Image);
std::vector<uint8_t> EncodeBc5(const TImage& Image);
// BC7 in mode 6 only: one pair of RGBA end points per block, 4-bit indices.
std::vector<uint8_t> EncodeBc7(const TImage& Image);

} // namespace swatchbox::demo
