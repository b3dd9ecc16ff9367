#include "tools/package-builder/TexturePixels.h"

#include "package/PixelFormat.h"

namespace swatchbox::testing {

std::size_t StoredMipSize(uint8_t Format, int32_t Width, int32_t Height) {
    if (Width <= 0 || Height <= 0)
        return 0;
    // RGBA7 is stored as RGBA8 is; the reader gives it no size, as it never reads it.
    const auto Layout = Format == pfRGBA7 ? pfRGBA8 : static_cast<TPixelFormat>(Format);
    const int64_t Size = MipByteSize(Layout, Width, Height);
    // Layouts the reader doesn't know: one byte a pixel.
    return static_cast<std::size_t>(Size > 0 ? Size : int64_t{Width} * Height);
}

TBytes PatternBytes(std::size_t Count, uint32_t Seed) {
    TBytes Bytes(Count);
    for (std::size_t Index = 0; Index < Count; ++Index)
        Bytes[Index] = static_cast<uint8_t>(Index * 7 + (Index >> 8) * 13 + Seed * 101 + 1);
    return Bytes;
}

TBytes NoiseBytes(std::size_t Count, uint32_t Seed) {
    TBytes Bytes(Count);
    uint32_t State = Seed * 2654435761u + 1;
    for (auto& Byte : Bytes) {
        State = State * 1664525u + 1013904223u;
        Byte = static_cast<uint8_t>(State >> 24);
    }
    return Bytes;
}

TBytes DefaultPaletteColours() {
    TBytes Colours;
    Colours.reserve(1024);
    for (unsigned Index = 0; Index < 256; ++Index) {
        Colours.push_back(static_cast<uint8_t>(Index));
        Colours.push_back(static_cast<uint8_t>(255 - Index));
        Colours.push_back(static_cast<uint8_t>(Index * 7));
        Colours.push_back(static_cast<uint8_t>(Index * 3 + 1));
    }
    return Colours;
}

} // namespace swatchbox::testing
