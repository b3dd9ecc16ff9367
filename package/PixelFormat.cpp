#include "package/PixelFormat.h"

#include <limits>

namespace swatchbox {

std::string_view GetFormatName(TPixelFormat Format) {
    switch (Format) {
    case pfP8:
        return "P8";
    case pfRGBA7:
        return "RGBA7";
    case pfRGB16:
        return "RGB16";
    case pfDXT1:
        return "DXT1";
    case pfRGB8:
        return "RGB8";
    case pfRGBA8:
        return "RGBA8";
    case pfDXT3:
        return "DXT3";
    case pfDXT5:
        return "DXT5";
    case pfL8:
        return "L8";
    case pfG16:
        return "G16";
    case pfRRRGGGBBB:
        return "RRRGGGBBB";
    case pfCxV8U8:
        return "CxV8U8";
    case pfDXT5N:
        return "DXT5N";
    case pfBC5:
        return "BC5";
    case pfBC4:
        return "BC4";
    case pfBC4S:
        return "BC4S";
    case pfBC5S:
        return "BC5S";
    case pfBC7:
        return "BC7";
    case pfBC6H:
        return "BC6H";
    case pfBC6HS:
        return "BC6HS";
    case pfUnknown:
        break;
    }
    return "(unknown)";
}

int BytesPerPixel(TPixelFormat Format) {
    switch (Format) {
    case pfP8:
    case pfL8:
        return 1;
    case pfG16:
    case pfRGB16:
    case pfCxV8U8:
        return 2;
    case pfRGB8:
        return 3;
    case pfRGBA8:
        return 4;
    default:
        return 0;
    }
}

bool IsCompressedFormat(TPixelFormat Format) {
    return Format == pfDXT1 || Format == pfDXT3 || Format == pfDXT5;
}

int64_t MipByteSize(TPixelFormat Format, int32_t Width, int32_t Height) {
    if (Width <= 0 || Height <= 0)
        return 0;
    const int64_t Pixels = int64_t{Width} * Height;
    const int64_t Blocks = ((int64_t{Width} + 3) / 4) * ((int64_t{Height} + 3) / 4);
    switch (Format) {
    case pfDXT1:
    case pfBC4:
    case pfBC4S:
        return Blocks * 8;
    case pfDXT3:
    case pfDXT5:
    case pfDXT5N:
    case pfBC5:
    case pfBC5S:
    case pfBC7:
    case pfBC6H:
    case pfBC6HS:
        return Blocks * 16;
    default:
        // At most 2^62 pixels times 4 bytes would overflow; no file is that big.
        return Pixels > std::numeric_limits<int64_t>::max() / 4
                   ? std::numeric_limits<int64_t>::max()
                   : Pixels * BytesPerPixel(Format);
    }
}

} // namespace swatchbox
