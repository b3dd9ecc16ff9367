#pragma once

#include "decode/AlphaRule.h"
#include "decode/Image.h"
#include "package/PixelFormat.h"

#include <cstdint>
#include <span>

namespace swatchbox {

// Images above this many pixels (16384 x 16384) are refused: no engine makes
// them, and their buffers would run into the gigabytes.
inline constexpr int64_t LargestDecodedPixels = int64_t{1} << 28;

// The stored bytes of one mip map and, for P8, its palette of 256 entries of
// red, green, blue, alpha.
struct TMipBytes {
    TPixelFormat Format = pfP8;
    int32_t Width = 0;
    int32_t Height = 0;
    std::span<const uint8_t> Data;
    std::span<const uint8_t> Palette;
};

// P8, RGBA8, G16, DXT1, DXT3 and DXT5 have decoders.
bool HasDecoder(TPixelFormat Format);

// 16-bit grey to 8 bits, rounded to nearest (what OpenGL shows).
constexpr uint8_t Grey16To8(uint16_t Value) {
    return static_cast<uint8_t>((uint32_t{Value} * 255 + 32767) / 65535);
}

// Throws EDecodeError for a format without a decoder, a size that is not
// positive or too large, and data (or a palette) shorter than the size needs.
void CheckDecodable(TPixelFormat Format, int32_t Width, int32_t Height);

// The mip map as 8-bit RGBA with the alpha of Rule. Throws EDecodeError as
// CheckDecodable does, and for Data or Palette shorter than needed.
TRgbaImage DecodeMip(const TMipBytes& Mip, TAlphaRule Rule);

// A G16 mip map's values unchanged. Throws EDecodeError like DecodeMip.
TGrey16Image DecodeGrey16(const TMipBytes& Mip);

} // namespace swatchbox
