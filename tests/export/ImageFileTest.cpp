// The image writers shared by the command-line tool and the program's
// formatted export, read back with an independent reader. (Their pixels at
// odd sizes in every type are checked through swatchbox-cli export.)
#include "export/ImageFile.h"
#include "export/ExportErrors.h"
#include "tests/support/ImageReader.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace swatchbox::testing {
namespace {

// Width x Height pixels that differ in every channel, with the given alpha.
TRgbaImage Picture(int32_t Width, int32_t Height, uint8_t Alpha) {
    TRgbaImage Image(Width, Height);
    for (std::size_t At = 0; At < Image.Pixels.size(); ++At)
        Image.Pixels[At] = At % 4 == 3 ? Alpha : static_cast<uint8_t>(At * 37 + 11);
    return Image;
}

TEST(ImageFile, PngIsRgbWhenOpaqueAndG16KeepsAll16Bits) {
    TTempDir Dir;
    WriteImageFile(Picture(3, 2, 255), Dir.File("Opaque.PNG"), TImageFileType::Png);
    WriteImageFile(Picture(3, 2, 254), Dir.File("Clear.PNG"), TImageFileType::Png);
    EXPECT_EQ(ReadImageFile(Dir.File("Opaque.PNG")).Components, 3);
    EXPECT_EQ(ReadImageFile(Dir.File("Clear.PNG")).Components, 4);

    const TGrey16Image Grey{3, 2, {0, 1, 0x00FF, 0x0100, 0x8001, 0xFFFF}};
    WriteGrey16PngFile(Grey, Dir.File("Grey.PNG"));
    const TImageFile File = ReadImageFile(Dir.File("Grey.PNG"));
    EXPECT_TRUE(File.SixteenBit);
    EXPECT_EQ(File.Components, 1);
    EXPECT_EQ(File.Width, 3);
    EXPECT_EQ(File.Values, Grey.Values);
}

TEST(ImageFile, SizesTheFileTypeCantHoldAreRefusedWithoutAFile) {
    TTempDir Dir;
    const TRgbaImage Wide(65536, 1);
    EXPECT_THROW(WriteImageFile(Wide, Dir.File("Wide.TGA"), TImageFileType::Tga), EExportError);
    EXPECT_TRUE(std::filesystem::is_empty(Dir.Path()));
}

} // namespace
} // namespace swatchbox::testing
