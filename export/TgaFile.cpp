#include "export/TgaFile.h"

#include "export/BmpFile.h"
#include "export/ExportErrors.h"

namespace swatchbox {

std::array<uint8_t, TgaHeaderSize> MakeTgaHeader(int32_t Width, int32_t Height) {
    std::array<uint8_t, TgaHeaderSize> Header{};
    // One byte of image ID follows the header; it stays zero.
    Header[0] = 1;
    // Uncompressed true colour, no colour map, origin 0, 0.
    Header[2] = 2;
    Header[12] = static_cast<uint8_t>(Width);
    Header[13] = static_cast<uint8_t>(Width >> 8);
    Header[14] = static_cast<uint8_t>(Height);
    Header[15] = static_cast<uint8_t>(Height >> 8);
    Header[16] = 32;
    // 8 alpha bits; bits 4 and 5 clear: bottom row first, left to right.
    Header[17] = 8;
    return Header;
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
