#pragma once

#include "tools/package-builder/ByteSink.h"

#include <cstddef>
#include <cstdint>

namespace swatchbox::testing {

// Bytes a package stores for a Width x Height mip map in Format, as the reader
// counts them (RGBA7 as RGBA8); formats the reader doesn't know take 1 a pixel.
std::size_t StoredMipSize(uint8_t Format, int32_t Width, int32_t Height);

// Count bytes of a pattern that differs from row to row and from Seed to
// Seed, so copied pixels can be told from shifted, flipped or foreign ones.
TBytes PatternBytes(std::size_t Count, uint32_t Seed = 0);

// Bytes that look random, the same for the same seed: every DXT block mode
// and colour order turns up in a few hundred blocks.
TBytes NoiseBytes(std::size_t Count, uint32_t Seed);

// 256 entries of red, green, blue, alpha: entry i is (i, 255 - i, 7i, 3i + 1)
// modulo 256, so every entry and every channel differs.
TBytes DefaultPaletteColours();

} // namespace swatchbox::testing
