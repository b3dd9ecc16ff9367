#include "decode/PlainPixels.h"

#include "decode/NormalMap.h"
#include "package/ByteOrder.h"

namespace swatchbox {

namespace {

void Put(TRgbaImage& Image, std::size_t Index, uint8_t R, uint8_t G, uint8_t B) {
    uint8_t* Out = Image.Pixels.data() + Index * 4;
    Out[0] = R;
    Out[1] = G;
    Out[2] = B;
    Out[3] = 255;
}

std::size_t PixelCount(const TRgbaImage& Image) {
    return Image.Pixels.size() / 4;
}

} // namespace

void DecodeL8(std::span<const uint8_t> Data, TRgbaImage& Image) {
    for (std::size_t Index = 0; Index < PixelCount(Image); ++Index)
        Put(Image, Index, Data[Index], Data[Index], Data[Index]);
}

void DecodeRgb16(std::span<const uint8_t> Data, TRgbaImage& Image) {
    for (std::size_t Index = 0; Index < PixelCount(Image); ++Index) {
        const unsigned Value = LoadLE16(Data, Index * 2);
        const unsigned R = Value >> 11 & 31, G = Value >> 5 & 63, B = Value & 31;
        Put(Image, Index, static_cast<uint8_t>(R << 3 | R >> 2),
            static_cast<uint8_t>(G << 2 | G >> 4), static_cast<uint8_t>(B << 3 | B >> 2));
    }
}

void DecodeRgb8(std::span<const uint8_t> Data, TRgbaImage& Image) {
    for (std::size_t Index = 0; Index < PixelCount(Image); ++Index)
        Put(Image, Index, Data[Index * 3 + 2], Data[Index * 3 + 1], Data[Index * 3]);
}

void DecodeCxV8U8(std::span<const uint8_t> Data, TRgbaImage& Image) {
    for (std::size_t Index = 0; Index < PixelCount(Image); ++Index) {
        const auto U = static_cast<int8_t>(Data[Index * 2]);
        const auto V = static_cast<int8_t>(Data[Index * 2 + 1]);
        const TNormal Normal = NormalFromSigned(U, V);
        Put(Image, Index, Normal.R, Normal.G, Normal.B);
    }
}

} // namespace swatchbox
