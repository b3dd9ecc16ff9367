#include "tools/package-builder/PackageBuilder.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace swatchbox::testing {

namespace {

int32_t Position(const TBytes& Out) {
    if (Out.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max()))
        throw std::length_error("package larger than 2 GB");
    return static_cast<int32_t>(Out.size());
}

int32_t Count(std::size_t Size) {
    return static_cast<int32_t>(Size);
}

void PutIndex(TBytes& Out, int32_t Value) {
    PutBytes(Out, EncodeIndex(Value));
}

} // namespace

TBuiltPackage TPackageBuilder::Build() const {
    TBuiltPackage Result;
    TBytes& Out = Result.Bytes;

    PutU32(Out, Signature);
    PutU16(Out, static_cast<uint16_t>(PackageVersion));
    PutU16(Out, LicenseeVersion);
    PutU32(Out, PackageFlags);
    Out.resize(36, 0); // counts and offsets, filled in once the tables are placed
    if (PackageVersion >= 68) {
        PutBytes(Out, Guid);
        std::vector<std::pair<int32_t, int32_t>> Entries = Generations;
        if (Entries.empty())
            Entries.emplace_back(Count(Exports.size()), Count(Names.size()));
        PutI32(Out, Count(Entries.size()));
        for (const auto& [ExportCount, NameCount] : Entries) {
            PutI32(Out, ExportCount);
            PutI32(Out, NameCount);
        }
    } else {
        PutI32(Out, Count(Heritages.size()));
        PutI32(Out, 0); // heritage offset, filled in below
    }

    Result.NameOffset = Position(Out);
    for (const TNameEntry& Name : Names) {
        Result.NameEntryOffsets.push_back(Position(Out));
        if (PackageVersion >= 64)
            PutU8(Out, Name.LengthByte.value_or(
                           static_cast<uint8_t>(std::min<std::size_t>(Name.Name.size() + 1, 255))));
        Out.insert(Out.end(), Name.Name.begin(), Name.Name.end());
        PutU8(Out, 0);
        PutU32(Out, Name.Flags);
    }

    Result.Exports.resize(Exports.size());
    for (std::size_t Index = 0; Index < Exports.size(); ++Index) {
        const TExportEntry& Export = Exports[Index];
        if (Export.Data.empty())
            continue;
        TPlacedExport& Placed = Result.Exports[Index];
        const int32_t Offset = Position(Out);
        PutBytes(Out, Export.Data);
        Placed.DataOffset = Offset;
        Placed.DataSize = Count(Export.Data.size());
        for (const auto& [Field, Target] : Export.Relocations)
            SetU32(Out, static_cast<std::size_t>(Offset) + Field,
                   static_cast<uint32_t>(Offset + Target));
        auto Absolute = [Offset](int32_t Inside) { return Inside < 0 ? -1 : Offset + Inside; };
        Placed.PropertiesEnd = Absolute(Export.PropertiesEnd);
        Placed.MipDataPosition = Absolute(Export.MipData);
        Placed.CompMipDataPosition = Absolute(Export.CompMipData);
        Placed.PalettePosition = Absolute(Export.PaletteColours);
    }

    Result.ImportOffset = Position(Out);
    for (const TImportEntry& Import : Imports) {
        PutIndex(Out, Import.ClassPackage);
        PutIndex(Out, Import.ClassName);
        PutI32(Out, Import.Outer);
        PutIndex(Out, Import.ObjectName);
    }

    Result.ExportOffset = Position(Out);
    for (std::size_t Index = 0; Index < Exports.size(); ++Index) {
        const TExportEntry& Export = Exports[Index];
        TPlacedExport& Placed = Result.Exports[Index];
        Placed.EntryOffset = Position(Out);
        PutIndex(Out, Export.Class);
        PutIndex(Out, Export.Super);
        PutI32(Out, Export.Outer);
        PutIndex(Out, Export.Name);
        PutU32(Out, Export.Flags);
        const int32_t SerialSize = Export.SerialSize.value_or(Count(Export.Data.size()));
        PutIndex(Out, SerialSize);
        if (SerialSize > 0)
            PutIndex(Out, Export.SerialOffset.value_or(std::max(Placed.DataOffset, 0)));
    }

    if (PackageVersion < 68) {
        Result.HeritageOffset = Position(Out);
        for (const TGuidBytes& Heritage : Heritages)
            PutBytes(Out, Heritage);
        SetU32(Out, 40, static_cast<uint32_t>(Result.HeritageOffset));
    }

    SetU32(Out, 12, static_cast<uint32_t>(Names.size()));
    SetU32(Out, 16, static_cast<uint32_t>(Result.NameOffset));
    SetU32(Out, 20, static_cast<uint32_t>(Exports.size()));
    SetU32(Out, 24, static_cast<uint32_t>(Result.ExportOffset));
    SetU32(Out, 28, static_cast<uint32_t>(Imports.size()));
    SetU32(Out, 32, static_cast<uint32_t>(Result.ImportOffset));
    return Result;
}

} // namespace swatchbox::testing
