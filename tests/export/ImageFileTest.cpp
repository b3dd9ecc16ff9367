// The image writers shared by the command-line tool and the program's
// formatted export. (What they write, in every type and at odd sizes, is read
// back through swatchbox-cli export.)
#include "export/ImageFile.h"
#include "export/ExportErrors.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace swatchbox::testing {
namespace {

TEST(ImageFile, SizesTheFileTypeCantHoldAreRefusedWithoutAFile) {
    TTempDir Dir;
    const TRgbaImage Wide(65536, 1);
    EXPECT_THROW(WriteImageFile(Wide, Dir.File("Wide.TGA"), TImageFileType::Tga), EExportError);
    EXPECT_TRUE(std::filesystem::is_empty(Dir.Path()));
}

} // namespace
} // namespace swatchbox::testing
