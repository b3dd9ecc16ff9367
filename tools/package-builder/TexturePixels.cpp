#include "tools/package-builder/TexturePixels.h"

#include "package/PixelFormat.h"

namespace swatchbox::testing {

std::size_t StoredMipSize(uint8_t Format, int32_t Width, int32_t Height) {
    if (Width <= 0 || Height <= 0)
        return 0;
    const auto W = static_cast<std::size_t>(Width);
    const auto H = static_cast<std::size_t>(Height);
    const std::size_t Blocks = ((W + 3) / 4) * ((H + 3) / 4);
    switch (Format) {
    case pfDXT1:
        return Blocks * 8;
    case pfDXT3:
    case pfDXT5:
        return Blocks * 16;
    case pfRGBA8:
    case pfRGBA7:
        return W * H * 4;
    case pfRGB8:
        return W * H * 3;
    case pfG16:
    case pfRGB16:
        return W * H * 2;
    default:
        return W * H;
    }
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
