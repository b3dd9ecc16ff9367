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
    if (Owner->Family.MipHeader && Owner->ReadObjectHeader(Name) == 1) {
        // A lazy array of its own before the pixels': skip position, count, bytes.
        File->Skip(4);
        const int32_t Count = Owner->ReadIndex();
        if (Count < 0)
            throw EPackageDamaged("Damaged package \"" + Owner->FileName + "\": texture \"" + Name +
                                  "\" has a mip map record of negative length.");
        File->Skip(Count);
    }
    if (Owner->PackageVersion >= 63)
        MipEndOffset = File->ReadI32();
    if (Owner->PackageVersion == 110)
        File->Skip(1);
    MipDataSize = Owner->ReadIndex();
    MipDataPosition = static_cast<int32_t>(File->Position());
    return File->Size();
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

std::string_view GetFormatName(const TTextureObject& Texture) {
    return GetFormatName(Texture.Format);
}

} // namespace swatchbox
