#pragma once

#include "package/UnrealPackage.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace swatchbox {

class TObjectPropertyList;

enum TPropertyType : uint8_t {
    ptNone = 0,
    ptByte = 1,
    ptInteger = 2,
    ptBoolean = 3,
    ptFloat = 4,
    ptObject = 5,
    ptName = 6,
    ptString = 7,
    ptClass = 8,
    ptArray = 9,
    ptStruct = 10,
    ptVector = 11,
    ptRotator = 12,
    ptStr = 13,
    ptMap = 14,
    ptFixedArray = 15,
};

// One tagged property: its name, type, size and the raw bytes of its value.
class TObjectProperty {
public:
    // Reads one tag from Owner's installed Stream. Always yields an object; a
    // tag that can't be read is reported and keeps the fields read so far.
    // Reading never goes past DataEnd, the end of the export's data.
    TObjectProperty(TUnrealPackage& Owner, TObjectPropertyList& List, int64_t DataEnd);

    TUnrealPackage* Owner;
    TObjectPropertyList* List;
    int32_t Position = 0;
    int32_t NameIndex = 0;
    uint8_t Info = 0;
    uint8_t PropertyType = 0;
    int32_t Size = 0;
    int32_t ElementCount = 0;
    int32_t ArrayIndex = 0;
    std::vector<uint8_t> Data;
    int32_t StructName = 0;
    // False when the tag could not be read completely.
    bool Complete = false;
    // False when not even the tag's name could be read.
    bool NameRead = false;

    std::string GetName() const;
    std::string_view GetTypeName() const;
    bool BooleanValue() const { return (Info & 0x80) != 0; }
    int32_t ReadSize(int Code);

private:
    void ReadTag(int64_t DataEnd);
};

// The tagged properties that begin an export's data, terminator included.
class TObjectPropertyList {
public:
    explicit TObjectPropertyList(TUnrealPackage& Owner) : Owner(&Owner) {}

    TUnrealPackage* Owner;
    std::vector<std::unique_ptr<TObjectProperty>> Items;

    // Reads the properties of export ExportIndex. True when the run was read up
    // to its None terminator within the export's data; EndPosition is then the
    // file position right after it. False when the run has no terminator
    // within the export's data or the file. Throws EFileOpenError or
    // EReferenceOutOfRange for a file that can't be opened or an unknown export.
    bool Read(int32_t ExportIndex, int32_t& EndPosition);
    // First item whose name equals Name without regard to ASCII case.
    const TObjectProperty* Find(std::string_view Name) const;
    int32_t Count() const { return static_cast<int32_t>(Items.size()); }

    // Called by a tag that could not be read; reports the first such failure.
    void ReportTagFailure();

private:
    int FailedTags = 0;
};

std::string_view GetPropertyTypeName(uint8_t Type);

} // namespace swatchbox
