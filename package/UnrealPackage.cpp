#include "package/UnrealPackage.h"

#include "package/CompactIndex.h"
#include "package/Errors.h"

#include <utility>

namespace swatchbox {

namespace {

// Smallest size of one entry of each table, used to refuse counts that the
// file can't hold before anything is allocated for them.
constexpr int64_t MinNameEntry = 5; // one character's terminator and Flags
constexpr int64_t MinExportEntry = 12;
constexpr int64_t MinImportEntry = 7;
constexpr int64_t HeritageEntry = 16;
constexpr int64_t GenerationEntry = 8;

[[noreturn]] void ThrowDamaged(const std::string& FileName, const std::string& What) {
    throw EPackageDamaged("Damaged package \"" + FileName + "\": " + What + ".");
}

// Seeks to a table and checks that Count entries of at least MinEntry bytes
// can lie between Offset and the end of the file.
void SeekTable(TFileStream& File, const char* Table, int32_t Count, int32_t Offset,
               int64_t MinEntry) {
    if (Offset < 0 || Offset > File.Size())
        ThrowDamaged(File.FileName(), std::string("the ") + Table + " offset " +
                                          std::to_string(Offset) + " lies outside the file");
    if (Count * MinEntry > File.Size() - Offset)
        ThrowDamaged(File.FileName(), std::string("the ") + Table + " (" + std::to_string(Count) +
                                          " entries) runs past the end of the file");
    File.Seek(Offset);
}

// Runs one table's reader and turns a read past the end into a message that
// says which table it was.
template <class TReadTable>
void ReadTable(TFileStream& File, const char* Table, TReadTable&& Read) {
    try {
        Read();
    } catch (const EPackageDamaged&) {
        ThrowDamaged(File.FileName(),
                     std::string("the ") + Table + " runs past the end of the file");
    }
}

} // namespace

TUnrealPackage::TUnrealPackage(std::string FileName, IReporter& Reporter)
    : FileName(std::move(FileName)), Source(OpenPackageSource(this->FileName)),
      Reporter(&Reporter) {
    TInstalledStream File(*this);
    FileSize = File->Size();
    ReadHeader(*File);
    try {
        ReadTables(*File);
    } catch (const EPackageDamaged&) {
        // Engine builds before version 61 laid their tables out differently;
        // such a file is old, not damaged.
        if (PackageVersion > 0 && PackageVersion < OldestReadableVersion)
            throw EPackageTooOld("Package \"" + this->FileName + "\" has version " +
                                 std::to_string(PackageVersion) +
                                 ", older than this program can read.");
        throw;
    }
}

TUnrealPackage::~TUnrealPackage() = default;

void TUnrealPackage::ReadHeader(TFileStream& File) {
    ReadTable(File, "header", [&] {
        Signature = File.ReadU32();
        PackageVersion = static_cast<int16_t>(File.ReadU16());
        LicenseeVersion = File.ReadU16();
        if (PackageVersion >= FirstTooNewVersion)
            throw EPackageTooNew("Package \"" + FileName + "\" has version " +
                                 std::to_string(PackageVersion) +
                                 ", newer than this program can read.");
        Family =
            FindEngineFamily(Signature, PackageVersion, LicenseeVersion, !Source.Wrapper.empty());
        PackageFlags = File.ReadU32();
        NameCount = File.ReadI32();
        NameOffset = File.ReadI32();
        ExportCount = File.ReadI32();
        ExportOffset = File.ReadI32();
        ImportCount = File.ReadI32();
        ImportOffset = File.ReadI32();
        if (PackageVersion >= 68) {
            File.Read(Guid.data(), Guid.size());
            GenerationCount = File.ReadI32();
        } else {
            HeritageCount = File.ReadI32();
            HeritageOffset = File.ReadI32();
        }
    });
    if (GenerationCount <= 0)
        return;
    SeekTable(File, "generation list", GenerationCount, static_cast<int32_t>(File.Position()),
              GenerationEntry);
    ReadTable(File, "generation list", [&] {
        Generations.reserve(static_cast<std::size_t>(GenerationCount));
        for (int32_t I = 0; I < GenerationCount; ++I) {
            TGenerationObject& Entry = Generations.emplace_back();
            Entry.Owner = this;
            Entry.ExportCount = File.ReadI32();
            Entry.NameCount = File.ReadI32();
        }
    });
}

void TUnrealPackage::ReadTables(TFileStream& File) {
    if (NameCount > 0) {
        SeekTable(File, "name table", NameCount, NameOffset, MinNameEntry);
        ReadTable(File, "name table", [&] {
            Names.reserve(static_cast<std::size_t>(NameCount));
            for (int32_t I = 0; I < NameCount; ++I) {
                TNameObject& Entry = Names.emplace_back();
                Entry.Owner = this;
                Entry.Name = ReadName();
                Entry.Flags = File.ReadU32();
            }
        });
    }
    if (ExportCount > 0) {
        SeekTable(File, "export table", ExportCount, ExportOffset, MinExportEntry);
        ReadTable(File, "export table", [&] {
            Exports.reserve(static_cast<std::size_t>(ExportCount));
            for (int32_t I = 0; I < ExportCount; ++I) {
                TExportObject& Entry = Exports.emplace_back();
                Entry.Owner = this;
                Entry.ClassIndex = ReadIndex();
                Entry.SuperIndex = ReadIndex();
                Entry.PackageIndex = File.ReadI32();
                Entry.ObjectName = ReadIndex();
                Entry.ObjectFlags = File.ReadU32();
                Entry.SerialSize = ReadIndex();
                if (Entry.SerialSize > 0)
                    Entry.SerialOffset = ReadIndex();
            }
        });
    }
    if (ImportCount > 0) {
        SeekTable(File, "import table", ImportCount, ImportOffset, MinImportEntry);
        ReadTable(File, "import table", [&] {
            Imports.reserve(static_cast<std::size_t>(ImportCount));
            for (int32_t I = 0; I < ImportCount; ++I) {
                TImportObject& Entry = Imports.emplace_back();
                Entry.Owner = this;
                Entry.ClassPackage = ReadIndex();
                Entry.ClassName = ReadIndex();
                Entry.PackageIndex = File.ReadI32();
                Entry.ObjectName = ReadIndex();
            }
        });
    }
    if (HeritageCount > 0) {
        SeekTable(File, "heritage list", HeritageCount, HeritageOffset, HeritageEntry);
        ReadTable(File, "heritage list", [&] {
            Heritages.reserve(static_cast<std::size_t>(HeritageCount));
            for (int32_t I = 0; I < HeritageCount; ++I) {
                THeritageObject& Entry = Heritages.emplace_back();
                Entry.Owner = this;
                File.Read(Entry.Guid.data(), Entry.Guid.size());
            }
        });
    }
}

const TExportObject* TUnrealPackage::GetExport(int32_t Index) const {
    if (Index < 0 || static_cast<std::size_t>(Index) >= Exports.size())
        return nullptr;
    return &Exports[static_cast<std::size_t>(Index)];
}

const TExportObject& TUnrealPackage::ExportAt(int32_t Index) const {
    if (const TExportObject* Export = GetExport(Index))
        return *Export;
    throw EReferenceOutOfRange("Damaged package \"" + FileName + "\": export " +
                               std::to_string(Index) + " is outside its table.");
}

std::string TUnrealPackage::GetName(int32_t Index) const {
    if (Index < 0 || static_cast<std::size_t>(Index) >= Names.size())
        return {};
    return Names[static_cast<std::size_t>(Index)].Name;
}

std::string TUnrealPackage::GetReferenceName(int32_t Reference) const {
    if (Reference == 0)
        return {};
    auto OutOfRange = [&](const std::string& What) {
        throw EReferenceOutOfRange("Damaged package \"" + FileName + "\": " + What +
                                   " is outside its table.");
    };
    int32_t NameIndex = 0;
    if (Reference < 0) {
        const int64_t Import = -static_cast<int64_t>(Reference) - 1;
        if (Import >= static_cast<int64_t>(Imports.size()))
            OutOfRange("import " + std::to_string(Import));
        NameIndex = Imports[static_cast<std::size_t>(Import)].ObjectName;
    } else {
        const int64_t Export = static_cast<int64_t>(Reference) - 1;
        if (Export >= static_cast<int64_t>(Exports.size()))
            OutOfRange("export " + std::to_string(Export));
        NameIndex = Exports[static_cast<std::size_t>(Export)].ObjectName;
    }
    if (NameIndex < 0 || static_cast<std::size_t>(NameIndex) >= Names.size())
        OutOfRange("name " + std::to_string(NameIndex));
    return Names[static_cast<std::size_t>(NameIndex)].Name;
}

TFileStream& TUnrealPackage::InstalledStream() const {
    if (!Stream)
        throw EPackageError("No stream is open on package \"" + FileName + "\".");
    return *Stream;
}

int32_t TUnrealPackage::ReadIndex() {
    TFileStream& File = InstalledStream();
    return DecodeCompactIndex([&] { return File.ReadByte(); });
}

std::string TUnrealPackage::ReadString() {
    TFileStream& File = InstalledStream();
    std::string Text;
    for (uint8_t Byte = File.ReadByte(); Byte != 0; Byte = File.ReadByte())
        Text.push_back(static_cast<char>(Byte));
    return Text;
}

std::string TUnrealPackage::ReadName() {
    // From version 64 on a length byte comes first; it is skipped, not trusted.
    if (PackageVersion >= 64)
        InstalledStream().Skip(1);
    return ReadString();
}

int32_t TUnrealPackage::ReadObjectHeader(const std::string& ObjectName) {
    TFileStream& File = InstalledStream();
    const int32_t Check = File.ReadI32();
    if (Check == 3)
        File.Skip(4); // a version before the sub-version
    else if (Check != 4)
        ThrowDamaged(FileName, "object \"" + ObjectName + "\" begins with the unknown header " +
                                   std::to_string(Check));
    return File.ReadI32();
}

int32_t TUnrealPackage::DecodeIndex(std::span<const uint8_t> Bytes) {
    std::size_t Next = 0;
    return DecodeCompactIndex([&] {
        if (Next >= Bytes.size())
            throw EPackageDamaged("A compact index runs past the end of its value.");
        return Bytes[Next++];
    });
}

bool TUnrealPackage::IsPackageFile(const std::string& FileName) {
    return DetectPackageSource(FileName).has_value();
}

std::string TExportObject::GetClassName() const {
    return Owner->GetReferenceName(ClassIndex);
}

std::string TExportObject::GetPackageName() const {
    return Owner->GetReferenceName(PackageIndex);
}

std::string TExportObject::GetObjectName() const {
    return Owner->GetName(ObjectName);
}

TInstalledStream::TInstalledStream(TUnrealPackage& Package) : Package(Package) {
    if (Package.Stream) {
        Active = Package.Stream;
        return;
    }
    Active = &Own.emplace(Package.Source);
    Package.Stream = Active;
}

TInstalledStream::~TInstalledStream() {
    if (Own)
        Package.Stream = nullptr;
}

} // namespace swatchbox
