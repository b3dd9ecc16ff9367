#pragma once

#include "decode/AlphaRule.h"
#include "decode/Image.h"
#include "package/PixelFormat.h"

#include <cstdint>

namespace swatchbox {

class TFileStream;
class TTextureObject;

// Where a texture's first mip map and palette lie in its package, and what
// decoding them needs. A plain value, so it can travel to another thread
// without the texture object and its package.
struct TMipSource {
    TPixelFormat Format = pfP8;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t DataPosition = 0;
    // The byte count the file states for the mip map.
    int32_t DataSize = 0;
    int32_t PalettePosition = 0;
    bool bMasked = false;
    bool bAlphaTexture = false;
};

TMipSource MipSourceOf(const TTextureObject& Texture);
// The texture's compressed picture, which must be set.
TMipSource CompMipSourceOf(const TTextureObject& Texture);

// The first mip map read from Stream (open on the package) and decoded to
// 8-bit RGBA. Throws EDecodeError for a format without a decoder, a size
// without pixels, and a mip map that states fewer bytes than its size needs
// or lies (with its palette) outside the file; nothing larger than the file
// can hold is allocated before these checks.
TRgbaImage DecodeTexture(TFileStream& Stream, const TMipSource& Source, TAlphaMode Mode);

// The 16-bit values of a G16 texture, checked and read like DecodeTexture.
TGrey16Image ReadGrey16(TFileStream& Stream, const TMipSource& Source);

} // namespace swatchbox
