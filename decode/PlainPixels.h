#pragma once

#include "decode/Image.h"

#include <cstdint>
#include <span>

namespace swatchbox {

// Uncompressed formats without alpha, opaque pixels. Data holds at least
// Image's pixel count times the format's bytes per pixel.

// L8: one grey byte.
void DecodeL8(std::span<const uint8_t> Data, TRgbaImage& Image);
// RGB16: little-endian 5-6-5, red in the top bits, widened by repeating the
// top bits into the low ones.
void DecodeRgb16(std::span<const uint8_t> Data, TRgbaImage& Image);
// RGB8: blue, green, red.
void DecodeRgb8(std::span<const uint8_t> Data, TRgbaImage& Image);
// CxV8U8: signed U and V, drawn as a normal map with Z rebuilt.
void DecodeCxV8U8(std::span<const uint8_t> Data, TRgbaImage& Image);

} // namespace swatchbox
