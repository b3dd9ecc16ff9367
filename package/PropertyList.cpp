#include "package/PropertyList.h"

#include "package/AsciiCase.h"
#include "package/Errors.h"

#include <array>
#include <utility>

namespace swatchbox {

namespace {

// Real property runs hold a few dozen tags; a run longer than this is garbage
// and is refused before it can take memory out of proportion to the file.
constexpr std::size_t MaxPropertiesPerRun = 65536;

const char* const PropertyReadError = "Error while trying to read object properties from package!";

} // namespace

std::string_view GetPropertyTypeName(uint8_t Type) {
    static constexpr std::array<std::string_view, 16> Names = {
        "None",  "Byte",  "Integer", "Boolean", "Float",   "Object", "Name", "String",
        "Class", "Array", "Struct",  "Vector",  "Rotator", "Str",    "Map",  "FixedArray"};
    return Names[Type & 0x0F];
}

TObjectProperty::TObjectProperty(TUnrealPackage& Owner, TObjectPropertyList& List, int64_t DataEnd)
    : Owner(&Owner), List(&List) {
    Position = List.Count();
    try {
        ReadTag(DataEnd);
        Complete = true;
    } catch (const EPackageDamaged&) {
        List.ReportTagFailure();
    }
}

void TObjectProperty::ReadTag(int64_t DataEnd) {
    TFileStream& File = *Owner->Stream;
    NameIndex = Owner->ReadIndex();
    NameRead = true;
    if (GetName() == "None")
        return;
    Info = File.ReadByte();
    PropertyType = Info & 0x0F;
    if (PropertyType == ptStruct)
        StructName = Owner->ReadIndex();
    Size = ReadSize((Info & 0x70) >> 4);
    if (PropertyType == ptArray)
        ElementCount = Owner->ReadIndex();
    // For a Boolean, bit 7 is the value, never an array index.
    if (PropertyType != ptBoolean && (Info & 0x80))
        ArrayIndex = File.ReadByte();
    else
        ArrayIndex = -1;
    if (Size < 0 || File.Position() > DataEnd || Size > DataEnd - File.Position())
        throw EPackageDamaged("Property value runs past the end of the object's data.");
    Data = File.ReadBlock(Size);
}

std::string TObjectProperty::GetName() const {
    return Owner->GetName(NameIndex);
}

std::string_view TObjectProperty::GetTypeName() const {
    return GetPropertyTypeName(PropertyType);
}

int32_t TObjectProperty::ReadSize(int Code) {
    static constexpr int32_t FixedSizes[] = {1, 2, 4, 12, 16};
    TFileStream& File = *Owner->Stream;
    switch (Code) {
    case 5:
        return File.ReadByte();
    case 6:
        return File.ReadU16();
    case 7:
        return File.ReadI32();
    default:
        return FixedSizes[Code & 7];
    }
}

void TObjectPropertyList::ReportTagFailure() {
    ++FailedTags;
    // One message per run: a damaged run would otherwise raise one per tag.
    if (FailedTags == 1)
        ReportError(*Owner->Reporter, PropertyReadError);
}

bool TObjectPropertyList::Read(int32_t ExportIndex, int32_t& EndPosition) {
    TInstalledStream File(*Owner);
    const TExportObject& Export = Owner->ExportAt(ExportIndex);
    if (Export.SerialSize <= 0 || Export.SerialOffset < 0 || Export.SerialOffset >= File->Size())
        return false;
    const int64_t DataEnd =
        std::min<int64_t>(int64_t{Export.SerialOffset} + Export.SerialSize, File->Size());
    File->Seek(Export.SerialOffset);
    try {
        if (Export.ObjectFlags & RF_HasStack) {
            Owner->ReadIndex();
            Owner->ReadIndex();
            File->Skip(12);
            Owner->ReadIndex();
        }
    } catch (const EPackageDamaged&) {
        return false;
    }
    if (Owner->Family.ObjectHeader) {
        try {
            Owner->ReadObjectHeader(Export.GetObjectName());
        } catch (const EPackageDamaged& Error) {
            ReportError(*Owner->Reporter, Error.what());
            return false;
        }
    }
    for (;;) {
        // A run that reaches the end of the data without its terminator, or
        // whose tags keep failing, can't be trusted for what follows it.
        if (File->Position() >= DataEnd || Items.size() >= MaxPropertiesPerRun || FailedTags > 1)
            return false;
        const TObjectProperty& Item =
            *Items.emplace_back(std::make_unique<TObjectProperty>(*Owner, *this, DataEnd));
        if (!Item.NameRead)
            return false;
        if (AsciiUpper(Item.GetName()) == "NONE")
            break;
    }
    if (File->Position() > DataEnd)
        return false;
    EndPosition = static_cast<int32_t>(File->Position());
    return true;
}

const TObjectProperty* TObjectPropertyList::Find(std::string_view Name) const {
    const std::string Wanted = AsciiUpper(Name);
    for (const auto& Item : Items)
        if (AsciiUpper(Item->GetName()) == Wanted)
            return Item.get();
    return nullptr;
}

} // namespace swatchbox
