#pragma once

#include <array>
#include <cstdint>

namespace swatchbox::demo {

inline constexpr int GlyphWidth = 5;
inline constexpr int GlyphHeight = 7;

// Rows of a 5 x 7 glyph for printable ASCII (32 to 126), top row first; bit 4
// is the leftmost column. Other characters give a filled box.
std::array<uint8_t, GlyphHeight> Glyph(char Character);

inline bool GlyphPixel(char Character, int X, int Y) {
    return (Glyph(Character)[static_cast<std::size_t>(Y)] >> (GlyphWidth - 1 - X)) & 1;
}

} // namespace swatchbox::demo
