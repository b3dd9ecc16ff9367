#include "tools/PixelEncoding.h"

#include <algorithm>
#include <cmath>

namespace swatchbox::demo {

std::vector<uint8_t> EncodeRGBA8(const TImage& Image) {
    std::vector<uint8_t> Out;
    Out.reserve(Image.Pixels.size() * 4);
    for (const TColour& C : Image.Pixels)
        Out.insert(Out.end(), {C.B, C.G, C.R, C.A});
    return Out;
}

std::vector<uint8_t> EncodeRGB16(const TImage& Image) {
    std::vector<uint8_t> Out;
    Out.reserve(Image.Pixels.size() * 2);
    for (const TColour& C : Image.Pixels) {
        const auto Value = static_cast<uint16_t>((C.R >> 3) << 11 | (C.G >> 2) << 5 | (C.B >> 3));
        Out.insert(Out.end(), {static_cast<uint8_t>(Value), static_cast<uint8_t>(Value >> 8)});
    }
    return Out;
}

std::vector<uint8_t> EncodeRGB8(const TImage& Image) {
    std::vector<uint8_t> Out;
    Out.reserve(Image.Pixels.size() * 3);
    for (const TColour& C : Image.Pixels)
        Out.insert(Out.end(), {C.B, C.G, C.R});
    return Out;
}

std::vector<uint8_t> EncodeG16(const std::vector<float>& Heights) {
    std::vector<uint8_t> Out;
    Out.reserve(Heights.size() * 2);
    for (const float Height : Heights) {
        const auto Value =
            static_cast<uint16_t>(std::lround(std::clamp(Height, 0.0f, 1.0f) * 65535.0f));
        Out.insert(Out.end(), {static_cast<uint8_t>(Value), static_cast<uint8_t>(Value >> 8)});
    }
    return Out;
}

std::vector<uint8_t> EncodeL8(const std::vector<float>& Levels) {
    std::vector<uint8_t> Out;
    Out.reserve(Levels.size());
    for (const float Level : Levels)
        Out.push_back(static_cast<uint8_t>(std::lround(std::clamp(Level, 0.0f, 1.0f) * 255.0f)));
    return Out;
}

std::vector<uint8_t> EncodeCxV8U8(const TImage& Normals) {
    auto Signed = [](uint8_t Byte) {
        return static_cast<uint8_t>(static_cast<int8_t>(std::lround((Byte / 127.5 - 1) * 127)));
    };
    std::vector<uint8_t> Out;
    Out.reserve(Normals.Pixels.size() * 2);
    for (const TColour& C : Normals.Pixels)
        Out.insert(Out.end(), {Signed(C.R), Signed(C.G)});
    return Out;
}

std::vector<uint8_t> EncodePalette(const std::vector<TColour>& Palette) {
    std::vector<uint8_t> Out;
    Out.reserve(1024);
    for (std::size_t Index = 0; Index < 256; ++Index) {
        const TColour C = Index < Palette.size() ? Palette[Index] : TColour{};
        Out.insert(Out.end(), {C.R, C.G, C.B, C.A});
    }
    return Out;
}

} // namespace swatchbox::demo
