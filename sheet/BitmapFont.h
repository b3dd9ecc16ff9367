#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace swatchbox {

// A small fixed-width font for labels drawn into pictures without a font
// system: 5 x 7 pixels a character, one column of space between characters.
inline constexpr int GlyphWidth = 5;
inline constexpr int GlyphHeight = 7;
inline constexpr int GlyphAdvance = GlyphWidth + 1;

// Rows of a 5 x 7 glyph for printable ASCII (32 to 126), top row first; bit 4
// is the leftmost column. Other characters give a filled box.
std::array<uint8_t, GlyphHeight> Glyph(char Character);

inline bool GlyphPixel(char Character, int X, int Y) {
    return (Glyph(Character)[static_cast<std::size_t>(Y)] >> (GlyphWidth - 1 - X)) & 1;
}

// Calls Plot(X, Y) for every set pixel of Text drawn with its top-left corner
// at (0, 0), each font pixel Scale x Scale screen pixels.
template <class TPlot>
void ForEachTextPixel(std::string_view Text, int Scale, TPlot&& Plot) {
    int Left = 0;
    for (const char Character : Text) {
        const std::array<uint8_t, GlyphHeight> Rows = Glyph(Character);
        for (int Y = 0; Y < GlyphHeight * Scale; ++Y)
            for (int X = 0; X < GlyphWidth * Scale; ++X)
                if (Rows[static_cast<std::size_t>(Y / Scale)] >> (GlyphWidth - 1 - X / Scale) & 1)
                    Plot(Left + X, Y);
        Left += GlyphAdvance * Scale;
    }
}

} // namespace swatchbox
