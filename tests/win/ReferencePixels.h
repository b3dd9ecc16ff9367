// Texture pixels decoded without OpenGL, to compare with what the program
// reads back.
#pragma once

#include "package/PixelFormat.h"
#include "tools/package-builder/PackageBuilder.h"

#include <array>
#include <cstdint>
#include <vector>

namespace swatchbox::testing {

using TBgra = std::array<uint8_t, 4>;

// Width x Height pixels, first stored row first, blue, green, red, alpha, as
// a texture of Format with these stored bytes looks once uploaded: the
// portable decoder's pixels with the alpha of a texture without flags, which
// is what OpenGL keeps of the formats uploaded with three components.
std::vector<TBgra> ReferencePixels(TPixelFormat Format, int32_t Width, int32_t Height,
                                   const TBytes& Stored,
                                   const TBytes& Palette = DefaultPaletteColours());

// Largest difference of any channel; 256 when the sizes differ.
int LargestDifference(const std::vector<TBgra>& A, const std::vector<TBgra>& B);

} // namespace swatchbox::testing
