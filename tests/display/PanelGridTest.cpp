// The texture panel's grid: column count, positions of images, labels and
// cell boxes, the hit test and the thumbnail and label shapes.
#include "display/PanelGrid.h"

#include <gtest/gtest.h>

namespace swatchbox::grid {
namespace {

TEST(PanelGrid, ColumnsFillTheWidthAndNeverDropBelowOne) {
    EXPECT_EQ(ColumnCount(440, 128), 3);
    EXPECT_EQ(ColumnCount(439, 128), 2); // the third cell box would end at 440
    EXPECT_EQ(ColumnCount(500, 512), 1);
    EXPECT_EQ(ColumnCount(0, 128), 1);
    EXPECT_EQ(ColumnCount(-300, 128), 1);
    // Sizes from a hand-edited settings file must not divide by zero or overflow.
    EXPECT_EQ(ColumnCount(440, -16), 432);
    EXPECT_EQ(ColumnCount(440, INT32_MAX), 1);
}

TEST(PanelGrid, ImagesLabelsAndCellBoxesOfThreeColumns) {
    const int32_t S = 128;
    EXPECT_EQ(ImageOrigin(0, 3, S), (TPoint{16, 16}));
    EXPECT_EQ(ImageOrigin(1, 3, S), (TPoint{160, 16}));
    EXPECT_EQ(ImageOrigin(2, 3, S), (TPoint{304, 16}));
    EXPECT_EQ(ImageOrigin(5, 3, S), (TPoint{304, 224}));

    EXPECT_EQ(CellOrigin(0, 3, S), (TPoint{8, 8}));
    EXPECT_EQ(CellOrigin(1, 3, S), (TPoint{152, 8}));
    EXPECT_EQ(CellOrigin(2, 3, S), (TPoint{296, 8}));
    EXPECT_EQ(CellOrigin(2, 3, S).X + S + 16, 440);

    // First baseline 16 below the image area.
    EXPECT_EQ(LabelOrigin(0, 3, S), (TPoint{16, 160}));
    EXPECT_EQ(LabelOrigin(4, 3, S), (TPoint{160, 368}));
}

TEST(PanelGrid, OneColumnWhenTheImageDoesNotFit) {
    EXPECT_EQ(ImageOrigin(0, 1, 512), (TPoint{16, 16}));
    EXPECT_EQ(ImageOrigin(1, 1, 512), (TPoint{16, 608}));
    EXPECT_EQ(CellOrigin(2, 1, 512), (TPoint{8, 1192}));
}

TEST(PanelGrid, HitTestFindsTheCellBoxUnderThePoint) {
    const int32_t S = 128;
    // Five textures in three columns: the last row has an empty third cell.
    EXPECT_EQ(HitTest(100, 100, 3, S, 5), 0);
    EXPECT_EQ(HitTest(8, 8, 3, S, 5), 0);
    EXPECT_EQ(HitTest(151, 215, 3, S, 5), 0);
    EXPECT_EQ(HitTest(152, 8, 3, S, 5), 1);
    EXPECT_EQ(HitTest(439, 100, 3, S, 5), 2);
    EXPECT_EQ(HitTest(8, 216, 3, S, 5), 3);
    EXPECT_EQ(HitTest(200, 300, 3, S, 5), 4);
    // A scrolled click: y already holds the offset.
    EXPECT_EQ(HitTest(20, 216 + 10, 3, S, 5), 3);
}

TEST(PanelGrid, HitTestOutsideTheTexturesClearsOrKeepsTheSelection) {
    const int32_t S = 128;
    // Top and left margins leave the selection as it is.
    EXPECT_EQ(HitTest(5, 100, 3, S, 5), std::nullopt);
    EXPECT_EQ(HitTest(100, 7, 3, S, 5), std::nullopt);
    EXPECT_EQ(HitTest(0, 0, 3, S, 5), std::nullopt);
    // Right of the last column, the empty cell of the last row, below the rows.
    EXPECT_EQ(HitTest(440, 100, 3, S, 5), -1);
    EXPECT_EQ(HitTest(300, 300, 3, S, 5), -1);
    EXPECT_EQ(HitTest(20, 424, 3, S, 5), -1);
    EXPECT_EQ(HitTest(100, 100, 3, S, 0), -1);
    // The one column of a panel narrower than a cell still selects.
    EXPECT_EQ(HitTest(400, 100, 1, 512, 5), 0);
    EXPECT_EQ(HitTest(535, 700, 1, 512, 5), 1);
    EXPECT_EQ(HitTest(536, 100, 1, 512, 5), -1);
}

TEST(PanelGrid, QuadKeepsTheAspectRatioWithTheLongerEdgeFilled) {
    EXPECT_EQ(QuadSize(256, 64, 128), (TQuadSize{128, 32}));
    EXPECT_EQ(QuadSize(64, 256, 128), (TQuadSize{32, 128}));
    EXPECT_EQ(QuadSize(32, 32, 128), (TQuadSize{128, 128}));
    // A texture of no height gives no fault, just a flat quad.
    EXPECT_EQ(QuadSize(16, 0, 128), (TQuadSize{128, 0}));
}

TEST(PanelGrid, LabelTexts) {
    EXPECT_EQ(SizeText(256, 128), "256x128");
    EXPECT_EQ(FlagText(true, true), "bMasked, bAlpha");
    EXPECT_EQ(FlagText(false, true), "bAlpha");
    EXPECT_EQ(FlagText(true, false), "bMasked");
    EXPECT_EQ(FlagText(false, false), "");
}

} // namespace
} // namespace swatchbox::grid
