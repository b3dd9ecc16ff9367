#pragma once

#include "package/FileStream.h"

#include <cstdint>
#include <vector>

namespace swatchbox {

// A .uz file is an int32 signature, the original file name as a string, then
// the package after a run-length pass, a Burrows-Wheeler transform in blocks,
// move-to-front and Huffman coding. Signature 5678 adds a second run-length
// pass, which is refused as not supported.
inline constexpr uint32_t UzSignature = 1234;
inline constexpr uint32_t UzSignatureTwoRuns = 5678;
inline constexpr uint32_t UzMaxBlock = 0x40000;

// The signature alone, so that a file cut short in its name is reported as
// damaged rather than as no package.
bool LooksLikeUz(TFileStream& File);

// The whole package. Throws EPackageDamaged on anything that doesn't fit,
// never producing more than 1 GiB.
std::vector<uint8_t> DecompressUz(TFileStream& File);

} // namespace swatchbox
