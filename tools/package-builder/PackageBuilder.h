#pragma once

#include "tools/package-builder/BuiltPackage.h"
#include "tools/package-builder/ByteSink.h"
#include "tools/package-builder/CompactIndex.h"
#include "tools/package-builder/PropertyWriter.h"
#include "tools/package-builder/TexturePixels.h"

#include "package/EngineFamily.h"
#include "package/PixelFormat.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace swatchbox::testing {

using TGuidBytes = std::array<uint8_t, 16>;

// Object flags as packages commonly carry them.
inline constexpr uint32_t PlainObjectFlags = 0x00070004;   // groups, palettes
inline constexpr uint32_t TextureObjectFlags = 0x000F0004; // textures
inline constexpr uint32_t HasStateFrameFlag = 0x02000000;  // data begins with a state frame
inline constexpr uint32_t DefaultNameFlags = 0x00070010;

struct TNameEntry {
    std::string Name{};
    uint32_t Flags = DefaultNameFlags;
    // The byte before the characters from version 64 on; by default the
    // length with the terminator, which is what packages store there.
    std::optional<uint8_t> LengthByte{};
};

// Import entry; every field is written as it stands (name indices and an
// object reference), so tests may point them anywhere.
struct TImportEntry {
    int32_t ClassPackage = 0;
    int32_t ClassName = 0;
    int32_t Outer = 0;
    int32_t ObjectName = 0;
};

struct TExportEntry {
    int32_t Class = 0; // object reference
    int32_t Super = 0; // object reference
    int32_t Outer = 0; // object reference, written as 4 bytes
    int32_t Name = 0;  // name index
    uint32_t Flags = PlainObjectFlags;
    TBytes Data{}; // placed in the file; SerialSize/SerialOffset describe it
    // Stated in the table instead of the real size and offset. A stated size
    // of 0 or less drops SerialOffset from the entry.
    std::optional<int32_t> SerialSize{};
    std::optional<int32_t> SerialOffset{};
    // Offsets inside Data, -1 when not applicable; TBuiltPackage turns them
    // into file positions.
    int32_t PropertiesEnd = -1;
    int32_t MipData = -1;
    int32_t CompMipData = -1; // first mip map of the CompMips array
    int32_t PaletteColours = -1;
    // 4-byte fields of Data that hold file positions: each is set, when the
    // file is built, to the data's file offset plus the given offset into Data.
    std::vector<std::pair<std::size_t, int32_t>> Relocations{};
};

// What AddExport takes, in export-table order:
//   Package.AddExport({.Class = TextureClass, .Outer = Group, .Name = "Wall", .Data = Bytes});
struct TExportDesc {
    int32_t Class = 0;
    int32_t Super = 0;
    int32_t Outer = 0;
    std::string Name{};
    uint32_t Flags = PlainObjectFlags;
    TBytes Data{};
};

// The second, compressed mip array of an Unreal 1 texture: the properties
// bHasComp and CompFormat, and CompMips after the first array.
struct TCompDesc {
    uint8_t Format = pfDXT1; // a layout; written as the package's number for it
    int32_t Width = 16;
    int32_t Height = 16;
    // Pixels default to PatternBytes of StoredMipSize.
    std::optional<TBytes> Pixels{};
    std::optional<int32_t> StatedMipSize{};
    std::vector<TBytes> MoreMips{};
};

// A texture export. The defaults make a 16 x 16 P8 texture with Format, USize
// and VSize properties, no palette property and pattern pixels; every part can
// be left out or replaced to build the case under test.
struct TTextureDesc {
    std::string Name = "Texture";
    // Group export (class Package) the texture lives in, made on first use
    // and reused after. Empty: Outer is used as it stands (0 = top level).
    std::string Group{};
    int32_t Outer = 0;
    // The imported class's name, in whatever letter case the test needs.
    std::string ClassName = "Texture";
    // With HasStateFrameFlag a state frame precedes the properties.
    uint32_t Flags = TextureObjectFlags;

    // Properties, written in this order before the terminator. A property
    // whose optional is empty is left out.
    // A TPixelFormat, stored under the package's engine build's own number for
    // it; a value that is no TPixelFormat the build numbers is stored as it is.
    std::optional<uint8_t> Format = pfP8;
    int32_t Width = 16; // USize, and the width of the default pixels
    int32_t Height = 16;
    bool WriteUSize = true;
    bool WriteVSize = true;
    std::optional<bool> Masked{};       // bMasked
    std::optional<bool> AlphaTexture{}; // bAlphaTexture
    std::optional<int32_t> Palette{};   // object reference in the Palette property
    // Extra tags before the first and after the last standard property.
    std::function<void(TPropertyWriter&)> BeforeProperties{};
    std::function<void(TPropertyWriter&)> AfterProperties{};
    std::string Terminator = "None";
    // Replaces the whole property run (state frame included), terminator and all.
    std::optional<TBytes> RawProperties{};

    // First mip map. Pixels default to PatternBytes of StoredMipSize.
    std::optional<TBytes> Pixels{};
    std::optional<int32_t> StatedMipSize{}; // MipDataSize instead of Pixels' length
    std::optional<uint8_t> MipCount{};      // default 1 + MoreMips
    // MipCount 0 and no mip map at all, as packages stripped for dedicated
    // servers store textures: the next export's data follows (after Trailer).
    bool Stripped = false;
    std::optional<int32_t> MipEndOffset{}; // default: file position after the pixels
    uint8_t Version110Byte = 0;            // the extra byte of version 110
    // Further mip maps, each written with its own header and size trailer.
    std::vector<TBytes> MoreMips{};
    std::optional<TCompDesc> Comp{};
    // Bytes after the last mip map.
    TBytes Trailer{};
};

// Builds a whole package file in memory: header, names, imports, exports and
// their data, for any package version. Version switches follow the format:
// names carry a leading length byte from 64 on; the header has a heritage list
// below 68 and a GUID with generations from 68 on; texture mip headers carry
// MipEndOffset from 63 on and one more byte at exactly 110; the engine
// family's object and mip headers are written where its reader expects them.
//
// Layout: header (with the generation entries), names, export data blocks in
// export order, imports, exports, then the heritage list.
class TPackageBuilder {
public:
    explicit TPackageBuilder(int16_t PackageVersion = 69, uint16_t LicenseeVersion = 0);

    int16_t PackageVersion;
    uint16_t LicenseeVersion;
    uint32_t Signature = 0x9E2A83C1;
    // The sub-version of the header before each mip map, in builds that write
    // one; 1 adds the lazy array the reader skips.
    int32_t MipSubVersion = 1;

    // The engine build the reader will take this package for.
    TEngineFamily Family() const;
    // The "Format" number this package's engine family stores for Layout.
    uint8_t StoredFormatNumber(uint8_t Layout) const;
    uint32_t PackageFlags = 1;
    TGuidBytes Guid;
    std::vector<TGuidBytes> Heritages; // written below version 68; one entry by default
    // Written from version 68 on (ExportCount, NameCount); when empty, one
    // entry with the package's own counts.
    std::vector<std::pair<int32_t, int32_t>> Generations;

    std::vector<TNameEntry> Names;
    std::vector<TImportEntry> Imports;
    std::vector<TExportEntry> Exports;

    // Index of the name; an entry with exactly this spelling is reused, so
    // "None" and "NONE" are two names.
    int32_t AddName(std::string_view Name);
    // Appends a name even when it exists already.
    int32_t AddNameCopy(std::string_view Name);

    // Appends an import; returns its (negative) object reference.
    int32_t AddImport(std::string_view ClassPackage, std::string_view ClassName, int32_t Outer,
                      std::string_view ObjectName);
    // The existing import with these four values, or a new one.
    int32_t FindOrAddImport(std::string_view ClassPackage, std::string_view ClassName,
                            int32_t Outer, std::string_view ObjectName);
    // The import of a class as packages store it: Core.Class ClassName inside
    // the import Core.Package PackageName, e.g. ClassImport("Engine", "Texture").
    int32_t ClassImport(std::string_view PackageName, std::string_view ClassName);

    // Appends an export; returns its (positive) object reference.
    int32_t AddExport(const TExportDesc& Desc);
    // A group: an export of class Package whose data is a lone None tag.
    int32_t AddGroup(std::string_view Name, int32_t Outer = 0);
    // The existing top-level group of that name, or a new one.
    int32_t FindOrAddGroup(std::string_view Name);

    int32_t AddTexture(const TTextureDesc& Desc);
    // A palette export: a lone None tag, the compact colour count, then the
    // colours (256 x red, green, blue, alpha by default).
    int32_t AddPalette(std::string_view Name, const TBytes& Colours = DefaultPaletteColours(),
                       int32_t Outer = 0, int32_t ColourCount = 256);

    // A property writer whose names go into this package.
    TPropertyWriter Properties() { return TPropertyWriter(*this); }

    // Entries by object reference, to change them after adding. Throw
    // std::out_of_range for a reference of the other kind or outside the table.
    TExportEntry& Export(int32_t Reference);
    TImportEntry& Import(int32_t Reference);

    TBuiltPackage Build() const;
    // Build() and write the file; returns the built package for its offsets.
    TBuiltPackage WriteTo(const std::filesystem::path& Path) const;
};

} // namespace swatchbox::testing
