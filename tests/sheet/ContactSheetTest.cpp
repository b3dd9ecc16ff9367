// Contact sheets: thumbnails scaled like the panel draws them, transparency
// over a checkerboard, and labels that stay inside their cell.
#include "sheet/ContactSheet.h"
#include "tests/support/ImageReader.h"

#include <gtest/gtest.h>

#include <array>

namespace swatchbox::testing {
namespace {

TEST(ContactSheet, ThumbnailsKeepTheAspectAndShowACheckerboardThroughAlpha) {
    // Left half opaque red, right half fully transparent.
    TRgbaImage Picture(4, 2);
    for (int32_t Y = 0; Y < 2; ++Y)
        for (int32_t X = 0; X < 2; ++X) {
            uint8_t* P = Picture.Pixel(X, Y);
            P[0] = 255;
            P[3] = 255;
        }
    const TRgbaImage Thumbnail = MakeThumbnail(Picture, 32);
    ASSERT_EQ(Thumbnail.Width, 32);
    ASSERT_EQ(Thumbnail.Height, 16);
    EXPECT_EQ(PixelAt(Thumbnail, 15, 15), (TRgba{255, 0, 0, 255}));
    // Behind the transparent half, squares of two greys alternate.
    EXPECT_NE(PixelAt(Thumbnail, 16, 0), PixelAt(Thumbnail, 24, 0));
    EXPECT_EQ(PixelAt(Thumbnail, 16, 0), PixelAt(Thumbnail, 24, 8));
    EXPECT_EQ(PixelAt(Thumbnail, 16, 0)[0], PixelAt(Thumbnail, 16, 0)[1]);

    const TRgbaImage Tall = PlainThumbnail(64, 256, 128);
    EXPECT_EQ(Tall.Width, 32);
    EXPECT_EQ(Tall.Height, 128);
    EXPECT_EQ(PixelAt(Tall, 31, 127), (TRgba{255, 255, 255, 255}));
}

TEST(ContactSheet, ThumbnailsGoToTheirCellsAndLabelsStayInside) {
    TContactSheet Sheet(40, 64);
    const TRgba Background = PixelAt(Sheet.Image(), 0, 0);
    EXPECT_EQ(Background, (TRgba{0x4F, 0x4F, 0x4F, 255}));
    const int32_t Columns = Sheet.Columns();
    ASSERT_GT(Columns, 1);
    ASSERT_LT(Columns, 20);

    TRgbaImage Green(3, 3);
    for (std::size_t At = 1; At < Green.Pixels.size(); At += 2)
        Green.Pixels[At] = 255;                                      // green and alpha
    const std::size_t Index = static_cast<std::size_t>(Columns) + 1; // second row, second column
    Sheet.Draw(Index, MakeThumbnail(Green, 64), std::string(100, 'W'), "3x3 RGBA8");
    const int32_t Left = Sheet.AreaLeft(Index), Top = Sheet.AreaTop(Index);
    EXPECT_EQ(Left, Sheet.AreaLeft(1));
    EXPECT_GT(Top, Sheet.AreaTop(1) + 64);
    EXPECT_EQ(PixelAt(Sheet.Image(), Left, Top), (TRgba{0, 255, 0, 255}));
    EXPECT_EQ(PixelAt(Sheet.Image(), Left + 63, Top + 63), (TRgba{0, 255, 0, 255}));
    EXPECT_EQ(PixelAt(Sheet.Image(), Left - 1, Top), Background);

    // Some text under the thumbnail, none past the cell's right edge, where
    // the next column's area begins.
    bool Text = false;
    for (int32_t Y = Top + 64; Y < Sheet.AreaTop(Index + Columns); ++Y) {
        for (int32_t X = Left; X < Sheet.AreaLeft(Index + 1); ++X)
            Text = Text || PixelAt(Sheet.Image(), X, Y) != Background;
        EXPECT_EQ(PixelAt(Sheet.Image(), Sheet.AreaLeft(Index + 1), Y), Background);
    }
    EXPECT_TRUE(Text);
}

} // namespace
} // namespace swatchbox::testing
