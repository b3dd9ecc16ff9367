#include "decode/PixelDecoder.h"

#include "decode/DecodeErrors.h"
#include "decode/DxtBlocks.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace swatchbox {

namespace {

std::string SizeText(int32_t Width, int32_t Height) {
    return std::to_string(Width) + "x" + std::to_string(Height);
}

void CheckLength(const TMipBytes& Mip) {
    CheckDecodable(Mip.Format, Mip.Width, Mip.Height);
    const int64_t Needed = MipByteSize(Mip.Format, Mip.Width, Mip.Height);
    if (static_cast<int64_t>(Mip.Data.size()) < Needed)
        throw EDecodeError(ShortDataMessage(static_cast<int64_t>(Mip.Data.size()), Needed));
    if (Mip.Format == pfP8 && Mip.Palette.size() < PaletteBytes)
        throw EDecodeError("The texture's palette holds fewer than 256 colours.");
}

void DecodePaletted(const TMipBytes& Mip, TAlphaRule Rule, TRgbaImage& Image) {
    const std::size_t Count = Image.Pixels.size() / 4;
    for (std::size_t Index = 0; Index < Count; ++Index) {
        const std::size_t Entry = std::size_t{Mip.Data[Index]} * 4;
        uint8_t* Out = Image.Pixels.data() + Index * 4;
        std::copy_n(Mip.Palette.begin() + static_cast<std::ptrdiff_t>(Entry), 4, Out);
        if (!Rule.KeepStored)
            Out[3] = 255;
        if (Rule.IndexZeroClear && Entry == 0)
            Out[3] = 0;
    }
}

// Stored blue, green, red, alpha.
void DecodeBgra(const TMipBytes& Mip, TAlphaRule Rule, TRgbaImage& Image) {
    for (std::size_t At = 0; At < Image.Pixels.size(); At += 4) {
        Image.Pixels[At] = Mip.Data[At + 2];
        Image.Pixels[At + 1] = Mip.Data[At + 1];
        Image.Pixels[At + 2] = Mip.Data[At];
        Image.Pixels[At + 3] = Rule.KeepStored ? Mip.Data[At + 3] : 255;
    }
}

void DecodeGrey(const TMipBytes& Mip, TRgbaImage& Image) {
    for (std::size_t Index = 0; Index < Image.Pixels.size() / 4; ++Index) {
        const auto Value =
            static_cast<uint16_t>(Mip.Data[Index * 2] | Mip.Data[Index * 2 + 1] << 8);
        const uint8_t Grey = Grey16To8(Value);
        std::fill_n(Image.Pixels.begin() + static_cast<std::ptrdiff_t>(Index * 4), 3, Grey);
        Image.Pixels[Index * 4 + 3] = 255;
    }
}

// A DXT5N block holds a unit normal's X in alpha and Y in green; Z is what
// makes the length 1. Each axis goes from -1..1 to 0..255 as normal maps
// show it, and the picture is opaque.
void ExpandNormals(TBlockTexels& Texels) {
    for (std::size_t At = 0; At < Texels.size(); At += 4) {
        const double X = Texels[At + 3] / 127.5 - 1.0;
        const double Y = Texels[At + 1] / 127.5 - 1.0;
        const double Z = std::sqrt(std::max(0.0, 1.0 - X * X - Y * Y));
        Texels[At] = Texels[At + 3];
        Texels[At + 2] = static_cast<uint8_t>(std::lround((Z + 1.0) * 127.5));
        Texels[At + 3] = 255;
    }
}

// Blocks left to right, top to bottom; texels of partly covered blocks at the
// right and bottom edges fall outside the picture and are dropped.
void DecodeBlocks(const TMipBytes& Mip, TAlphaRule Rule, TRgbaImage& Image) {
    const std::size_t BlockBytes = Mip.Format == pfDXT1 ? 8 : 16;
    const int32_t BlocksWide = (Mip.Width + 3) / 4;
    const int32_t BlocksHigh = (Mip.Height + 3) / 4;
    std::size_t At = 0;
    for (int32_t BlockY = 0; BlockY < BlocksHigh; ++BlockY)
        for (int32_t BlockX = 0; BlockX < BlocksWide; ++BlockX, At += BlockBytes) {
            const auto Block = Mip.Data.subspan(At, BlockBytes);
            TBlockTexels Texels = Mip.Format == pfDXT1   ? DecodeDxt1Block(Block.first<8>())
                                  : Mip.Format == pfDXT3 ? DecodeDxt3Block(Block.first<16>())
                                                         : DecodeDxt5Block(Block.first<16>());
            if (Mip.Format == pfDXT5N)
                ExpandNormals(Texels);
            const int32_t Columns = std::min(4, Mip.Width - BlockX * 4);
            const int32_t Rows = std::min(4, Mip.Height - BlockY * 4);
            for (int32_t Y = 0; Y < Rows; ++Y) {
                uint8_t* Out = Image.Pixel(BlockX * 4, BlockY * 4 + Y);
                std::copy_n(Texels.begin() + Y * 16, Columns * 4, Out);
                if (!Rule.KeepStored)
                    for (int32_t X = 0; X < Columns; ++X)
                        Out[X * 4 + 3] = 255;
            }
        }
}

} // namespace

bool HasDecoder(TPixelFormat Format) {
    switch (Format) {
    case pfP8:
    case pfRGBA8:
    case pfG16:
    case pfDXT1:
    case pfDXT3:
    case pfDXT5:
    case pfDXT5N:
        return true;
    default:
        return false;
    }
}

void CheckDecodable(TPixelFormat Format, int32_t Width, int32_t Height) {
    if (!HasDecoder(Format))
        throw EDecodeError("The pixel format " + std::string(GetFormatName(Format)) +
                           " can't be decoded.");
    if (Width <= 0 || Height <= 0)
        throw EDecodeError("The texture's size " + SizeText(Width, Height) + " holds no pixels.");
    if (int64_t{Width} * Height > LargestDecodedPixels)
        throw EDecodeError("The texture's size " + SizeText(Width, Height) +
                           " is too large to decode.");
}

TRgbaImage DecodeMip(const TMipBytes& Mip, TAlphaRule Rule) {
    CheckLength(Mip);
    TRgbaImage Image(Mip.Width, Mip.Height);
    switch (Mip.Format) {
    case pfP8:
        DecodePaletted(Mip, Rule, Image);
        break;
    case pfRGBA8:
        DecodeBgra(Mip, Rule, Image);
        break;
    case pfG16:
        DecodeGrey(Mip, Image);
        break;
    default:
        DecodeBlocks(Mip, Rule, Image);
        break;
    }
    return Image;
}

TGrey16Image DecodeGrey16(const TMipBytes& Mip) {
    if (Mip.Format != pfG16)
        throw EDecodeError("The pixel format " + std::string(GetFormatName(Mip.Format)) +
                           " holds no 16-bit grey values.");
    CheckLength(Mip);
    TGrey16Image Image{Mip.Width, Mip.Height, {}};
    Image.Values.resize(std::size_t(Mip.Width) * std::size_t(Mip.Height));
    for (std::size_t Index = 0; Index < Image.Values.size(); ++Index)
        Image.Values[Index] =
            static_cast<uint16_t>(Mip.Data[Index * 2] | Mip.Data[Index * 2 + 1] << 8);
    return Image;
}

} // namespace swatchbox
