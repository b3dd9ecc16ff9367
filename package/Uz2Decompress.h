#pragma once

#include "package/FileStream.h"

#include <cstdint>
#include <vector>

namespace swatchbox {

// A .uz2 file is a run of chunks to its end, each a little-endian uint32
// compressed size and uint32 uncompressed size, then that many bytes of one
// zlib stream; the uncompressed chunks joined are the package.
inline constexpr uint32_t Uz2MaxChunk = 32768;
inline constexpr uint32_t Uz2MaxCompressedChunk = 33096;
// Limits on what a compressed file may claim to hold before anything is allocated.
inline constexpr int64_t MaxDecompressedBytes = int64_t{1} << 30;
inline constexpr int64_t MaxExpansion = 64;

// A cheap test of the first chunk header and the zlib header after it.
bool LooksLikeUz2(TFileStream& File);

// The whole package. Throws EPackageDamaged naming the file and the offset of
// the first chunk that doesn't fit, and refuses sizes beyond the limits above
// before allocating; a truncated file is an error, never a shorter package.
std::vector<uint8_t> DecompressUz2(TFileStream& File);

} // namespace swatchbox
