#pragma once

#include "decode/Image.h"
#include "export/ImageFile.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
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
    // 16-bit pixels of 5 red, 6 green and 5 blue bits (else 5-5-5).
    bool Rgb565 = false;
};

// BITMAPFILEHEADER and BITMAPINFOHEADER for an uncompressed bottom-up bitmap,
// with the bit masks of 5-6-5 pixels when Layout asks for them. The palette,
// if any, comes next.
std::vector<uint8_t> MakeBmpHeaders(const TBmpLayout& Layout);

// Where bitmap rows come from and go to. ReadRows fills Into with Count
// top-down source rows of Width * BytesPerPixel bytes, starting at FirstRow.
using TReadRows = std::function<void(int64_t FirstRow, int64_t Count, uint8_t* Into)>;

// Writes Prefix (the headers), then Height rows bottom row first, each padded
// with zeros to a multiple of 4 bytes. Rows move a bounded chunk at a time so
// that memory stays small and cache-warm whatever the texture's size.
void WriteBottomUpRows(int32_t Width, int32_t Height, int BytesPerPixel, const TReadRows& ReadRows,
                       const TWriteBytes& Write, std::span<const uint8_t> Prefix = {});

// Writes an RGBA image as a bitmap of 24 (blue, green, red) or 32 bits (and
// alpha), without resolution. Throws EExportError for an image whose pixels
// exceed the 32-bit sizes of the headers.
void WriteBmp(const TRgbaImage& Image, int BitsPerPixel, const TWriteBytes& Write);

// Fills Into with Count rows of Image from FirstRow on, each pixel as blue,
// green, red and, with BytesPerPixel 4, alpha: the pixel order of bitmaps and
// Targa files.
void CopyBgrRows(const TRgbaImage& Image, int64_t FirstRow, int64_t Count, int BytesPerPixel,
                 uint8_t* Into);

} // namespace swatchbox
