#pragma once

// The texture panel's grid: where each thumbnail, its labels and its cell box
// lie, how many cells fit in a row, and which cell a point falls in. Pixels of
// the panel's client area before scrolling, origin top left, y downwards.
// Cells are TextureSize + 16 wide and TextureSize + 80 high, with a margin
// of 8 around the cell boxes and 16 around the images.
//
// Sizes come from the settings file unchecked, so the arithmetic is done in
// 64 bits and never divides by a step below 1.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace swatchbox::grid {

struct TPoint {
    int64_t X = 0;
    int64_t Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TQuadSize {
    float Width = 0;
    float Height = 0;
    bool operator==(const TQuadSize&) const = default;
};

inline int64_t ColumnStep(int32_t TextureSize) {
    return std::max<int64_t>(int64_t{TextureSize} + 16, 1);
}

inline int64_t RowStep(int32_t TextureSize) {
    return std::max<int64_t>(int64_t{TextureSize} + 80, 1);
}

// Cells in one row: as many as fit after the left margin, at least one.
inline int32_t ColumnCount(int32_t ClientWidth, int32_t TextureSize) {
    const int64_t Fitting = (int64_t{ClientWidth} - 8) / ColumnStep(TextureSize);
    return static_cast<int32_t>(std::clamp<int64_t>(Fitting, 1, INT32_MAX));
}

inline int64_t RowCount(int64_t Count, int32_t Columns) {
    const int64_t N = std::max(Columns, 1);
    return Count <= 0 ? 0 : (Count + N - 1) / N;
}

// Top-left corner of the image area of texture Index.
inline TPoint ImageOrigin(int64_t Index, int32_t Columns, int32_t TextureSize) {
    const int64_t N = std::max(Columns, 1);
    return {16 + Index % N * ColumnStep(TextureSize), 16 + Index / N * RowStep(TextureSize)};
}

// Start of the first label line: under the image area, at its left edge.
inline TPoint LabelOrigin(int64_t Index, int32_t Columns, int32_t TextureSize) {
    const TPoint Image = ImageOrigin(Index, Columns, TextureSize);
    return {Image.X, Image.Y + TextureSize + 16};
}

// Top-left corner of the cell box that the highlight fills.
inline TPoint CellOrigin(int64_t Index, int32_t Columns, int32_t TextureSize) {
    const TPoint Image = ImageOrigin(Index, Columns, TextureSize);
    return {Image.X - 8, Image.Y - 8};
}

// The selection for a click at (X, Y), Y already moved by the scroll offset:
// the index of the texture whose cell box holds the point, -1 for a point
// beside or below the textures, or nothing (selection unchanged) for a point
// in the top or left margin.
inline std::optional<int32_t> HitTest(int64_t X, int64_t Y, int32_t Columns, int32_t TextureSize,
                                      int64_t Count) {
    if (X < 8 || Y < 8)
        return std::nullopt;
    const int64_t Column = (X - 8) / ColumnStep(TextureSize);
    const int64_t Row = (Y - 8) / RowStep(TextureSize);
    const int64_t Index = Row * std::max(Columns, 1) + Column;
    if (Column < Columns && Row < RowCount(Count, Columns) && Index < Count)
        return static_cast<int32_t>(Index);
    return -1;
}

// Size of a thumbnail's quad: the longer edge fills TextureSize, the other
// keeps the texture's aspect ratio.
inline TQuadSize QuadSize(int32_t USize, int32_t VSize, int32_t TextureSize) {
    const float Size = static_cast<float>(TextureSize);
    const float Aspect = static_cast<float>(USize) / static_cast<float>(VSize);
    if (Aspect > 1)
        return {Size, Size / Aspect};
    if (Aspect < 1)
        return {Size * Aspect, Size};
    return {Size, Size};
}

// Second label line, such as "256x128".
inline std::string SizeText(int32_t USize, int32_t VSize) {
    return std::to_string(USize) + "x" + std::to_string(VSize);
}

// Third label line: the format, and the format of a second, compressed
// picture when the texture has one ("P8 +DXT1").
inline std::string FormatText(std::string_view Format, std::string_view CompFormat = {}) {
    std::string Text(Format);
    if (!CompFormat.empty())
        Text.append(" +").append(CompFormat);
    return Text;
}

// Fourth label line: the flags that make a texture drawn with its alpha.
inline std::string_view FlagText(bool bMasked, bool bAlphaTexture) {
    if (bMasked && bAlphaTexture)
        return "bMasked, bAlpha";
    if (bAlphaTexture)
        return "bAlpha";
    if (bMasked)
        return "bMasked";
    return "";
}

} // namespace swatchbox::grid
