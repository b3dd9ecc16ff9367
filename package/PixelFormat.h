#pragma once

#include <cstdint>
#include <string_view>

namespace swatchbox {

// The value of a texture's "Format" property. Values without an enumerator
// (6, 9, above 10) are still stored as they come.
enum TPixelFormat : uint8_t {
    pfP8 = 0,
    pfRGBA7 = 1,
    pfRGB16 = 2,
    pfDXT1 = 3,
    pfRGB8 = 4,
    pfRGBA8 = 5,
    pfDXT3 = 7,
    pfDXT5 = 8,
    pfG16 = 10,
};

// Display name, such as "DXT1"; "(unknown)" for values without one.
std::string_view GetFormatName(TPixelFormat Format);

// Byte count of one Width x Height mip map in Format, computed in 64 bits:
// compressed formats in whole 4x4 blocks, also the partly covered ones at the
// right and bottom edges. 0 for formats that are not handled and for sizes
// that are not positive. The reader, the writers and the upload all take a
// mip's size from here.
int64_t MipByteSize(TPixelFormat Format, int32_t Width, int32_t Height);

// Bytes per pixel of the uncompressed handled formats; 0 otherwise.
int BytesPerPixel(TPixelFormat Format);

bool IsCompressedFormat(TPixelFormat Format);

// 256 entries of red, green, blue, alpha.
inline constexpr int PaletteBytes = 1024;

} // namespace swatchbox
