// The header and tables of well-formed packages: what each version switches,
// the export entry's odd fields, and lookups outside the tables; compact
// indices, byte forms worked out by hand and every width and sign in the
// builder's encoding (padded forms included), decoded from memory and read
// one after another from a package.
#include "package/Errors.h"
#include "tests/package/PackageFile.h"

#include <gtest/gtest.h>

#include <climits>

namespace swatchbox::testing {
namespace {

class PackageVersion : public ::testing::TestWithParam<int16_t> {};

// A heritage list below 68, a GUID and generations from 68 on; from 64 on a
// byte before each name that is skipped whatever it holds. Tables of versions
// before 61 that fit are read as they are. An export's entry holds a data
// offset only for a data size above 0, and its outer in four bytes.
TEST_P(PackageVersion, ReadsTheHeaderAndTablesOfItsVersion) {
    const int16_t Version = GetParam();
    TPackageBuilder Builder(Version, 0x1234);
    Builder.Heritages.resize(3);
    Builder.Generations = {{7, 9}, {-1, 0x7FFFFFFF}};
    for (const uint8_t Byte : {0x00, 0x80, 0xFF}) {
        const int32_t Index = Builder.AddName("Name" + std::to_string(Byte));
        Builder.Names[Index].LengthByte = Byte;
        Builder.Names[Index].Flags = 0xA0000000u | Byte;
    }
    Builder.AddName("");
    const int32_t Texture = Builder.AddTexture({.Group = "Walls"});
    const int32_t Class = Builder.ClassImport("Engine", "Texture");
    Builder.AddExport({.Class = Class, .Name = "NoData"});
    Builder.AddExport(
        {.Class = Class, .Super = -1, .Outer = Texture, .Name = "Negative", .Data = {1}});
    Builder.Export(Texture + 2).SerialSize = -5;
    TPackageFile File(Builder);
    const TUnrealPackage& Package = File.Open();

    EXPECT_EQ(std::tuple(Package.PackageVersion, Package.LicenseeVersion, Package.Heritages.size(),
                         Package.Generations.size()),
              std::tuple(Version, 0x1234, Version < 68 ? 3u : 0u, Version < 68 ? 0u : 2u));
    ASSERT_EQ(Package.Names.size(), Builder.Names.size());
    for (std::size_t Index = 0; Index < Builder.Names.size(); ++Index) {
        EXPECT_EQ(Package.Names[Index].Name, Builder.Names[Index].Name);
        EXPECT_EQ(Package.Names[Index].Flags, Builder.Names[Index].Flags);
    }
    ASSERT_EQ(Package.Imports.size(), Builder.Imports.size());
    const TExportObject& Entry = Package.Exports[1];
    EXPECT_EQ(std::tuple(Entry.GetObjectName(), Entry.GetClassName(), Entry.GetPackageName(),
                         Entry.ObjectFlags, Entry.SerialOffset, Entry.SerialSize),
              std::tuple("Texture", "Texture", "Walls", TextureObjectFlags,
                         File.Built.DataOffset(Texture), File.Built.Export(Texture).DataSize));
    EXPECT_EQ(Package.Exports[2].SerialOffset, 0);
    const TExportObject& Negative = Package.Exports[3];
    EXPECT_EQ(std::tuple(Negative.SerialSize, Negative.SerialOffset, Negative.SuperIndex,
                         Negative.PackageIndex, Negative.GetObjectName()),
              std::tuple(-5, 0, -1, Texture, "Negative"));
    EXPECT_EQ(Package.Stream, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Versions, PackageVersion,
                         ::testing::Values<int16_t>(60, 61, 63, 64, 67, 68, 69, 128));

TEST(ExportTable, LookupsOutsideTheTablesGiveNothingOrThrow) {
    TPackageBuilder Builder;
    Builder.AddGroup("Walls");
    const int32_t Unnamed = Builder.AddGroup("Unnamed");
    Builder.Export(Unnamed).Name = -1;
    Builder.Import(-1).ObjectName = 999;
    TPackageFile File(Builder);
    const TUnrealPackage& Package = File.Open();
    const auto Imports = static_cast<int32_t>(Package.Imports.size());
    EXPECT_EQ(std::tuple(Package.GetReferenceName(0), Package.GetReferenceName(-2),
                         Package.GetReferenceName(1)),
              std::tuple("", "Package", "Walls"));
    for (const int32_t Reference : {-1, Unnamed, -Imports - 1, Unnamed + 1, INT_MIN, INT_MAX})
        EXPECT_THROW(Package.GetReferenceName(Reference), EReferenceOutOfRange) << Reference;
    for (const int32_t Index : {-1, Package.NameCount, INT_MIN})
        EXPECT_EQ(Package.GetName(Index), "") << Index;
    EXPECT_EQ(Package.Exports[1].GetObjectName(), "");
    EXPECT_TRUE(!Package.GetExport(-1) && !Package.GetExport(2));
    EXPECT_EQ(Package.GetExport(1), &Package.Exports[1]);
}

TEST(IsPackageFile, ChecksTheLittleEndianSignatureAndRefusesAFolder) {
    TTempDir Dir;
    const std::string Path = Dir.File("File.bin");
    const std::pair<TBytes, bool> Cases[] = {{{0xC1, 0x83, 0x2A, 0x9E}, true},
                                             {{0xC1, 0x83, 0x2A, 0x9E, 0x45}, true},
                                             {{0x9E, 0x2A, 0x83, 0xC1}, false},
                                             {{0xC1, 0x83, 0x2A}, false},
                                             {{}, false}};
    for (const auto& [Bytes, IsPackage] : Cases) {
        WriteFileBytes(Path, Bytes);
        EXPECT_EQ(TUnrealPackage::IsPackageFile(Path), IsPackage) << Bytes.size();
    }
    EXPECT_THROW(TUnrealPackage::IsPackageFile(Dir.Path().string()), EFileOpenError);
}

TEST(CompactIndex, KnownFormsAndEveryWidthAndSignReadBackExactlyAndShortOnesAreDamaged) {
    // The fifth byte ends the index whatever its bit 7 says; bits that land
    // above bit 31 are lost.
    std::vector<std::pair<TBytes, int32_t>> Cases = {
        {{0x00}, 0},
        {{0x3F}, 63},
        {{0x40, 0x01}, 64},
        {{0x80}, 0},
        {{0x81}, -1},
        {{0xC0, 0x01}, -64},
        {{0x40, 0x80, 0x01}, 8192},
        {{0x7F, 0x7F}, 8191},
        {{0x7F, 0xFF, 0xFF, 0xFF, 0x07}, 1073741823},
        {{0x7F, 0xFF, 0xFF, 0xFF, 0x0F}, INT_MAX},
        {{0x40, 0x80, 0x80, 0x80, 0x81}, 0x08000000},
        {{0x7F, 0xFF, 0xFF, 0xFF, 0xFF}, -1},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 1},
        {{0xC0, 0x80, 0x80, 0x80, 0x10}, INT_MIN},
    };
    std::vector<int32_t> Values = {0, 1, INT_MAX, INT_MIN, -INT_MAX};
    // The largest value of each width and the smallest of the next.
    for (int Bits = 6; Bits <= 27; Bits += 7)
        for (const int32_t Value : {(1 << Bits) - 1, 1 << Bits, -((1 << Bits) - 1), -(1 << Bits)})
            Values.push_back(Value);
    for (const int32_t Value : Values)
        for (int Width = IndexWidth(Value); Width <= 5; ++Width)
            Cases.emplace_back(EncodeIndex(Value, Width), Value);

    TBytes Data;
    for (const auto& [Bytes, Value] : Cases)
        PutBytes(Data, Bytes);
    TPackageBuilder Builder;
    Builder.AddExport({.Name = "Indices", .Data = Data});
    TPackageFile File(Builder);
    TInstalledStream Stream(File.Open());
    Stream->Seek(File.Built.DataOffset(1));
    for (const auto& [Bytes, Value] : Cases) {
        SCOPED_TRACE(::testing::PrintToString(Bytes));
        EXPECT_EQ(TUnrealPackage::DecodeIndex(Bytes), Value);
        EXPECT_EQ(File.Package->ReadIndex(), Value);
    }
    EXPECT_EQ(Stream->Position(), File.Built.DataOffset(1) + std::ssize(Data));
    // Bytes that end early are damaged, not overread.
    for (const TBytes& Bytes :
         {TBytes{}, TBytes{0x40}, TBytes{0xC0, 0x80}, TBytes{0x7F, 0xFF, 0xFF, 0xFF}})
        EXPECT_THROW(TUnrealPackage::DecodeIndex(Bytes), EPackageDamaged);
    EXPECT_THROW(TPackageFile(TPackageBuilder{}).Open().ReadIndex(), EPackageError); // no stream
}

} // namespace
} // namespace swatchbox::testing
