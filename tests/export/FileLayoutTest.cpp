// Byte layout of the DDS header, the extension rule, the safe output file and sizes an image file
// type can't hold, independent of any package. (What the image writers write, in every type and at
// odd sizes, is read back through swatchbox-cli export.)
#include "export/DdsFile.h"
#include "export/ExportAsIs.h"
#include "export/ExportErrors.h"
#include "export/ImageFile.h"
#include "export/OutputFile.h"
#include "tests/support/TestFiles.h"
#include "tools/package-builder/BuiltPackage.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace swatchbox::testing {
namespace {

TEST(FixExtension, AppendsTheDefaultUnlessTheNameEndsInItInAnyCase) {
    const std::pair<const char*, const char*> Cases[] = {
        {"C:\\out\\brick", "C:\\out\\brick.BMP"},
        {"wall.bmp", "wall.bmp"},
        {"wall.Bmp", "wall.Bmp"},
        {"brick.dds", "brick.dds.BMP"},
        {"C:\\tex.bmp\\wall", "C:\\tex.bmp\\wall.BMP"}, // a dot in a folder name is no extension
        {"out.bmp/wall", "out.bmp/wall.BMP"},
        {"C:wall", "C:wall.BMP"},
        {"", ".BMP"}};
    for (const auto& [Name, Fixed] : Cases)
        EXPECT_EQ(FixExtension(Name, ".BMP"), Fixed);
}

// Width and height are divided by four separately, so a tiny texture states
// a linear size of 0; only DXT3 and DXT5 carry a bit count.
TEST(DdsHeader, CarriesSizeFourCCAndLinearSize) {
    const auto Header = MakeDdsHeader(256, 64, "DXT1");
    const TBytes Bytes(Header.begin(), Header.end());
    ASSERT_EQ(Bytes.size(), 128u);
    EXPECT_EQ(std::string(Bytes.begin(), Bytes.begin() + 4), "DDS ");
    EXPECT_EQ(std::string(Bytes.begin() + 84, Bytes.begin() + 88), "DXT1");
    const std::pair<std::size_t, uint32_t> Fields[] = {
        {4, 124}, {8, 0x81007}, {12, 64}, {16, 256}, {20, 8192},
        {28, 1},  {76, 32},     {80, 4},  {88, 0},   {108, 0x1000}};
    for (const auto& [Offset, Value] : Fields)
        EXPECT_EQ(GetU32(Bytes, Offset), Value) << "offset " << Offset;
    for (std::size_t Offset = 112; Offset < 128; Offset += 4)
        EXPECT_EQ(GetU32(Bytes, Offset), 0u) << "offset " << Offset;
    const struct {
        int32_t Width, Height;
        const char* FourCC;
        uint32_t LinearSize, BitCount;
    } Cases[] = {{64, 32, "DXT3", 2048, 256},
                 {256, 256, "DXT5", 65536, 512},
                 {2, 2, "DXT1", 0, 0},
                 {6, 8, "DXT1", 16, 0}};
    for (const auto& Case : Cases) {
        const auto Other = MakeDdsHeader(Case.Width, Case.Height, Case.FourCC);
        const TBytes OtherBytes(Other.begin(), Other.end());
        EXPECT_EQ(GetU32(OtherBytes, 20), Case.LinearSize) << Case.FourCC << Case.Width;
        EXPECT_EQ(GetU32(OtherBytes, 88), Case.BitCount) << Case.FourCC;
    }
}

TEST(OutputFile, ReplacesTheTargetOnlyWhenCommittedAndNamesOneItCannotCreate) {
    TTempDir Dir;
    const std::string Target = Dir.File("out.bin");
    WriteFileBytes(Target, {9, 9, 9});
    {
        TOutputFile Output(Target);
        Output.Write("\1\2", 2);
        // Until the commit the old file is what others see.
        EXPECT_EQ(ReadFileBytes(Target), (TBytes{9, 9, 9}));
        Output.Commit();
    }
    EXPECT_EQ(ReadFileBytes(Target), (TBytes{1, 2}));
    TOutputFile(Target).Write("\7", 1); // abandoned
    EXPECT_EQ(ReadFileBytes(Target), (TBytes{1, 2}));
    // Nothing but the target is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir.Path()), {}), 1);
    EXPECT_NE(ThrownMessage<EExportError>([&] {
                  TOutputFile(Dir.File("missing/out.bin"));
              }).find("out.bin"),
              std::string::npos);
}

TEST(ImageFile, SizesTheFileTypeCantHoldAreRefusedWithoutAFile) {
    TTempDir Dir;
    const TRgbaImage Wide(65536, 1);
    EXPECT_THROW(WriteImageFile(Wide, Dir.File("Wide.TGA"), TImageFileType::Tga), EExportError);
    EXPECT_TRUE(std::filesystem::is_empty(Dir.Path()));
}

} // namespace
} // namespace swatchbox::testing
