#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

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

// Where bitmap rows come from and go to. ReadRows fills Into with Count
// top-down source rows of Width * BytesPerPixel bytes, starting at FirstRow.
using TReadRows = std::function<void(int64_t FirstRow, int64_t Count, uint8_t* Into)>;
using TWriteBytes = std::function<void(const uint8_t* Bytes, std::size_t Count)>;

// Writes Prefix (the headers), then Height rows bottom row first, each padded
// with zeros to a multiple of 4 bytes. Rows move a bounded chunk at a time so
// that memory stays small and cache-warm whatever the texture's size.
void WriteBottomUpRows(int32_t Width, int32_t Height, int BytesPerPixel, const TReadRows& ReadRows,
                       const TWriteBytes& Write, std::span<const uint8_t> Prefix = {});

} // namespace swatchbox
