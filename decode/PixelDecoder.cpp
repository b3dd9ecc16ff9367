#include "decode/PixelDecoder.h"

#include "decode/Bc4Blocks.h"
#include "decode/Bc7Blocks.h"
#include "decode/DecodeErrors.h"
#include "decode/DxtBlocks.h"
#include "decode/NormalMap.h"
#include "decode/PlainPixels.h"

#include <algorithm>
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

// A DXT5N block holds a unit normal's X in alpha and Y in green; Z is
// rebuilt, and the picture is opaque.
void ExpandNormals(TBlockTexels& Texels) {
    for (std::size_t At = 0; At < Texels.size(); At += 4) {
        const TNormal Normal = NormalFromUnsigned(Texels[At + 3], Texels[At + 1]);
        Texels[At] = Normal.R;
        Texels[At + 1] = Normal.G;
        Texels[At + 2] = Normal.B;
        Texels[At + 3] = 255;
    }
}

// BC4 as grey, BC5 as a normal map (X red, Y green, Z rebuilt); opaque.
TBlockTexels DecodeRgtcBlock(TPixelFormat Format, std::span<const uint8_t> Block) {
    TBlockTexels Texels;
    const auto First = Block.first<8>();
    for (std::size_t Texel = 0; Texel < 16; ++Texel)
        Texels[Texel * 4 + 3] = 255;
    if (Format == pfBC4 || Format == pfBC4S) {
        std::array<uint8_t, 16> Grey;
        if (Format == pfBC4)
            Grey = DecodeBc4Block(First);
        else {
            const auto Signed = DecodeBc4SignedBlock(First);
            for (std::size_t Texel = 0; Texel < 16; ++Texel)
                Grey[Texel] = NormalByte(Signed[Texel] / 127.0);
        }
        for (std::size_t Texel = 0; Texel < 16; ++Texel)
            std::fill_n(Texels.begin() + static_cast<std::ptrdiff_t>(Texel * 4), 3, Grey[Texel]);
        return Texels;
    }
    const auto Second = Block.subspan<8, 8>();
    for (std::size_t Texel = 0; Texel < 16; ++Texel) {
        TNormal Normal{};
        if (Format == pfBC5) {
            Normal =
                NormalFromUnsigned(DecodeBc4Block(First)[Texel], DecodeBc4Block(Second)[Texel]);
        } else {
            Normal = NormalFromSigned(DecodeBc4SignedBlock(First)[Texel],
                                      DecodeBc4SignedBlock(Second)[Texel]);
        }
        Texels[Texel * 4] = Normal.R;
        Texels[Texel * 4 + 1] = Normal.G;
        Texels[Texel * 4 + 2] = Normal.B;
    }
    return Texels;
}

TBlockTexels DecodeBlock(TPixelFormat Format, std::span<const uint8_t> Block) {
    switch (Format) {
    case pfDXT1:
        return DecodeDxt1Block(Block.first<8>());
    case pfDXT3:
        return DecodeDxt3Block(Block.first<16>());
    case pfDXT5:
        return DecodeDxt5Block(Block.first<16>());
    case pfBC7:
        return DecodeBc7Block(Block.first<16>());
    case pfDXT5N: {
        TBlockTexels Texels = DecodeDxt5Block(Block.first<16>());
        ExpandNormals(Texels);
        return Texels;
    }
    default:
        return DecodeRgtcBlock(Format, Block);
    }
}

// Blocks left to right, top to bottom; texels of partly covered blocks at the
// right and bottom edges fall outside the picture and are dropped.
void DecodeBlocks(const TMipBytes& Mip, TAlphaRule Rule, TRgbaImage& Image) {
    const std::size_t BlockBytes = static_cast<std::size_t>(MipByteSize(Mip.Format, 4, 4));
    const int32_t BlocksWide = (Mip.Width + 3) / 4;
    const int32_t BlocksHigh = (Mip.Height + 3) / 4;
    std::size_t At = 0;
    for (int32_t BlockY = 0; BlockY < BlocksHigh; ++BlockY)
        for (int32_t BlockX = 0; BlockX < BlocksWide; ++BlockX, At += BlockBytes) {
            const auto Block = Mip.Data.subspan(At, BlockBytes);
            const TBlockTexels Texels = DecodeBlock(Mip.Format, Block);
            const int32_t Columns = std::min(4, Mip.Width - BlockX * 4);
            const int32_t Rows = std::min(4, Mip.Height - BlockY * 4);
            for (int32_t Y = 0; Y < Rows; ++Y) {
                uint8_t* Out = Image.Pixel(BlockX * 4, BlockY * 4 + Y);
                // A whole row of a block is one fixed-size copy.
                if (Columns == 4)
                    std::copy_n(Texels.begin() + Y * 16, 16, Out);
                else
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
    case pfL8:
    case pfRGB16:
    case pfRGB8:
    case pfCxV8U8:
    case pfBC4:
    case pfBC4S:
    case pfBC5:
    case pfBC5S:
    case pfDXT5N:
    case pfBC7:
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
    case pfL8:
        DecodeL8(Mip.Data, Image);
        break;
    case pfRGB16:
        DecodeRgb16(Mip.Data, Image);
        break;
    case pfRGB8:
        DecodeRgb8(Mip.Data, Image);
        break;
    case pfCxV8U8:
        DecodeCxV8U8(Mip.Data, Image);
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
