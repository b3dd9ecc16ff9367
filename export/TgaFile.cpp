#include "export/TgaFile.h"

#include "export/BmpFile.h"
#include "export/ExportErrors.h"
#include "export/HeaderFields.h"

namespace swatchbox {

std::array<uint8_t, TgaHeaderSize> MakeTgaHeader(int32_t Width, int32_t Height) {
    THeaderFields<TgaHeaderSize> Header;
    Header
        .U8(1)    // ID length: one byte of image ID follows, left zero
        .U8(0)    // no colour map
        .U8(2)    // uncompressed true colour
        .Zeros(5) // colour map specification
        .U16(0)   // x origin
        .U16(0)   // y origin
        .U16(static_cast<uint16_t>(Width))
        .U16(static_cast<uint16_t>(Height))
        .U8(32) // bits per pixel
        // 8 alpha bits; bits 4 and 5 clear: bottom row first, left to right.
        .U8(8)
        .U8(0); // the image ID
    return Header.Bytes();
}

void WriteTga(const TRgbaImage& Image, const TWriteBytes& Write) {
    constexpr int32_t LargestSide = 0xFFFF;
    if (Image.Width > LargestSide || Image.Height > LargestSide)
        throw EExportError("The texture is too large for a Targa file.");
    // Rows of 4-byte pixels need no padding, so the bitmap's row writer
    // serves as it is.
    WriteBottomUpRows(
        Image.Width, Image.Height, 4,
        [&](int64_t FirstRow, int64_t Count, uint8_t* Into) {
            CopyBgrRows(Image, FirstRow, Count, 4, Into);
        },
        Write, MakeTgaHeader(Image.Width, Image.Height));
}

} // namespace swatchbox
