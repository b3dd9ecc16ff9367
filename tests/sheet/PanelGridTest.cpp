// The texture panel's grid: column count, positions of images, labels and
// cell boxes, the hit test and the thumbnail and label shapes.
#include "sheet/PanelGrid.h"

#include <gtest/gtest.h>

namespace swatchbox::grid {
namespace {

TEST(PanelGrid, ColumnsFillTheWidthAndNeverDropBelowOne) {
    // Width, image size, columns; the third cell box of 128 ends at 440. Sizes
    // from a hand-edited settings file must not divide by zero or overflow.
    const int32_t Cases[][3] = {{440, 128, 3},  {439, 128, 2},   {500, 512, 1},      {0, 128, 1},
                                {-300, 128, 1}, {440, -16, 432}, {440, INT32_MAX, 1}};
    for (const auto& [Width, Size, Columns] : Cases)
        EXPECT_EQ(ColumnCount(Width, Size), Columns) << Width << " " << Size;
}

// Clicks select the cell box under them; -1 (none) clears the selection, no
// hit keeps it as it is.
TEST(PanelGrid, HitTestFindsTheCellBoxUnderThePoint) {
    // X, Y, columns, image size, texture count, hit (-2: none). Five textures
    // in three columns leave the last row's third cell empty; y already holds
    // the scroll offset. Right of the last column, the empty cell and below
    // the rows hit -1; the top and left margins hit nothing. The one column of
    // a panel narrower than a cell still selects.
    const int32_t Cases[][6] = {
        {100, 100, 3, 128, 5, 0},  {8, 8, 3, 128, 5, 0},     {151, 215, 3, 128, 5, 0},
        {152, 8, 3, 128, 5, 1},    {439, 100, 3, 128, 5, 2}, {8, 216, 3, 128, 5, 3},
        {200, 300, 3, 128, 5, 4},  {20, 226, 3, 128, 5, 3},  {5, 100, 3, 128, 5, -2},
        {100, 7, 3, 128, 5, -2},   {0, 0, 3, 128, 5, -2},    {440, 100, 3, 128, 5, -1},
        {300, 300, 3, 128, 5, -1}, {20, 424, 3, 128, 5, -1}, {100, 100, 3, 128, 0, -1},
        {400, 100, 1, 512, 5, 0},  {535, 700, 1, 512, 5, 1}, {536, 100, 1, 512, 5, -1}};
    for (const auto& [X, Y, Columns, Size, Count, Hit] : Cases)
        EXPECT_EQ(HitTest(X, Y, Columns, Size, Count).value_or(-2), Hit) << X << "," << Y;
}

TEST(PanelGrid, QuadKeepsTheAspectRatioAndLabelsShowSizeAndFlags) {
    // A texture of no height gives no fault, just a flat quad. (Thumbnails on
    // contact sheets show the aspect kept.)
    EXPECT_EQ(QuadSize(16, 0, 128), (TQuadSize{128, 0}));
    EXPECT_EQ(SizeText(256, 128), "256x128");
    EXPECT_EQ(FormatText("P8", "DXT1"), "P8 +DXT1");
    EXPECT_EQ(FormatText("DXT5"), "DXT5");
    EXPECT_EQ(std::tuple(FlagText(true, true), FlagText(false, true), FlagText(true, false),
                         FlagText(false, false)),
              std::tuple("bMasked, bAlpha", "bAlpha", "bMasked", ""));
}

} // namespace
} // namespace swatchbox::grid
