#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace swatchbox {

inline constexpr int BmpHeaderSize = 54;

struct TBmpLayout {
    int32_t Width = 0;
    int32_t Height = 0;
    int BitsPerPixel = 32;
    int32_t PixelsPerMetre = 0;
    // Palette entries that follow the headers (256 for 8-bit files, else 0).
    uint32_t PaletteEntries = 0;
};

// BITMAPFILEHEADER and BITMAPINFOHEADER for an uncompressed bottom-up bitmap.
std::array<uint8_t, BmpHeaderSize> MakeBmpHeaders(const TBmpLayout& Layout);

// Turns top-down rows of Width * BytesPerPixel bytes into the bottom-up,
// zero-padded rows of a bitmap.
std::vector<uint8_t> MakeBottomUpRows(std::span<const uint8_t> TopDownPixels, int32_t Width,
                                      int32_t Height, int BytesPerPixel);

} // namespace swatchbox
