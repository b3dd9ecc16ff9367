#pragma once

#include <cstdint>
#include <string_view>

namespace swatchbox {

// The program's own names for the pixel layouts a texture can store. A
// package's "Format" property is a number whose meaning depends on the engine
// build that wrote it; the package's engine family turns it into one of these.
// The values 0 to 14 are the numbers of UE2 and its licensees, so stock UE2
// packages map one to one; layouts that only other builds number get values
// from 32 on. pfUnknown stands for any number the family doesn't define.
enum TPixelFormat : uint8_t {
    pfP8 = 0,
    pfRGBA7 = 1,
    pfRGB16 = 2,
    pfDXT1 = 3,
    pfRGB8 = 4,
    pfRGBA8 = 5,
    pfDXT3 = 7,
    pfDXT5 = 8,
    pfL8 = 9,
    pfG16 = 10,
    pfRRRGGGBBB = 11,
    pfCxV8U8 = 12,
    pfDXT5N = 13, // DXT5 blocks holding a normal map: X in alpha, Y in green
    pfBC5 = 14,   // two BC4 blocks (3Dc): X in red, Y in green
    pfBC4 = 32,
    pfBC4S = 33,
    pfBC5S = 34,
    pfBC7 = 35,
    pfBC6H = 36,
    pfBC6HS = 37,
    pfUnknown = 255,
};

// Display name, such as "DXT1"; "(unknown)" for pfUnknown.
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
