#include "tools/package-builder/PackageBuilder.h"

#include <algorithm>
#include <bit>

namespace swatchbox::testing {

namespace {

// What every mip record of one package has in common.
struct TMipLayout {
    int16_t Version;
    uint8_t Version110Byte;
    // The object header before each record, in builds that write one.
    std::optional<int32_t> HeaderSubVersion;
};

// Each mip map: [object header, and with sub-version 1 a skip position and a
// lazy array of three bytes] [MipEndOffset from 63 on] [one byte at 110] compact size,
// pixels, then USize, VSize, UBits and VBits of that mip.
void PutMip(TExportEntry& Export, const TMipLayout& Layout, const TBytes& Pixels,
            std::optional<int32_t> StatedSize, std::optional<int32_t> EndOffset, int32_t Width,
            int32_t Height, int32_t* DataOffset = nullptr) {
    TBytes& Out = Export.Data;
    if (Layout.HeaderSubVersion) {
        PutI32(Out, 4);
        PutI32(Out, *Layout.HeaderSubVersion);
        if (*Layout.HeaderSubVersion == 1) {
            const TBytes Lazy = {1, 2, 3};
            PutI32(Out, 0);
            PutBytes(Out, EncodeIndex(static_cast<int32_t>(Lazy.size())));
            PutBytes(Out, Lazy);
        }
    }
    std::size_t EndField = 0;
    if (Layout.Version >= 63) {
        EndField = Out.size();
        PutI32(Out, EndOffset.value_or(0));
    }
    if (Layout.Version == 110)
        PutU8(Out, Layout.Version110Byte);
    PutBytes(Out, EncodeIndex(StatedSize.value_or(static_cast<int32_t>(Pixels.size()))));
    if (DataOffset)
        *DataOffset = static_cast<int32_t>(Out.size());
    PutBytes(Out, Pixels);
    if (Layout.Version >= 63 && !EndOffset)
        Export.Relocations.emplace_back(EndField, static_cast<int32_t>(Out.size()));
    PutI32(Out, Width);
    PutI32(Out, Height);
    PutU8(Out, static_cast<uint8_t>(std::bit_width(static_cast<uint32_t>(std::max(Width, 1))) - 1));
    PutU8(Out,
          static_cast<uint8_t>(std::bit_width(static_cast<uint32_t>(std::max(Height, 1))) - 1));
}

// Mips after the first, each half the size of the one before.
void PutSmallerMips(TExportEntry& Export, const TMipLayout& Layout, const std::vector<TBytes>& Mips,
                    int32_t Width, int32_t Height) {
    for (const TBytes& Mip : Mips) {
        Width = std::max(Width / 2, 1);
        Height = std::max(Height / 2, 1);
        PutMip(Export, Layout, Mip, std::nullopt, std::nullopt, Width, Height);
    }
}

} // namespace

// A layout the family has no number for is stored as its own number, so tests
// can write numbers the reader doesn't know.
uint8_t TPackageBuilder::StoredFormatNumber(uint8_t Layout) const {
    return Family().NumberOf(static_cast<TPixelFormat>(Layout)).value_or(Layout);
}

TEngineFamily TPackageBuilder::Family() const {
    return FindEngineFamily(Signature, PackageVersion, LicenseeVersion, false);
}

int32_t TPackageBuilder::AddTexture(const TTextureDesc& Desc) {
    const int32_t Class = ClassImport("Engine", Desc.ClassName);
    const int32_t Outer = Desc.Group.empty() ? Desc.Outer : FindOrAddGroup(Desc.Group);

    TPropertyWriter Properties(*this);
    if (Desc.RawProperties) {
        Properties.Raw(*Desc.RawProperties);
    } else {
        if (Desc.Flags & HasStateFrameFlag)
            Properties.StateFrame();
        Properties.ObjectHeader();
        if (Desc.BeforeProperties)
            Desc.BeforeProperties(Properties);
        if (Desc.Format)
            Properties.Byte("Format", StoredFormatNumber(*Desc.Format));
        if (Desc.WriteUSize)
            Properties.Int("USize", Desc.Width);
        if (Desc.WriteVSize)
            Properties.Int("VSize", Desc.Height);
        if (Desc.Masked)
            Properties.Bool("bMasked", *Desc.Masked);
        if (Desc.AlphaTexture)
            Properties.Bool("bAlphaTexture", *Desc.AlphaTexture);
        if (Desc.Palette)
            Properties.Object("Palette", *Desc.Palette);
        if (Desc.Comp)
            Properties.Bool("bHasComp", true)
                .Byte("CompFormat", StoredFormatNumber(Desc.Comp->Format));
        if (Desc.AfterProperties)
            Desc.AfterProperties(Properties);
        Properties.None(Desc.Terminator);
    }

    const int32_t Reference =
        AddExport({.Class = Class, .Outer = Outer, .Name = Desc.Name, .Flags = Desc.Flags});
    TExportEntry& Entry = Export(Reference);
    Entry.Data = Properties.Bytes();
    Entry.PropertiesEnd = static_cast<int32_t>(Entry.Data.size());
    if (Desc.Stripped) {
        PutU8(Entry.Data, 0);
        PutBytes(Entry.Data, Desc.Trailer);
        return Reference;
    }
    PutU8(Entry.Data, Desc.MipCount.value_or(static_cast<uint8_t>(1 + Desc.MoreMips.size())));

    const uint8_t Format = Desc.Format.value_or(pfP8);
    // Not value_or: the default must not be made for sizes given only to be stated.
    const TBytes Pixels = Desc.Pixels ? *Desc.Pixels
                                      : PatternBytes(StoredMipSize(Format, Desc.Width, Desc.Height),
                                                     static_cast<uint32_t>(Exports.size()));
    const TMipLayout Layout{PackageVersion, Desc.Version110Byte,
                            Family().MipHeader ? std::optional(MipSubVersion) : std::nullopt};
    PutMip(Entry, Layout, Pixels, Desc.StatedMipSize, Desc.MipEndOffset, Desc.Width, Desc.Height,
           &Entry.MipData);
    PutSmallerMips(Entry, Layout, Desc.MoreMips, Desc.Width, Desc.Height);
    if (const auto& Comp = Desc.Comp) {
        PutBytes(Entry.Data, EncodeIndex(static_cast<int32_t>(1 + Comp->MoreMips.size())));
        const TBytes Pixels =
            Comp->Pixels ? *Comp->Pixels
                         : PatternBytes(StoredMipSize(Comp->Format, Comp->Width, Comp->Height),
                                        static_cast<uint32_t>(Exports.size() + 100));
        PutMip(Entry, Layout, Pixels, Comp->StatedMipSize, std::nullopt, Comp->Width, Comp->Height,
               &Entry.CompMipData);
        PutSmallerMips(Entry, Layout, Comp->MoreMips, Comp->Width, Comp->Height);
    }
    PutBytes(Entry.Data, Desc.Trailer);
    return Reference;
}

} // namespace swatchbox::testing
