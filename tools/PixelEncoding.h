#pragma once

#include "tools/DemoImage.h"

#include <cstdint>
#include <vector>

namespace swatchbox::demo {

// Stored pixel bytes of each texture format, top row first.
std::vector<uint8_t> EncodeRGBA8(const TImage& Image); // blue, green, red, alpha
std::vector<uint8_t> EncodeRGB16(const TImage& Image); // 5-6-5, little-endian
std::vector<uint8_t> EncodeRGB8(const TImage& Image);  // blue, green, red
// Heights in [0, 1] as 16-bit little-endian grey.
std::vector<uint8_t> EncodeG16(const std::vector<float>& Heights);
// Levels in [0, 1] as 8-bit grey.
std::vector<uint8_t> EncodeL8(const std::vector<float>& Levels);
// A normal map's X and Y (red and green, 0..255 for -1..1) as the signed
// bytes U and V.
std::vector<uint8_t> EncodeCxV8U8(const TImage& Normals);
// The palette as 256 entries of red, green, blue, alpha.
std::vector<uint8_t> EncodePalette(const std::vector<TColour>& Palette);

} // namespace swatchbox::demo
