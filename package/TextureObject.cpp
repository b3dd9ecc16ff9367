#include "package/TextureObject.h"

#include "package/ByteOrder.h"
#include "package/Errors.h"
#include "package/LineageMaterial.h"
#include "package/PropertyList.h"

#include <algorithm>

namespace swatchbox {

namespace {

const char* const TextureReadError = "Error while reading texture object!";

int32_t LittleEndianInt(const std::vector<uint8_t>& Bytes) {
    return static_cast<int32_t>(LoadLE32(Bytes, 0));
}

// Five lines: what happened, an empty line, the texture and its problem
// (which may take two lines), and that it is ignored.
std::string PaletteWarning(const std::string& Name, const char* Problem) {
    return "Problem while reading texture object!\r\n\r\nTexture \"" + Name + "\" " + Problem +
           "\r\nTexture will be ignored.";
}

} // namespace

TTextureObject::TTextureObject(TUnrealPackage& Owner, int32_t ExportIndex,
                               const TTextureUploader& Uploader, TPalettePositions* Palettes)
    : Owner(&Owner), ExportIndex(ExportIndex), KnownPalettes(Palettes) {
    const TExportObject& Export = Owner.ExportAt(ExportIndex);
    Name = Export.GetObjectName();
    Group = Export.GetPackageName();
    if (Group.empty())
        Group = "(None)";
    Read();
    KnownPalettes = nullptr;
    if (!HasMipData || !Uploader)
        return;
    TInstalledStream Stream(Owner);
    GLTexture = Uploader(*Stream, MakeUploadRequest());
}

TTextureObject::~TTextureObject() = default;

void TTextureObject::Read() {
    int32_t EndPosition = 0;
    bool HasPalette = false;
    {
        TObjectPropertyList List(*Owner);
        if (!List.Read(ExportIndex, EndPosition)) {
            ReportError(*Owner->Reporter, TextureReadError);
            return;
        }
        TakeProperties(List);
        if (Format == pfP8) {
            if (!ResolvePalette(List, HasPalette))
                return;
        }
    }
    int64_t FileSize = 0;
    try {
        if (HasPalette)
            PalettePosition = FindPalettePosition();
        FileSize = ReadMipHeader(EndPosition);
    } catch (const EPackageDamaged&) {
        ReportError(*Owner->Reporter, TextureReadError);
        return;
    }
    if (MipCount > 0) {
        // A first mip map too short for the texture's size would make every
        // reader of its pixels take bytes of whatever follows it.
        if (const std::string Problem = FirstMipProblem(FileSize); !Problem.empty()) {
            ReportError(*Owner->Reporter, std::string(TextureReadError) + "\r\n\r\n" + Problem);
            return;
        }
        HasMipData = true;
        // The second picture is optional: whatever is wrong with it leaves the
        // first one readable.
        if (bHasComp && Owner->Family.CompMips)
            if (const std::string Problem = ReadCompressedPicture(); !Problem.empty())
                ReportError(*Owner->Reporter, std::string(TextureReadError) + "\r\n\r\n" + Problem);
    }
    Decoded = true;
}

void TTextureObject::TakeProperties(const TObjectPropertyList& List) {
    // A value too short for what is taken from it counts as missing.
    if (const TObjectProperty* Property = List.Find("Format");
        Property && !Property->Data.empty()) {
        StoredFormat = Property->Data[0];
        Format = Owner->Family.FormatOf(StoredFormat);
    }
    if (const TObjectProperty* Property = List.Find("USize");
        Property && Property->Data.size() >= 4)
        USize = LittleEndianInt(Property->Data);
    if (const TObjectProperty* Property = List.Find("VSize");
        Property && Property->Data.size() >= 4)
        VSize = LittleEndianInt(Property->Data);
    if (const TObjectProperty* Property = List.Find("bAlphaTexture"))
        bAlphaTexture = Property->BooleanValue();
    if (const TObjectProperty* Property = List.Find("bMasked"))
        bMasked = Property->BooleanValue();
    if (const TObjectProperty* Property = List.Find("bHasComp"))
        bHasComp = Property->BooleanValue();
    if (const TObjectProperty* Property = List.Find("CompFormat");
        Property && !Property->Data.empty())
        StoredCompFormat = Property->Data[0];
}

bool TTextureObject::ResolvePalette(const TObjectPropertyList& List, bool& HasPalette) {
    const TObjectProperty* Palette = List.Find("Palette");
    if (!Palette)
        return true;
    int64_t Reference = 0;
    try {
        Reference = TUnrealPackage::DecodeIndex(Palette->Data);
    } catch (const EPackageDamaged&) {
        return true; // a cut-off reference counts as no Palette property
    }
    // Reference 0 (no object) and imports give a negative export number.
    PaletteExport = static_cast<int32_t>(std::max<int64_t>(Reference - 1, -1));
    if (PaletteExport < 0) {
        ReportWarning(*Owner->Reporter,
                      PaletteWarning(Name, "needs an imported palette.\r\n"
                                           "Imported palettes are not supported!"));
        return false;
    }
    const TExportObject* PaletteObject = Owner->GetExport(PaletteExport);
    if (!PaletteObject || PaletteObject->SerialSize <= 0) {
        ReportWarning(*Owner->Reporter,
                      PaletteWarning(
                          Name, PaletteObject ? "refers to a palette that holds no colours."
                                              : "refers to a palette that is not in the package."));
        PaletteExport = -1;
        return false;
    }
    HasPalette = true;
    return true;
}

int64_t TTextureObject::ReadMipHeader(int32_t EndPosition) {
    TInstalledStream File(*Owner);
    File->Seek(EndPosition);
    if (Owner->Family.MaterialExtras)
        SkipLineageMaterial(*Owner, Name);
    MipCount = File->ReadByte();
    // Without mip maps the bytes that follow belong to the next object.
    if (MipCount == 0)
        return File->Size();
    const TMipRecord First = ReadMipStart();
    MipEndOffset = First.EndOffset;
    MipDataSize = First.DataSize;
    MipDataPosition = First.DataPosition;
    return File->Size();
}

TTextureObject::TMipRecord TTextureObject::ReadMipStart() {
    TFileStream& File = *Owner->Stream;
    TMipRecord Mip;
    if (Owner->Family.MipHeader && Owner->ReadObjectHeader(Name) == 1) {
        // A lazy array of its own before the pixels': skip position, count, bytes.
        File.Skip(4);
        const int32_t Count = Owner->ReadIndex();
        if (Count < 0)
            throw EPackageDamaged("Damaged package \"" + Owner->FileName + "\": texture \"" + Name +
                                  "\" has a mip map record of negative length.");
        File.Skip(Count);
    }
    if (Owner->PackageVersion >= 63)
        Mip.EndOffset = File.ReadI32();
    if (Owner->PackageVersion == 110)
        File.Skip(1);
    Mip.DataSize = Owner->ReadIndex();
    Mip.DataPosition = static_cast<int32_t>(File.Position());
    return Mip;
}

void TTextureObject::ReadMipRest(TMipRecord& Mip, int64_t Limit) {
    TFileStream& File = *Owner->Stream;
    // Pixels, then USize, VSize (4 bytes each), UBits and VBits (1 each).
    constexpr int64_t TrailerBytes = 10;
    if (Mip.DataSize < 0 || Mip.DataSize > Limit - File.Position() - TrailerBytes)
        throw EPackageDamaged("Damaged package \"" + Owner->FileName + "\": texture \"" + Name +
                              "\" has a mip map past the end of its object.");
    File.Skip(Mip.DataSize);
    Mip.USize = File.ReadI32();
    Mip.VSize = File.ReadI32();
    File.Skip(2);
}

std::string TTextureObject::ReadCompressedPicture() {
    const std::string Texture = "Texture \"" + Name + "\" ";
    const TExportObject& Export = Owner->ExportAt(ExportIndex);
    const int64_t ObjectEnd = int64_t{Export.SerialOffset} + Export.SerialSize;
    TCompressedPicture Picture{StoredCompFormat, Owner->Family.FormatOf(StoredCompFormat)};
    try {
        TInstalledStream File(*Owner);
        // A count of 64 or more would not have been a one-byte compact index.
        if (MipCount >= 64)
            throw EPackageDamaged(Texture + "has a mip count that is no one-byte index.");
        File->Seek(MipDataPosition);
        TMipRecord Mip{MipEndOffset, MipDataSize, MipDataPosition};
        ReadMipRest(Mip, ObjectEnd);
        for (int Left = MipCount - 1; Left > 0; --Left) {
            Mip = ReadMipStart();
            ReadMipRest(Mip, ObjectEnd);
        }
        Picture.MipCount = Owner->ReadIndex();
        if (Picture.MipCount < 0)
            throw EPackageDamaged(Texture + "has a negative compressed mip count.");
        if (Picture.MipCount == 0)
            return {};
        for (int32_t Number = 0; Number < Picture.MipCount; ++Number) {
            Mip = ReadMipStart();
            ReadMipRest(Mip, ObjectEnd);
            if (Number == 0) {
                Picture.USize = Mip.USize;
                Picture.VSize = Mip.VSize;
                Picture.MipDataSize = Mip.DataSize;
                Picture.MipDataPosition = Mip.DataPosition;
            }
        }
    } catch (const EPackageDamaged&) {
        return Texture + "has a compressed picture that runs past the end of its object; "
                         "the picture is left out.";
    }
    const int64_t Needed = MipByteSize(Picture.Format, Picture.USize, Picture.VSize);
    if (Picture.MipDataSize < Needed)
        return Texture + "stores " + std::to_string(Picture.MipDataSize) +
               " bytes for its compressed picture where its size needs " + std::to_string(Needed) +
               "; the picture is left out.";
    Comp = Picture;
    return {};
}

std::string TTextureObject::FirstMipProblem(int64_t FileSize) const {
    const int64_t Needed = MipByteSize(Format, USize, VSize);
    if (Needed <= 0)
        return {}; // a format or size whose pixels are never read
    if (MipDataSize < Needed)
        return "Texture \"" + Name + "\" stores " + std::to_string(MipDataSize) +
               " bytes for its first mip map where its size needs " + std::to_string(Needed) + ".";
    if (Needed > FileSize - MipDataPosition)
        return "Texture \"" + Name + "\" has its first mip map beyond the end of the file.";
    return {};
}

int32_t TTextureObject::FindPalettePosition() {
    if (KnownPalettes)
        if (const auto Known = KnownPalettes->find(PaletteExport); Known != KnownPalettes->end())
            return Known->second;
    TInstalledStream File(*Owner);
    const TExportObject& Palette = Owner->ExportAt(PaletteExport);
    File->Seek(Palette.SerialOffset);
    if (Owner->Family.ObjectHeader)
        Owner->ReadObjectHeader(Palette.GetObjectName());
    Owner->ReadIndex(); // the palette's property run, a lone None tag
    Owner->ReadIndex(); // its colour count; 256 entries are always read
    const auto Position = static_cast<int32_t>(File->Position());
    if (KnownPalettes)
        KnownPalettes->emplace(PaletteExport, Position);
    return Position;
}

bool TTextureObject::PixelDataInFile(int64_t FileSize) const {
    const int64_t DataSize = MipByteSize(Format, USize, VSize);
    if (DataSize <= 0 || MipDataPosition < 0 || DataSize > FileSize - MipDataPosition)
        return false;
    return Format != pfP8 || (PalettePosition >= 0 && PalettePosition <= FileSize - PaletteBytes);
}

TUploadRequest TTextureObject::MakeUploadRequest() const {
    return {USize, VSize, MipDataPosition, PalettePosition, Format, true};
}

TUploadRequest TTextureObject::MakeCompUploadRequest() const {
    return {Comp->USize, Comp->VSize, Comp->MipDataPosition, 0, Comp->Format, true};
}

std::string_view GetFormatName(const TTextureObject& Texture) {
    return GetFormatName(Texture.Format);
}

} // namespace swatchbox
