#include "PackageBuilder.h"

#include <algorithm>
#include <bit>

namespace swatchbox::testing {

namespace {

// Each mip map: [MipEndOffset from 63 on] [one byte at 110] compact size,
// pixels, then USize, VSize, UBits and VBits of that mip.
void PutMip(TExportEntry& Export, int16_t Version, const TTextureSpec& Spec, const TBytes& Pixels,
            std::optional<int32_t> StatedSize, std::optional<int32_t> EndOffset, int32_t Width,
            int32_t Height, bool First) {
    TBytes& Out = Export.Data;
    std::size_t EndField = 0;
    if (Version >= 63) {
        EndField = Out.size();
        PutI32(Out, EndOffset.value_or(0));
    }
    if (Version == 110)
        PutU8(Out, Spec.Version110Byte);
    PutBytes(Out, EncodeIndex(StatedSize.value_or(static_cast<int32_t>(Pixels.size()))));
    if (First)
        Export.MipData = static_cast<int32_t>(Out.size());
    PutBytes(Out, Pixels);
    if (Version >= 63 && !EndOffset)
        Export.Relocations.emplace_back(EndField, static_cast<int32_t>(Out.size()));
    PutI32(Out, Width);
    PutI32(Out, Height);
    PutU8(Out, static_cast<uint8_t>(std::bit_width(static_cast<uint32_t>(std::max(Width, 1))) - 1));
    PutU8(Out,
          static_cast<uint8_t>(std::bit_width(static_cast<uint32_t>(std::max(Height, 1))) - 1));
}

} // namespace

int32_t TPackageBuilder::AddTexture(const TTextureSpec& Spec) {
    const int32_t Class = ClassImport("Engine", Spec.ClassName);
    const int32_t Outer = Spec.Group.empty() ? Spec.Outer : FindOrAddGroup(Spec.Group);

    TPropertyWriter Properties(*this);
    if (Spec.RawProperties) {
        Properties.Raw(*Spec.RawProperties);
    } else {
        if (Spec.Flags & HasStateFrameFlag)
            Properties.StateFrame();
        if (Spec.BeforeProperties)
            Spec.BeforeProperties(Properties);
        if (Spec.Format)
            Properties.Byte("Format", *Spec.Format);
        if (Spec.WriteUSize)
            Properties.Int("USize", Spec.Width);
        if (Spec.WriteVSize)
            Properties.Int("VSize", Spec.Height);
        if (Spec.Masked)
            Properties.Bool("bMasked", *Spec.Masked);
        if (Spec.AlphaTexture)
            Properties.Bool("bAlphaTexture", *Spec.AlphaTexture);
        if (Spec.Palette)
            Properties.Object("Palette", *Spec.Palette);
        if (Spec.AfterProperties)
            Spec.AfterProperties(Properties);
        Properties.None(Spec.Terminator);
    }

    const int32_t Reference =
        AddExport({.Class = Class, .Outer = Outer, .Name = Spec.Name, .Flags = Spec.Flags});
    TExportEntry& Entry = Export(Reference);
    Entry.Data = Properties.Bytes();
    Entry.PropertiesEnd = static_cast<int32_t>(Entry.Data.size());
    PutU8(Entry.Data, Spec.MipCount.value_or(static_cast<uint8_t>(1 + Spec.MoreMips.size())));

    const uint8_t Format = Spec.Format.value_or(pfP8);
    // Not value_or: the default must not be made for sizes given only to be stated.
    const TBytes Pixels = Spec.Pixels ? *Spec.Pixels
                                      : PatternBytes(StoredMipSize(Format, Spec.Width, Spec.Height),
                                                     static_cast<uint32_t>(Exports.size()));
    PutMip(Entry, PackageVersion, Spec, Pixels, Spec.StatedMipSize, Spec.MipEndOffset, Spec.Width,
           Spec.Height, true);
    int32_t Width = Spec.Width;
    int32_t Height = Spec.Height;
    for (const TBytes& Mip : Spec.MoreMips) {
        Width = std::max(Width / 2, 1);
        Height = std::max(Height / 2, 1);
        PutMip(Entry, PackageVersion, Spec, Mip, std::nullopt, std::nullopt, Width, Height, false);
    }
    PutBytes(Entry.Data, Spec.Trailer);
    return Reference;
}

} // namespace swatchbox::testing
