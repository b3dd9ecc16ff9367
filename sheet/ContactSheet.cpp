#include "sheet/ContactSheet.h"

#include "decode/PixelDecoder.h"
#include "export/ExportErrors.h"
#include "sheet/BitmapFont.h"
#include "sheet/PanelGrid.h"

#include <algorithm>
#include <cmath>

namespace swatchbox {

namespace {

// Sheets are about this wide: 8 columns at the panel's default size.
constexpr int32_t SheetWidth = 1200;
constexpr int32_t Margin = 16;
constexpr int32_t CheckerSquare = 8;
constexpr uint8_t CheckerLight = 0xA0;
constexpr uint8_t CheckerDark = 0x80;

// A colour of the settings, 0x00BBGGRR, as an opaque RGBA pixel.
void PutColour(uint8_t* Pixel, uint32_t Colour) {
    Pixel[0] = static_cast<uint8_t>(Colour);
    Pixel[1] = static_cast<uint8_t>(Colour >> 8);
    Pixel[2] = static_cast<uint8_t>(Colour >> 16);
    Pixel[3] = 255;
}

// Labels grow with the thumbnails, so large sheets stay readable.
int32_t LabelScale(int32_t Size) {
    return std::max(1, Size / 256);
}

int32_t LineStep(int32_t Scale) {
    return (GlyphHeight + 4) * Scale;
}

// Image area, then the two label lines, then the gap to the next row.
int64_t RowStep(int32_t Size, int32_t Scale) {
    return int64_t{Size} + 6 * Scale + 2 * LineStep(Scale) + Margin;
}

// The quad the panel draws for a texture of that size: the longer side fills
// the area; at least one pixel each way.
std::pair<int32_t, int32_t> QuadPixels(int32_t Width, int32_t Height, int32_t Size) {
    const grid::TQuadSize Quad = grid::QuadSize(Width, Height, Size);
    return {std::max<int32_t>(1, static_cast<int32_t>(std::lround(Quad.Width))),
            std::max<int32_t>(1, static_cast<int32_t>(std::lround(Quad.Height)))};
}

} // namespace

TContactSheet::TContactSheet(std::size_t Count, int32_t Size, const TPanelColours& Colours)
    : Colours(Colours), Size(std::max(1, Size)), Scale(LabelScale(this->Size)) {
    const int64_t Step = grid::ColumnStep(this->Size);
    ColumnCount = static_cast<int32_t>(
        std::clamp<int64_t>(SheetWidth / Step, 1, std::max<int64_t>(1, int64_t(Count))));
    const int64_t Rows = grid::RowCount(int64_t(Count), ColumnCount);
    const int64_t Width = Margin + ColumnCount * Step;
    const int64_t Height = Margin + Rows * RowStep(this->Size, Scale);
    if (Width * Height > LargestDecodedPixels)
        throw EExportError("A sheet of " + std::to_string(Count) + " textures at size " +
                           std::to_string(this->Size) +
                           " is too large; choose fewer textures or a smaller size.");
    Sheet = TRgbaImage(static_cast<int32_t>(Width), static_cast<int32_t>(Height));
    for (std::size_t At = 0; At < Sheet.Pixels.size(); At += 4)
        PutColour(&Sheet.Pixels[At], Colours.BackgroundColor);
}

int32_t TContactSheet::AreaLeft(std::size_t Index) const {
    return static_cast<int32_t>(Margin + int64_t(Index) % ColumnCount * grid::ColumnStep(Size));
}

int32_t TContactSheet::AreaTop(std::size_t Index) const {
    return static_cast<int32_t>(Margin + int64_t(Index) / ColumnCount * RowStep(Size, Scale));
}

void TContactSheet::Draw(std::size_t Index, const TRgbaImage& Thumbnail, std::string_view Name,
                         std::string_view Details) {
    const int32_t Left = AreaLeft(Index);
    const int32_t Top = AreaTop(Index);
    const int32_t Columns = std::min(Thumbnail.Width, Size);
    for (int32_t Y = 0; Y < std::min(Thumbnail.Height, Size); ++Y)
        std::copy_n(Thumbnail.Row(Y), std::size_t(Columns) * 4, Sheet.Pixel(Left, Top + Y));
    const int32_t LabelTop = Top + Size + 6 * Scale;
    DrawLabel(Left, LabelTop, Name);
    DrawLabel(Left, LabelTop + LineStep(Scale), Details);
}

// Text that does not fit the cell is cut and ends in "..", so it never runs
// into the next column.
void TContactSheet::DrawLabel(int32_t Left, int32_t Top, std::string_view Text) {
    const int32_t Room = Size + Margin / 2;
    const auto Fitting =
        static_cast<std::size_t>(std::max(0, (Room + Scale) / (GlyphAdvance * Scale)));
    std::string Shown(Text.substr(0, std::min(Text.size(), Fitting)));
    if (Text.size() > Fitting && Fitting >= 2)
        Shown.replace(Fitting - 2, 2, "..");
    ForEachTextPixel(Shown, Scale, [&](int X, int Y) {
        PutColour(Sheet.Pixel(Left + X, Top + Y), Colours.TextColor);
    });
}

TRgbaImage MakeThumbnail(const TRgbaImage& Picture, int32_t Size) {
    const auto [Width, Height] = QuadPixels(Picture.Width, Picture.Height, Size);
    TRgbaImage Thumbnail(Width, Height);
    for (int32_t Y = 0; Y < Height; ++Y) {
        // The texel under each pixel's centre.
        const auto SourceY =
            static_cast<int32_t>((int64_t{Y} * 2 + 1) * Picture.Height / (2 * Height));
        for (int32_t X = 0; X < Width; ++X) {
            const auto SourceX =
                static_cast<int32_t>((int64_t{X} * 2 + 1) * Picture.Width / (2 * Width));
            const uint8_t* Texel = Picture.Pixel(SourceX, SourceY);
            const bool Light = (X / CheckerSquare + Y / CheckerSquare) % 2 == 0;
            const int Behind = Light ? CheckerLight : CheckerDark;
            const int Alpha = Texel[3];
            uint8_t* Out = Thumbnail.Pixel(X, Y);
            for (int C = 0; C < 3; ++C)
                Out[C] =
                    static_cast<uint8_t>((Texel[C] * Alpha + Behind * (255 - Alpha) + 127) / 255);
            Out[3] = 255;
        }
    }
    return Thumbnail;
}

TRgbaImage PlainThumbnail(int32_t Width, int32_t Height, int32_t Size) {
    const auto [QuadWidth, QuadHeight] = QuadPixels(std::max(1, Width), std::max(1, Height), Size);
    TRgbaImage Thumbnail(QuadWidth, QuadHeight);
    std::fill(Thumbnail.Pixels.begin(), Thumbnail.Pixels.end(), uint8_t{255});
    return Thumbnail;
}

} // namespace swatchbox
