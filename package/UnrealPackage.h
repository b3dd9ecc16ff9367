#pragma once

#include "package/EngineFamily.h"
#include "package/FileStream.h"
#include "package/PackageSource.h"
#include "package/Reporter.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace swatchbox {

class TUnrealPackage;

// Older versions store their tables in layouts this reader doesn't know.
inline constexpr int16_t OldestReadableVersion = 61;
// From this version on the engine generations store their headers differently.
inline constexpr int16_t FirstTooNewVersion = 200;
// ObjectFlags bit: the export's data begins with a state frame.
inline constexpr uint32_t RF_HasStack = 0x02000000;

using TGuid = std::array<uint8_t, 16>;

struct TNameObject {
    TUnrealPackage* Owner = nullptr;
    std::string Name;
    uint32_t Flags = 0;
};

struct TExportObject {
    TUnrealPackage* Owner = nullptr;
    int32_t ClassIndex = 0;
    int32_t SuperIndex = 0;
    int32_t PackageIndex = 0;
    int32_t ObjectName = 0;
    uint32_t ObjectFlags = 0;
    int32_t SerialSize = 0;
    int32_t SerialOffset = 0;

    std::string GetClassName() const;
    std::string GetPackageName() const;
    std::string GetObjectName() const;
};

struct TImportObject {
    TUnrealPackage* Owner = nullptr;
    int32_t ClassPackage = 0;
    int32_t ClassName = 0;
    int32_t PackageIndex = 0;
    int32_t ObjectName = 0;
};

struct TGenerationObject {
    TUnrealPackage* Owner = nullptr;
    int32_t ExportCount = 0;
    int32_t NameCount = 0;
};

struct THeritageObject {
    TUnrealPackage* Owner = nullptr;
    TGuid Guid{};
};

// One package file: its header and tables, read once by the constructor. Later
// reads (properties, texture headers, pixels) reopen the file through
// TInstalledStream and use the package's decoders on the installed Stream.
class TUnrealPackage {
public:
    // Throws EFileOpenError when the file can't be opened and EPackageDamaged
    // when the header or a table runs outside the file; EPackageTooOld instead
    // when the tables don't fit a package older than OldestReadableVersion,
    // EPackageTooNew for versions from FirstTooNewVersion on.
    TUnrealPackage(std::string FileName, IReporter& Reporter);
    ~TUnrealPackage();
    TUnrealPackage(const TUnrealPackage&) = delete;
    TUnrealPackage& operator=(const TUnrealPackage&) = delete;

    std::string FileName;
    // Where the bytes are; a compressed file's image is decompressed once,
    // here, and every stream of this package reads it.
    TPackageSource Source;
    TFileStream* Stream = nullptr; // not owned; see TInstalledStream
    // Where the messages of reads go; never none. Not owned: a caller may
    // point it elsewhere for a batch of reads, as TTextureWalk does.
    IReporter* Reporter;

    uint32_t Signature = 0;
    int16_t PackageVersion = 0;
    uint16_t LicenseeVersion = 0;
    uint32_t PackageFlags = 0;
    int32_t NameCount = 0;
    int32_t NameOffset = 0;
    int32_t ExportCount = 0;
    int32_t ExportOffset = 0;
    int32_t ImportCount = 0;
    int32_t ImportOffset = 0;
    int32_t HeritageCount = 0;
    int32_t HeritageOffset = 0;
    TGuid Guid{};
    int32_t GenerationCount = 0;
    // Known once the header is read.
    TEngineFamily Family;

    std::vector<TNameObject> Names;
    std::vector<TExportObject> Exports;
    std::vector<TImportObject> Imports;
    std::vector<THeritageObject> Heritages;
    std::vector<TGenerationObject> Generations;

    // Length of the file when the tables were read.
    int64_t FileSize = 0;

    // None for a number outside the export table.
    const TExportObject* GetExport(int32_t Index) const;
    // The same, for callers that can't go on without it: throws
    // EReferenceOutOfRange for a number outside the export table.
    const TExportObject& ExportAt(int32_t Index) const;
    // Empty for an index outside the name table.
    std::string GetName(int32_t Index) const;
    // Empty for 0; throws EReferenceOutOfRange for a reference or name index
    // outside its table.
    std::string GetReferenceName(int32_t Reference) const;

    // Decoders on the installed Stream.
    int32_t ReadIndex();
    std::string ReadString();
    std::string ReadName();
    // Reads the header the Family puts before an object's data or a mip map
    // and returns its sub-version. Throws EPackageDamaged naming ObjectName
    // for a check value the family doesn't write.
    int32_t ReadObjectHeader(const std::string& ObjectName);

    // Decodes a compact index from memory; throws EPackageDamaged when the
    // bytes end before the index does.
    static int32_t DecodeIndex(std::span<const uint8_t> Bytes);
    // True when the file begins with a package signature or is a
    // compressed package (DetectPackageSource). Throws
    // EFileOpenError when the file can't be opened.
    static bool IsPackageFile(const std::string& FileName);

private:
    void ReadHeader(TFileStream& File);
    void ReadTables(TFileStream& File);
    TFileStream& InstalledStream() const;
};

// Gives a reading operation the package's Stream. When no stream is
// installed, it opens the file, installs it for its own lifetime and closes it
// on every path, so each operation reads the file as it is now. When a caller
// already holds one installed (a batch of reads, such as a whole package's
// export), it borrows that one instead of opening the file again.
class TInstalledStream {
public:
    explicit TInstalledStream(TUnrealPackage& Package);
    ~TInstalledStream();
    TInstalledStream(const TInstalledStream&) = delete;
    TInstalledStream& operator=(const TInstalledStream&) = delete;

    TFileStream& operator*() { return *Active; }
    TFileStream* operator->() { return Active; }

private:
    TUnrealPackage& Package;
    std::optional<TFileStream> Own;
    TFileStream* Active;
};

} // namespace swatchbox
