// swatchbox-cli sheet on built packages: the picture's size, each texture's
// thumbnail in its cell in name order, and the group filter.
#include "sheet/ContactSheet.h"
#include "tests/cli/CommandTest.h"
#include "tests/support/ImageReader.h"

namespace swatchbox::cli {
namespace {

using testing::TRgba;
using SheetCommand = TCommandTest;

TEST_F(SheetCommand, DrawsEveryTextureInNameOrderInItsCell) {
    // Textures of one colour, in an export order that differs from name order;
    // RGBA8 pixels are stored blue, green, red, alpha.
    const std::string Package = Temp.File("Sheet.utx");
    testing::TPackageBuilder Builder;
    for (const auto& [Name, Group, Width, Height, Rgb] :
         {std::tuple{"Cyan", "B", 8, 8, TRgba{0, 255, 255}},
          {"amber", "A", 16, 4, TRgba{255, 191, 0}},
          {"Blue", "A", 2, 2, TRgba{0, 0, 255}}}) {
        testing::TBytes Pixels;
        for (int32_t Pixel = 0; Pixel < Width * Height; ++Pixel)
            Pixels.insert(Pixels.end(), {Rgb[2], Rgb[1], Rgb[0], 255});
        Builder.AddTexture({.Name = Name,
                            .Group = Group,
                            .Format = pfRGBA8,
                            .Width = Width,
                            .Height = Height,
                            .Pixels = Pixels});
    }
    Builder.AddTexture({.Name = "Old", .Group = "B", .Format = pfRGBA7, .Width = 4, .Height = 4});
    Builder.WriteTo(Package);

    ASSERT_EQ(Run({"sheet", "--size", "32", "--out", Temp.File("All"), Package}), ExitOk)
        << Err.str();
    EXPECT_TRUE(Err.str().empty()) << Err.str();
    const testing::TImageFile File = testing::ReadImageFile(Temp.File("All.PNG"));
    const TContactSheet Layout(4, 32, TPanelColours{});
    ASSERT_EQ(File.Width, Layout.Image().Width);
    ASSERT_EQ(File.Height, Layout.Image().Height);
    TRgbaImage Sheet(File.Width, File.Height);
    Sheet.Pixels = File.Rgba;
    // Each thumbnail's colour and the last pixel of it in its area.
    const std::tuple<TRgba, int32_t, int32_t> Expected[] = {
        {{255, 191, 0, 255}, 31, 7},   // amber: wide, 32 x 8
        {{0, 0, 255, 255}, 31, 31},    // Blue
        {{0, 255, 255, 255}, 31, 31},  // Cyan
        {{255, 255, 255, 255}, 31, 31} // Old: no decoder, a plain area
    };
    for (std::size_t Index = 0; Index < std::size(Expected); ++Index) {
        const auto& [Colour, Right, Bottom] = Expected[Index];
        const int32_t Left = Layout.AreaLeft(Index), Top = Layout.AreaTop(Index);
        EXPECT_EQ(testing::PixelAt(Sheet, Left, Top), Colour) << Index;
        EXPECT_EQ(testing::PixelAt(Sheet, Left + Right, Top + Bottom), Colour) << Index;
    }
    // Below the wide texture's quad lies the background.
    EXPECT_EQ(testing::PixelAt(Sheet, Layout.AreaLeft(0), Layout.AreaTop(0) + 8),
              testing::PixelAt(Sheet, 0, 0));

    ASSERT_EQ(Run({"sheet", "--group", "a", "--size", "32", "--out", Temp.File("A.png"), Package}),
              ExitOk);
    EXPECT_EQ(testing::ReadImageFile(Temp.File("A.png")).Width,
              TContactSheet(2, 32, TPanelColours{}).Image().Width);

    EXPECT_EQ(Run({"sheet", "--name", "Nothing*", "--out", Temp.File("None"), Package}),
              ExitFailed);
    EXPECT_TRUE(Has(Err.str(), "no textures to show that match"));
}

} // namespace
} // namespace swatchbox::cli
