#include "decode/TextureDecoder.h"

#include "decode/DecodeErrors.h"
#include "decode/PixelDecoder.h"
#include "package/FileStream.h"
#include "package/TextureObject.h"

#include <string>
#include <vector>

namespace swatchbox {

namespace {

// The stored bytes of the mip map (and the palette), read once every check
// has passed.
struct TStoredMip {
    std::vector<uint8_t> Data;
    std::vector<uint8_t> Palette;

    TMipBytes Bytes(const TMipSource& Source) const {
        return {Source.Format, Source.Width, Source.Height, Data, Palette};
    }
};

bool InFile(int64_t Position, int64_t Count, int64_t FileSize) {
    return Position >= 0 && Count <= FileSize - Position;
}

TStoredMip ReadStored(TFileStream& Stream, const TMipSource& Source) {
    CheckDecodable(Source.Format, Source.Width, Source.Height);
    const int64_t Needed = MipByteSize(Source.Format, Source.Width, Source.Height);
    if (Source.DataSize < Needed)
        throw EDecodeError(ShortDataMessage(Source.DataSize, Needed));
    const bool Paletted = Source.Format == pfP8;
    if (!InFile(Source.DataPosition, Needed, Stream.Size()) ||
        (Paletted && !InFile(Source.PalettePosition, PaletteBytes, Stream.Size())))
        throw EDecodeError(ShortFileMessage(Stream.FileName()));
    TStoredMip Stored;
    if (Paletted) {
        Stream.Seek(Source.PalettePosition);
        Stored.Palette = Stream.ReadBlock(PaletteBytes);
    }
    Stream.Seek(Source.DataPosition);
    Stored.Data = Stream.ReadBlock(Needed);
    return Stored;
}

} // namespace

TMipSource MipSourceOf(const TTextureObject& Texture) {
    return {Texture.Format,      Texture.USize,           Texture.VSize,   Texture.MipDataPosition,
            Texture.MipDataSize, Texture.PalettePosition, Texture.bMasked, Texture.bAlphaTexture};
}

TMipSource CompMipSourceOf(const TTextureObject& Texture) {
    const TCompressedPicture& Comp = *Texture.Comp;
    return {Comp.Format,      Comp.USize, Comp.VSize, Comp.MipDataPosition,
            Comp.MipDataSize, 0,          false,      false};
}

TRgbaImage DecodeTexture(TFileStream& Stream, const TMipSource& Source, TAlphaMode Mode) {
    const TStoredMip Stored = ReadStored(Stream, Source);
    return DecodeMip(Stored.Bytes(Source),
                     AlphaRuleFor(Source.Format, Source.bMasked, Source.bAlphaTexture, Mode));
}

TGrey16Image ReadGrey16(TFileStream& Stream, const TMipSource& Source) {
    return DecodeGrey16(ReadStored(Stream, Source).Bytes(Source));
}

} // namespace swatchbox
