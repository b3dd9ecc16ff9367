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
    for (const auto& [X, Y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}})
        Picture.Pixel(X, Y)[0] = Picture.Pixel(X, Y)[3] = 255;
    const TRgbaImage Thumbnail = MakeThumbnail(Picture, 32);
    ASSERT_EQ(std::pair(Thumbnail.Width, Thumbnail.Height), std::pair(32, 16));
    EXPECT_EQ(PixelAt(Thumbnail, 15, 15), (TRgba{255, 0, 0, 255}));
    // Behind the transparent half, squares of two greys alternate.
    EXPECT_NE(PixelAt(Thumbnail, 16, 0), PixelAt(Thumbnail, 24, 0));
    EXPECT_EQ(PixelAt(Thumbnail, 16, 0), PixelAt(Thumbnail, 24, 8));
    EXPECT_EQ(PixelAt(Thumbnail, 16, 0)[0], PixelAt(Thumbnail, 16, 0)[1]);
}

// Where thumbnails go is checked on whole sheets with the sheet command.
TEST(ContactSheet, LongLabelsStayInsideTheirCell) {
    TContactSheet Sheet(40, 64, TPanelColours{});
    const TRgba Background = PixelAt(Sheet.Image(), 0, 0);
    const std::size_t Index = 1;
    Sheet.Draw(Index, PlainThumbnail(1, 1, 64), std::string(100, 'W'), "1x1 P8");
    bool Text = false;
    for (int32_t Y = Sheet.AreaTop(Index) + 64; Y < Sheet.AreaTop(Index + Sheet.Columns()); ++Y) {
        for (int32_t X = Sheet.AreaLeft(Index); X < Sheet.AreaLeft(Index + 1); ++X)
            Text = Text || PixelAt(Sheet.Image(), X, Y) != Background;
        EXPECT_EQ(PixelAt(Sheet.Image(), Sheet.AreaLeft(Index + 1), Y), Background);
    }
    EXPECT_TRUE(Text);
}

} // namespace
} // namespace swatchbox::testing
