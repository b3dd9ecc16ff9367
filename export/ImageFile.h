#pragma once

#include "decode/Image.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace swatchbox {

// Where a writer's bytes go, in order.
using TWriteBytes = std::function<void(const uint8_t* Bytes, std::size_t Count)>;

// The files a decoded or read-back image is written as.
enum class TImageFileType {
    Bmp24, // blue, green, red
    Bmp32, // blue, green, red, alpha
    Tga,   // 32 bits, blue, green, red, alpha
    Png,   // 8-bit RGBA, or RGB (with a clear colour) when the alpha allows
};

// ".BMP", ".TGA" or ".PNG".
std::string_view ImageFileExtension(TImageFileType Type);

// Writes the image to exactly FileName through a temporary file that
// replaces it only when everything is written. Throws EExportError naming
// the file, and for an image too large for the type.
void WriteImageFile(const TRgbaImage& Image, const std::string& FileName, TImageFileType Type);

// Writes the values as a 16-bit greyscale PNG file, safely like WriteImageFile.
void WriteGrey16PngFile(const TGrey16Image& Image, const std::string& FileName);

} // namespace swatchbox
