#pragma once

#include "tools/package-builder/ByteSink.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace swatchbox::testing {

// Header fields at their fixed file offsets. HeritageCount and HeritageOffset
// (36, 40) exist below version 68, GenerationCount (52) from 68 on; setting
// one in a package of the other kind overwrites whatever lies there.
enum class THeaderField {
    Signature,
    PackageVersion,
    LicenseeVersion,
    PackageFlags,
    NameCount,
    NameOffset,
    ExportCount,
    ExportOffset,
    ImportCount,
    ImportOffset,
    HeritageCount,
    HeritageOffset,
    GenerationCount,
};

// File offset and width in bytes of a header field.
std::size_t HeaderFieldOffset(THeaderField Field);
std::size_t HeaderFieldWidth(THeaderField Field);

// Where one export ended up in the file. Positions are absolute file offsets;
// -1 where the export has no such thing (or no data at all).
struct TPlacedExport {
    int32_t EntryOffset = -1;         // its entry in the export table
    int32_t DataOffset = -1;          // its data block (also when SerialOffset states another)
    int32_t DataSize = 0;             // bytes of the data block
    int32_t PropertiesEnd = -1;       // right after the terminating tag
    int32_t MipDataPosition = -1;     // first mip map's pixels
    int32_t CompMipDataPosition = -1; // the compressed picture's first mip map
    int32_t PalettePosition = -1;     // first colour entry of a palette
};

// A finished package file: its bytes and where everything lies in them. The
// bytes may be damaged at will before they are written.
class TBuiltPackage {
public:
    TBytes Bytes;
    int32_t NameOffset = 0;
    int32_t ImportOffset = 0;
    int32_t ExportOffset = 0;
    int32_t HeritageOffset = 0; // 0 from version 68 on
    std::vector<int32_t> NameEntryOffsets;
    std::vector<TPlacedExport> Exports; // by export number

    // By object reference (1 is export 0). Throws std::out_of_range.
    const TPlacedExport& Export(int32_t Reference) const;
    int32_t DataOffset(int32_t Reference) const { return Export(Reference).DataOffset; }
    int32_t PropertiesEnd(int32_t Reference) const { return Export(Reference).PropertiesEnd; }
    int32_t MipDataPosition(int32_t Reference) const { return Export(Reference).MipDataPosition; }
    int32_t CompMipDataPosition(int32_t Reference) const {
        return Export(Reference).CompMipDataPosition;
    }
    int32_t PalettePosition(int32_t Reference) const { return Export(Reference).PalettePosition; }

    // Overwrites a header field with Value, in the field's width.
    TBuiltPackage& SetHeader(THeaderField Field, int64_t Value);
    // Cuts the file to Size bytes (no-op when it is already shorter).
    TBuiltPackage& Truncate(std::size_t Size);

    // Writes the bytes to Path, replacing any file there. Throws
    // std::runtime_error when the file can't be written.
    void WriteTo(const std::filesystem::path& Path) const;
};

// Writes Bytes to Path; throws std::runtime_error on failure.
void WriteFileBytes(const std::filesystem::path& Path, const TBytes& Bytes);

} // namespace swatchbox::testing
