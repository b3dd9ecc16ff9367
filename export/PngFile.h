#pragma once

#include "decode/Image.h"
#include "export/ImageFile.h"

namespace swatchbox {

// Writes an RGBA image as an 8-bit PNG: RGB when every alpha is 255, RGB
// with a tRNS colour when every pixel is opaque or clear in one colour that
// no opaque pixel has, RGBA otherwise; any reader gets the same pixels.
// Throws EExportError when the image is too large or memory runs out.
void WritePng(const TRgbaImage& Image, const TWriteBytes& Write);

// Writes 16-bit grey values as a 16-bit greyscale PNG, so nothing of them is
// lost. Throws like the 8-bit writer.
void WritePng(const TGrey16Image& Image, const TWriteBytes& Write);

} // namespace swatchbox
