#pragma once

#include "decode/Image.h"
#include "sheet/PanelColours.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace swatchbox {

// One picture of many textures, laid out like the program's panel: square
// thumbnail areas on a grid, each texture drawn from the area's top-left
// corner with its aspect kept, its name and a line of details (such as
// "256x128 DXT1") below, on the panel's default background and in its
// default text colour.
class TContactSheet {
public:
    // Room for Count textures in areas of Size x Size pixels. Throws
    // EExportError when the picture would be too large to write.
    TContactSheet(std::size_t Count, int32_t Size, const TPanelColours& Colours);

    // Draws texture Index: its thumbnail (from MakeThumbnail or
    // PlainThumbnail) and its two label lines, cut to the cell's width.
    void Draw(std::size_t Index, const TRgbaImage& Thumbnail, std::string_view Name,
              std::string_view Details);

    const TRgbaImage& Image() const { return Sheet; }
    int32_t Columns() const { return ColumnCount; }
    int32_t ThumbnailSize() const { return Size; }
    // Top-left corner of the thumbnail area of texture Index.
    int32_t AreaLeft(std::size_t Index) const;
    int32_t AreaTop(std::size_t Index) const;

private:
    void DrawLabel(int32_t Left, int32_t Top, std::string_view Text);

    const TPanelColours Colours;
    int32_t Size;
    int32_t Scale;
    int32_t ColumnCount;
    TRgbaImage Sheet;
};

// Picture scaled (nearest texel, as the panel draws) so that its longer side
// is Size pixels and the other keeps its aspect, its transparent parts shown
// over a checkerboard. The result is opaque.
TRgbaImage MakeThumbnail(const TRgbaImage& Picture, int32_t Size);

// What the panel shows for a texture without pixels: a plain white area of
// the texture's aspect.
TRgbaImage PlainThumbnail(int32_t Width, int32_t Height, int32_t Size);

} // namespace swatchbox
