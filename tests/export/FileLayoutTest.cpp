// Byte layout of the bitmap and DDS headers, the extension rule and the safe
// output file, independent of any package.
#include "export/BmpFile.h"
#include "export/DdsFile.h"
#include "export/ExportAsIs.h"
#include "export/ExportErrors.h"
#include "export/OutputFile.h"
#include "tests/builder/BuiltPackage.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>

namespace swatchbox::testing {
namespace {

std::vector<uint8_t> AsVector(std::span<const uint8_t> Bytes) {
    return {Bytes.begin(), Bytes.end()};
}

TEST(FixExtension, AppendsTheDefaultUnlessTheNameEndsInItInAnyCase) {
    EXPECT_EQ(FixExtension("C:\\out\\brick", ".BMP"), "C:\\out\\brick.BMP");
    EXPECT_EQ(FixExtension("C:\\out\\brick", ".DDS"), "C:\\out\\brick.DDS");
    EXPECT_EQ(FixExtension("wall.bmp", ".BMP"), "wall.bmp");
    EXPECT_EQ(FixExtension("wall.Bmp", ".BMP"), "wall.Bmp");
    EXPECT_EQ(FixExtension("brick.dds", ".BMP"), "brick.dds.BMP");
    EXPECT_EQ(FixExtension("wall.tga", ".BMP"), "wall.tga.BMP");
    // A dot in a folder name is no extension.
    EXPECT_EQ(FixExtension("C:\\tex.bmp\\wall", ".BMP"), "C:\\tex.bmp\\wall.BMP");
    EXPECT_EQ(FixExtension("out.bmp/wall", ".BMP"), "out.bmp/wall.BMP");
    EXPECT_EQ(FixExtension("C:wall", ".DDS"), "C:wall.DDS");
    EXPECT_EQ(FixExtension("", ".BMP"), ".BMP");
}

TEST(DdsHeader, CarriesSizeFourCCAndLinearSize) {
    const auto Dxt1 = AsVector(MakeDdsHeader(256, 256, "DXT1"));
    ASSERT_EQ(Dxt1.size(), 128u);
    EXPECT_EQ(std::string(Dxt1.begin(), Dxt1.begin() + 4), "DDS ");
    EXPECT_EQ(GetU32(Dxt1, 4), 124u);
    EXPECT_EQ(GetU32(Dxt1, 8), 0x81007u);
    EXPECT_EQ(GetU32(Dxt1, 12), 256u);
    EXPECT_EQ(GetU32(Dxt1, 16), 256u);
    EXPECT_EQ(GetU32(Dxt1, 20), 32768u);
    EXPECT_EQ(GetU32(Dxt1, 28), 1u);
    EXPECT_EQ(GetU32(Dxt1, 76), 32u);
    EXPECT_EQ(GetU32(Dxt1, 80), 4u);
    EXPECT_EQ(std::string(Dxt1.begin() + 84, Dxt1.begin() + 88), "DXT1");
    EXPECT_EQ(GetU32(Dxt1, 88), 0u);
    EXPECT_EQ(GetU32(Dxt1, 108), 0x1000u);
    for (std::size_t Offset : {24u, 32u, 72u, 92u, 104u, 112u, 124u})
        EXPECT_EQ(GetU32(Dxt1, Offset), 0u) << "offset " << Offset;

    const auto Dxt5 = AsVector(MakeDdsHeader(256, 256, "DXT5"));
    EXPECT_EQ(GetU32(Dxt5, 20), 65536u);
    EXPECT_EQ(GetU32(Dxt5, 88), 512u);
    EXPECT_EQ(GetU32(AsVector(MakeDdsHeader(64, 32, "DXT3")), 88), 256u);
    EXPECT_EQ(GetU32(AsVector(MakeDdsHeader(64, 32, "DXT3")), 20), 2048u);
    // Width and height are divided separately, so a tiny texture states 0.
    EXPECT_EQ(GetU32(AsVector(MakeDdsHeader(2, 2, "DXT1")), 20), 0u);
    EXPECT_EQ(GetU32(AsVector(MakeDdsHeader(6, 8, "DXT1")), 20), 16u);
}

// Rows from a top-down buffer through the streaming writer.
std::vector<uint8_t> BottomUp(const std::vector<uint8_t>& TopDown, int32_t Width, int32_t Height,
                              int BytesPerPixel) {
    const std::size_t RowBytes = static_cast<std::size_t>(Width) * BytesPerPixel;
    std::vector<uint8_t> Out;
    WriteBottomUpRows(
        Width, Height, BytesPerPixel,
        [&](int64_t FirstRow, int64_t Count, uint8_t* Into) {
            std::copy_n(TopDown.begin() + static_cast<std::ptrdiff_t>(FirstRow * RowBytes),
                        Count * RowBytes, Into);
        },
        [&](const uint8_t* Bytes, std::size_t Count) {
            Out.insert(Out.end(), Bytes, Bytes + Count);
        });
    return Out;
}

TEST(BottomUpRows, ReversesRowsAndPadsEachToFourBytes) {
    const std::vector<uint8_t> TopDown = {1, 2, 3, 4, 5, 6}; // 3 x 2, one byte per pixel
    EXPECT_EQ(BottomUp(TopDown, 3, 2, 1), (std::vector<uint8_t>{4, 5, 6, 0, 1, 2, 3, 0}));
    const std::vector<uint8_t> Wide = {1, 2, 3, 4, 5, 6, 7, 8}; // 1 x 2, four bytes per pixel
    EXPECT_EQ(BottomUp(Wide, 1, 2, 4), (std::vector<uint8_t>{5, 6, 7, 8, 1, 2, 3, 4}));
}

TEST(BottomUpRows, StaysExactAcrossChunksOfRows) {
    // 3 bytes a row padded to 4, far more rows than one chunk holds.
    const int32_t Height = 200000;
    std::vector<uint8_t> TopDown(static_cast<std::size_t>(Height) * 3);
    for (std::size_t Index = 0; Index < TopDown.size(); ++Index)
        TopDown[Index] = static_cast<uint8_t>(Index * 7 + Index / 3);
    const auto Out = BottomUp(TopDown, 3, Height, 1);
    ASSERT_EQ(Out.size(), static_cast<std::size_t>(Height) * 4);
    for (int32_t Row = 0; Row < Height; ++Row) {
        const std::size_t Source = static_cast<std::size_t>(Height - 1 - Row) * 3;
        const std::size_t Target = static_cast<std::size_t>(Row) * 4;
        ASSERT_TRUE(std::equal(Out.begin() + static_cast<std::ptrdiff_t>(Target),
                               Out.begin() + static_cast<std::ptrdiff_t>(Target + 3),
                               TopDown.begin() + static_cast<std::ptrdiff_t>(Source)))
            << "row " << Row;
        ASSERT_EQ(Out[Target + 3], 0) << "row " << Row;
    }
}

TEST(OutputFile, ReplacesTheTargetOnlyWhenCommitted) {
    TTempDir Dir;
    const std::string Target = Dir.File("out.bin");
    const std::vector<uint8_t> Old = {9, 9, 9};
    WriteFileBytes(Target, Old);
    {
        TOutputFile Output(Target);
        Output.Write("\1\2", 2);
        // Until the commit the old file is what others see.
        EXPECT_EQ(ReadFileBytes(Target), (std::vector<uint8_t>{9, 9, 9}));
        Output.Commit();
    }
    EXPECT_EQ(ReadFileBytes(Target), (std::vector<uint8_t>{1, 2}));
    {
        TOutputFile Abandoned(Target);
        Abandoned.Write("\7", 1);
    }
    EXPECT_EQ(ReadFileBytes(Target), (std::vector<uint8_t>{1, 2}));
    // Nothing but the target is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(OutputFile, NamesTheFileWhenItCannotBeCreated) {
    TTempDir Dir;
    const std::string Target = Dir.File("missing-folder/out.bin");
    try {
        TOutputFile Output(Target);
        FAIL() << "expected EExportError";
    } catch (const EExportError& Error) {
        EXPECT_NE(std::string(Error.what()).find("out.bin"), std::string::npos) << Error.what();
    }
}

} // namespace
} // namespace swatchbox::testing
