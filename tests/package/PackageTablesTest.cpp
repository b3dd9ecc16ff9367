// The header and tables of well-formed packages: what each version switches,
// the export entry's odd fields, the lookups and the signature test.
#include "package/Errors.h"
#include "tests/package/PackageFile.h"

#include <gtest/gtest.h>

#include <climits>

namespace swatchbox::testing {
namespace {

TGuidBytes Guid(uint8_t First) {
    TGuidBytes Result;
    for (std::size_t Index = 0; Index < Result.size(); ++Index)
        Result[Index] = static_cast<uint8_t>(First + Index);
    return Result;
}

class PackageVersion : public ::testing::TestWithParam<int16_t> {};

TEST_P(PackageVersion, ReadsHeritageBelow68AndGuidWithGenerationsFrom68) {
    const int16_t Version = GetParam();
    TPackageBuilder Builder(Version, 0x1234);
    Builder.PackageFlags = 0x80000401;
    Builder.Heritages = {Guid(0x10), Guid(0x40)};
    Builder.Generations = {{7, 9}, {-1, 0x7FFFFFFF}, {1, 2}};
    Builder.AddGroup("Walls");
    TPackageFile File(Builder);
    const TUnrealPackage& Package = File.Open();

    EXPECT_EQ(Package.Signature, 0x9E2A83C1u);
    EXPECT_EQ(Package.PackageVersion, Version);
    EXPECT_EQ(Package.LicenseeVersion, 0x1234);
    EXPECT_EQ(Package.PackageFlags, 0x80000401u);
    EXPECT_EQ(Package.NameCount, static_cast<int32_t>(Builder.Names.size()));
    EXPECT_EQ(Package.NameOffset, File.Built.NameOffset);
    EXPECT_EQ(Package.ExportCount, 1);
    EXPECT_EQ(Package.ExportOffset, File.Built.ExportOffset);
    EXPECT_EQ(Package.ImportCount, static_cast<int32_t>(Builder.Imports.size()));
    EXPECT_EQ(Package.ImportOffset, File.Built.ImportOffset);
    if (Version < 68) {
        EXPECT_EQ(Package.HeritageCount, 2);
        EXPECT_EQ(Package.HeritageOffset, File.Built.HeritageOffset);
        ASSERT_EQ(Package.Heritages.size(), 2u);
        EXPECT_EQ(Package.Heritages[0].Guid, Guid(0x10));
        EXPECT_EQ(Package.Heritages[1].Guid, Guid(0x40));
        EXPECT_EQ(Package.Guid, TGuid{});
        EXPECT_EQ(Package.GenerationCount, 0);
        EXPECT_TRUE(Package.Generations.empty());
    } else {
        EXPECT_EQ(Package.Guid, Builder.Guid);
        EXPECT_EQ(Package.GenerationCount, 3);
        ASSERT_EQ(Package.Generations.size(), 3u);
        EXPECT_EQ(Package.Generations[1].ExportCount, -1);
        EXPECT_EQ(Package.Generations[1].NameCount, 0x7FFFFFFF);
        EXPECT_EQ(Package.Generations[2].ExportCount, 1);
        EXPECT_EQ(Package.Generations[2].NameCount, 2);
        EXPECT_EQ(Package.HeritageCount, 0);
        EXPECT_EQ(Package.HeritageOffset, 0);
        EXPECT_TRUE(Package.Heritages.empty());
    }
    EXPECT_EQ(Package.Exports[0].GetObjectName(), "Walls");
    EXPECT_EQ(Package.Stream, nullptr);
}

TEST_P(PackageVersion, SkipsExactlyOneByteBeforeEachNameFrom64) {
    TPackageBuilder Builder(GetParam());
    // From 64 on the byte before the characters is skipped whatever it holds.
    const uint8_t LengthBytes[] = {0x00, 0x40, 0x80, 0xC0, 0xFF, 0x01};
    for (uint8_t Byte : LengthBytes) {
        const int32_t Index = Builder.AddNameCopy("Name" + std::to_string(Byte));
        Builder.Names[Index].LengthByte = Byte;
        Builder.Names[Index].Flags = 0xA0000000u | Byte;
    }
    Builder.AddNameCopy("");
    TPackageFile File(Builder);
    const TUnrealPackage& Package = File.Open();
    ASSERT_EQ(Package.Names.size(), Builder.Names.size());
    for (std::size_t Index = 0; Index < Builder.Names.size(); ++Index) {
        EXPECT_EQ(Package.Names[Index].Name, Builder.Names[Index].Name);
        EXPECT_EQ(Package.Names[Index].Flags, Builder.Names[Index].Flags);
        EXPECT_EQ(Package.Names[Index].Owner, &Package);
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, PackageVersion,
                         ::testing::Values<int16_t>(60, 63, 64, 67, 68, 69, 128));

class ExportTable : public ::testing::Test {
protected:
    void SetUp() override {
        Walls = Builder.AddGroup("Walls");
        TextureClass = Builder.ClassImport("Engine", "Texture");
        NoSize = Builder.AddExport({.Class = TextureClass, .Outer = Walls, .Name = "NoSize"});
        Negative = Builder.AddExport({.Class = TextureClass, .Name = "Negative", .Data = {0, 0}});
        Builder.Export(Negative).SerialSize = -5;
        Last = Builder.AddExport({.Class = TextureClass,
                                  .Super = -1,
                                  .Outer = Walls,
                                  .Name = "Last",
                                  .Flags = 0x02070004,
                                  .Data = TBytes(300, 0xAB)});
        File.emplace(Builder);
        File->Open();
    }
    const TExportObject& Entry(int32_t Reference) { return File->Package->Exports[Reference - 1]; }

    TPackageBuilder Builder;
    int32_t Walls = 0, TextureClass = 0, NoSize = 0, Negative = 0, Last = 0;
    std::optional<TPackageFile> File;
};

TEST_F(ExportTable, ReadsSerialOffsetOnlyForAPositiveSerialSize) {
    ASSERT_EQ(File->Package->Exports.size(), 4u);
    EXPECT_EQ(Entry(NoSize).SerialSize, 0);
    EXPECT_EQ(Entry(NoSize).SerialOffset, 0);
    EXPECT_EQ(Entry(Negative).SerialSize, -5);
    EXPECT_EQ(Entry(Negative).SerialOffset, 0);
    // Each following entry starts right after the SerialSize before it.
    const TExportObject& Full = Entry(Last);
    EXPECT_EQ(Full.ClassIndex, TextureClass);
    EXPECT_EQ(Full.SuperIndex, -1);
    EXPECT_EQ(Full.PackageIndex, Walls); // 01 00 00 00: four bytes, not a compact index
    EXPECT_EQ(Full.ObjectFlags, 0x02070004u);
    EXPECT_EQ(Full.SerialSize, 300);
    EXPECT_EQ(Full.SerialOffset, File->Built.DataOffset(Last));
    EXPECT_EQ(Full.GetObjectName(), "Last");
    EXPECT_EQ(Full.GetClassName(), "Texture");
    EXPECT_EQ(Full.GetPackageName(), "Walls");
    EXPECT_EQ(Entry(Walls).GetPackageName(), "");
    ASSERT_EQ(File->Package->Imports.size(), Builder.Imports.size());
    for (std::size_t Index = 0; Index < Builder.Imports.size(); ++Index) {
        const TImportObject& Import = File->Package->Imports[Index];
        EXPECT_EQ(Import.ClassPackage, Builder.Imports[Index].ClassPackage);
        EXPECT_EQ(Import.ClassName, Builder.Imports[Index].ClassName);
        EXPECT_EQ(Import.PackageIndex, Builder.Imports[Index].Outer);
        EXPECT_EQ(Import.ObjectName, Builder.Imports[Index].ObjectName);
    }
}

TEST_F(ExportTable, LookupsOutsideTheTablesGiveNothingOrThrow) {
    const TUnrealPackage& Package = *File->Package;
    EXPECT_EQ(Package.GetReferenceName(0), "");
    EXPECT_EQ(Package.GetReferenceName(-1), Package.GetName(Builder.Imports[0].ObjectName));
    EXPECT_EQ(Package.GetReferenceName(1), "Walls");
    const auto Imports = static_cast<int32_t>(Package.Imports.size());
    for (int32_t Reference : {-Imports - 1, Last + 1, INT_MIN, INT_MAX})
        EXPECT_THROW(Package.GetReferenceName(Reference), EReferenceOutOfRange) << Reference;

    EXPECT_EQ(Package.GetName(-1), "");
    EXPECT_EQ(Package.GetName(Package.NameCount), "");
    EXPECT_EQ(Package.GetName(INT_MIN), "");
    EXPECT_EQ(Package.GetExport(-1), nullptr);
    EXPECT_EQ(Package.GetExport(4), nullptr);
    EXPECT_EQ(Package.GetExport(3), &Package.Exports[3]);
}

TEST(ReferenceName, ThrowsForANameIndexOutsideTheNameTable) {
    TPackageBuilder Builder;
    const int32_t Import = Builder.AddImport("Core", "Class", 0, "Texture");
    const int32_t Export = Builder.AddGroup("Walls");
    Builder.Import(Import).ObjectName = 999;
    Builder.Export(Export).Name = -1;
    TPackageFile File(Builder);
    const TUnrealPackage& Package = File.Open();
    EXPECT_THROW(Package.GetReferenceName(Import), EReferenceOutOfRange);
    EXPECT_THROW(Package.GetReferenceName(Export), EReferenceOutOfRange);
    EXPECT_EQ(Package.Exports[0].GetObjectName(), "");
}

TEST(EmptyPackage, HasNoTablesAndAnswersEveryLookupEmpty) {
    TPackageBuilder Builder;
    TPackageFile File(Builder);
    const TUnrealPackage& Package = File.Open();
    EXPECT_TRUE(Package.Names.empty());
    EXPECT_TRUE(Package.Exports.empty());
    EXPECT_TRUE(Package.Imports.empty());
    EXPECT_EQ(Package.GetName(0), "");
    EXPECT_EQ(Package.GetExport(0), nullptr);
    EXPECT_THROW(Package.GetReferenceName(1), EReferenceOutOfRange);
    EXPECT_THROW(Package.GetReferenceName(-1), EReferenceOutOfRange);
}

TEST(IsPackageFile, ChecksTheFirstFourBytesLittleEndian) {
    TTempDir Dir;
    auto Check = [&](const TBytes& Bytes) {
        const std::string Path = Dir.File("File.bin");
        WriteFileBytes(Path, Bytes);
        return TUnrealPackage::IsPackageFile(Path);
    };
    EXPECT_TRUE(Check({0xC1, 0x83, 0x2A, 0x9E}));
    EXPECT_TRUE(Check({0xC1, 0x83, 0x2A, 0x9E, 0x45, 0x00}));
    EXPECT_FALSE(Check({0x9E, 0x2A, 0x83, 0xC1}));
    EXPECT_FALSE(Check({0xC1, 0x83, 0x2A}));
    EXPECT_FALSE(Check({0xC1}));
    EXPECT_FALSE(Check({}));
    EXPECT_THROW(TUnrealPackage::IsPackageFile(Dir.File("Missing.utx")), EFileOpenError);
    EXPECT_THROW(TUnrealPackage::IsPackageFile(Dir.Path().string()), EFileOpenError);
}

TEST(OpenFailure, NamesTheFileThatCannotBeOpened) {
    TTempDir Dir;
    TSilentReporter Quiet;
    const std::string Missing = Dir.File("Missing.utx");
    try {
        TUnrealPackage Package(Missing, Quiet);
        ADD_FAILURE() << "a missing file was opened";
    } catch (const EFileOpenError& Error) {
        EXPECT_NE(std::string(Error.what()).find(Missing), std::string::npos) << Error.what();
    }
}

} // namespace
} // namespace swatchbox::testing
