// swatchbox-cli sheet on built packages: the picture's size, each texture's
// thumbnail in its cell in name order, and the group filter.
#include "sheet/ContactSheet.h"
#include "tests/cli/CommandTest.h"
#include "tests/support/ImageReader.h"

namespace swatchbox::cli {
namespace {

using testing::TBytes;
using testing::TTextureDesc;

// A texture of one colour: RGBA8 pixels stored blue, green, red, alpha.
TTextureDesc Solid(const char* Name, const char* Group, int32_t Width, int32_t Height,
                   std::array<uint8_t, 3> Rgb) {
    TBytes Pixels;
    for (int32_t Pixel = 0; Pixel < Width * Height; ++Pixel)
        Pixels.insert(Pixels.end(), {Rgb[2], Rgb[1], Rgb[0], 255});
    return {.Name = Name,
            .Group = Group,
            .Format = pfRGBA8,
            .Width = Width,
            .Height = Height,
            .Pixels = Pixels};
}

using SheetCommand = TCommandTest;

TEST_F(SheetCommand, DrawsEveryTextureInNameOrderInItsCell) {
    const std::string Package = Temp.File("Sheet.utx");
    testing::TPackageBuilder Builder;
    // Export order differs from name order.
    Builder.AddTexture(Solid("Cyan", "B", 8, 8, {0, 255, 255}));
    Builder.AddTexture(Solid("amber", "A", 16, 4, {255, 191, 0}));
    Builder.AddTexture(Solid("Blue", "A", 2, 2, {0, 0, 255}));
    Builder.AddTexture({.Name = "Old", .Group = "B", .Format = pfRGBA7, .Width = 4, .Height = 4});
    Builder.WriteTo(Package);

    ASSERT_EQ(Run({"sheet", "--size", "32", "--out", Temp.File("All"), Package}), ExitOk)
        << Err.str();
    EXPECT_TRUE(Err.str().empty()) << Err.str();
    const testing::TImageFile File = testing::ReadImageFile(Temp.File("All.PNG"));
    const TContactSheet Layout(4, 32, TPanelColours{});
    ASSERT_EQ(File.Width, Layout.Image().Width);
    ASSERT_EQ(File.Height, Layout.Image().Height);
    auto At = [&](int32_t X, int32_t Y) {
        const std::size_t Offset = (std::size_t(Y) * File.Width + X) * 4;
        return testing::TRgba{File.Rgba[Offset], File.Rgba[Offset + 1], File.Rgba[Offset + 2],
                              File.Rgba[Offset + 3]};
    };
    const struct {
        testing::TRgba Colour;
        int32_t Right, Bottom; // last pixel of the thumbnail in its area
    } Expected[] = {
        {{255, 191, 0, 255}, 31, 7},    // amber: wide, 32 x 8
        {{0, 0, 255, 255}, 31, 31},     // Blue
        {{0, 255, 255, 255}, 31, 31},   // Cyan
        {{255, 255, 255, 255}, 31, 31}, // Old: no decoder, a plain area
    };
    for (std::size_t Index = 0; Index < std::size(Expected); ++Index) {
        SCOPED_TRACE(Index);
        const int32_t Left = Layout.AreaLeft(Index), Top = Layout.AreaTop(Index);
        EXPECT_EQ(At(Left, Top), Expected[Index].Colour);
        EXPECT_EQ(At(Left + Expected[Index].Right, Top + Expected[Index].Bottom),
                  Expected[Index].Colour);
    }
    // Below the wide texture's quad lies the background.
    EXPECT_EQ(At(Layout.AreaLeft(0), Layout.AreaTop(0) + 8), At(0, 0));

    ASSERT_EQ(Run({"sheet", "--group", "a", "--size", "32", "--out", Temp.File("A.png"), Package}),
              ExitOk);
    const testing::TImageFile Group = testing::ReadImageFile(Temp.File("A.png"));
    EXPECT_EQ(Group.Width, TContactSheet(2, 32, TPanelColours{}).Image().Width);

    EXPECT_EQ(Run({"sheet", "--name", "Nothing*", "--out", Temp.File("None"), Package}),
              ExitFailed);
    EXPECT_NE(Err.str().find("no textures to show that match"), std::string::npos);
}

} // namespace
} // namespace swatchbox::cli
