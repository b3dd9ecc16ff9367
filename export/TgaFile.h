#pragma once

#include "decode/Image.h"
#include "export/ImageFile.h"

#include <array>
#include <cstdint>

namespace swatchbox {

// 18-byte header plus the one-byte image ID that follows it.
inline constexpr int TgaHeaderSize = 19;

// Header of an uncompressed 32-bit true-colour Targa file, bottom row first,
// 8 alpha bits.
std::array<uint8_t, TgaHeaderSize> MakeTgaHeader(int32_t Width, int32_t Height);

// Writes an RGBA image as that file. Throws EExportError for a side above
// 65535 pixels, which the header can't hold.
void WriteTga(const TRgbaImage& Image, const TWriteBytes& Write);

} // namespace swatchbox
