#include "export/ExportAsIs.h"

#include "decode/DecodeErrors.h"
#include "export/BmpFile.h"
#include "export/DdsFile.h"
#include "export/ExportErrors.h"
#include "export/OutputFile.h"
#include "export/RowPitch.h"
#include "export/SaveGuard.h"
#include "package/AsciiCase.h"
#include "package/Errors.h"

#include <algorithm>
#include <limits>
#include <new>

namespace swatchbox {

namespace {

// Bitmaps written unchanged from the package carry 96 dpi.
constexpr int32_t AsIsPixelsPerMetre = 3780;

[[noreturn]] void ThrowShort(const TTextureObject& Texture) {
    throw EExportError(ShortFileMessage(Texture.Owner->FileName));
}

// A mip map that says it holds fewer bytes than the texture's size needs
// (procedural textures store none, stripped ones have no mip map at all) has
// no pixels of its own to copy: the rest would be another object's bytes.
void RefuseShortMip(TPixelFormat Format, int32_t Width, int32_t Height, int32_t DataSize) {
    const int64_t Needed = MipByteSize(Format, Width, Height);
    if (DataSize < Needed)
        throw EExportError(ShortDataMessage(DataSize, Needed));
}

// Copies Count bytes at Position: inside the system where it can, else
// through a small reused buffer.
void CopyBytes(TFileStream& From, int64_t Position, int64_t Count, TOutputFile& To) {
    constexpr int64_t ChunkBytes = 64 * 1024;
    const int64_t Copied = To.CopyFrom(From, Position, Count);
    int64_t Left = Count - Copied;
    if (Left <= 0)
        return;
    std::vector<uint8_t> Chunk(static_cast<std::size_t>(std::min(Left, ChunkBytes)));
    From.Seek(Position + Copied);
    while (Left > 0) {
        const auto Step = static_cast<std::size_t>(std::min(Left, ChunkBytes));
        From.Read(Chunk.data(), Step);
        To.Write(Chunk.data(), Step);
        Left -= static_cast<int64_t>(Step);
    }
}

// A DDS file of one mip map's stored bytes.
bool WriteBlocks(const TTextureObject& Texture, TPixelFormat Format, int32_t Width, int32_t Height,
                 int32_t Position, int32_t Size, const std::string& FileName, IReporter& Reporter) {
    const std::string Target = FixExtension(FileName, ".DDS");
    return GuardedWrite(Reporter, Target, [&] {
        TInstalledStream Package(*Texture.Owner);
        if (Size < 0 || Position < 0 || Size > Package->Size() - Position)
            ThrowShort(Texture);
        RefuseShortMip(Format, Width, Height, Size);
        const auto Header = MakeDdsHeader(Width, Height, Format);
        TOutputFile Output(Target);
        Output.Write(Header.data(), Header.size());
        CopyBytes(*Package, Position, Size, Output);
        Output.Commit();
    });
}

} // namespace

std::string_view AsIsExtension(TPixelFormat Format) {
    switch (Format) {
    case pfP8:
    case pfL8:
    case pfRGB16:
    case pfRGB8:
    case pfRGBA8:
    case pfG16:
        return ".BMP";
    default:
        return HasDdsLayout(Format) ? ".DDS" : std::string_view{};
    }
}

std::string FixExtension(const std::string& FileName, std::string_view DefaultExtension) {
    const std::size_t Separator = FileName.find_last_of("\\/:");
    const std::size_t Start = Separator == std::string::npos ? 0 : Separator + 1;
    const std::size_t Dot = FileName.rfind('.');
    std::string_view Extension;
    if (Dot != std::string::npos && Dot >= Start)
        Extension = std::string_view(FileName).substr(Dot);
    if (AsciiUpper(Extension) == AsciiUpper(DefaultExtension))
        return FileName;
    return FileName + std::string(DefaultExtension);
}

bool ExportAsIs(const TTextureObject& Texture, const std::string& FileName, IReporter& Reporter) {
    const std::string_view Extension = AsIsExtension(Texture.Format);
    if (Extension == ".BMP")
        return WriteRawBMP(Texture, FileName, Reporter);
    if (Extension == ".DDS")
        return WriteDDS(Texture, FileName, Reporter);
    ReportError(Reporter, UnknownPixelFormatMessage);
    return false;
}

bool WriteRawBMP(const TTextureObject& Texture, const std::string& FileName, IReporter& Reporter) {
    const std::string Target = FixExtension(FileName, ".BMP");
    return GuardedWrite(Reporter, Target, [&] {
        const int BytesPerPixel = swatchbox::BytesPerPixel(Texture.Format);
        // The package is checked before the output is created; a failure while
        // copying discards the unfinished file and keeps any older one.
        TInstalledStream Package(*Texture.Owner);
        if (BytesPerPixel == 0 || !Texture.PixelDataInFile(Package->Size()))
            ThrowShort(Texture);
        RefuseShortMip(Texture.Format, Texture.USize, Texture.VSize, Texture.MipDataSize);
        const bool Paletted = Texture.Format == pfP8 || Texture.Format == pfL8;
        const TBmpLayout Layout{Texture.USize,        Texture.VSize,
                                BytesPerPixel * 8,    AsIsPixelsPerMetre,
                                Paletted ? 256u : 0u, Texture.Format == pfRGB16};
        std::vector<uint8_t> Palette;
        if (Texture.Format == pfP8) {
            Package->Seek(Texture.PalettePosition);
            Palette = Package->ReadBlock(PaletteBytes);
            // Stored red, green, blue, alpha; bitmaps want blue, green, red, alpha.
            for (std::size_t Entry = 0; Entry < Palette.size(); Entry += 4)
                std::swap(Palette[Entry], Palette[Entry + 2]);
        } else if (Texture.Format == pfL8) {
            // Grey levels keep their stored bytes as indices into a grey ramp.
            Palette.resize(PaletteBytes);
            for (std::size_t Entry = 0; Entry < 256; ++Entry)
                std::fill_n(Palette.begin() + static_cast<std::ptrdiff_t>(Entry * 4), 3,
                            static_cast<uint8_t>(Entry));
        }
        const int64_t RowBytes = int64_t{Texture.USize} * BytesPerPixel;
        if (PaddedRowLength(Texture.USize, BytesPerPixel) * Texture.VSize >
            std::numeric_limits<uint32_t>::max() - BmpHeaderSize - PaletteBytes)
            throw EExportError("The texture is too large for a bitmap file.");
        std::vector<uint8_t> Prefix = MakeBmpHeaders(Layout);
        Prefix.insert(Prefix.end(), Palette.begin(), Palette.end());
        TOutputFile Output(Target);
        WriteBottomUpRows(
            Texture.USize, Texture.VSize, BytesPerPixel,
            [&](int64_t FirstRow, int64_t Count, uint8_t* Into) {
                Package->Seek(Texture.MipDataPosition + FirstRow * RowBytes);
                Package->Read(Into, static_cast<std::size_t>(Count * RowBytes));
            },
            [&](const uint8_t* Bytes, std::size_t Count) { Output.Write(Bytes, Count); }, Prefix);
        Output.Commit();
    });
}

bool WriteDDS(const TTextureObject& Texture, const std::string& FileName, IReporter& Reporter) {
    return WriteBlocks(Texture, Texture.Format, Texture.USize, Texture.VSize,
                       Texture.MipDataPosition, Texture.MipDataSize, FileName, Reporter);
}

bool WriteCompressedDDS(const TTextureObject& Texture, const std::string& FileName,
                        IReporter& Reporter) {
    const TCompressedPicture& Comp = *Texture.Comp;
    return WriteBlocks(Texture, Comp.Format, Comp.USize, Comp.VSize, Comp.MipDataPosition,
                       Comp.MipDataSize, FileName, Reporter);
}

} // namespace swatchbox
