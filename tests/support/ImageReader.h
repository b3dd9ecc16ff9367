// Image files read back in the tests with stb_image, a reader independent of
// the writers under test, and single pixels of images.
#pragma once

#include "decode/Image.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace swatchbox::testing {

struct TImageFile {
    int Width = 0;
    int Height = 0;
    int Components = 0; // in the file: 1 grey, 3 RGB, 4 RGBA
    bool SixteenBit = false;
    std::vector<uint8_t> Rgba;    // 8-bit files, as red, green, blue, alpha, top row first
    std::vector<uint16_t> Values; // 16-bit files, first channel only
};

using TRgba = std::array<uint8_t, 4>;

inline TRgba PixelAt(const TRgbaImage& Image, int32_t X, int32_t Y) {
    const uint8_t* Pixel = Image.Pixel(X, Y);
    return {Pixel[0], Pixel[1], Pixel[2], Pixel[3]};
}

// Reads a PNG, BMP or TGA file; throws std::runtime_error when it can't.
TImageFile ReadImageFile(const std::string& FileName);

} // namespace swatchbox::testing
