#pragma once

#include "tools/package-builder/ByteSink.h"

namespace swatchbox::testing {

// The package in Bytes as a .uz2 file: chunks of at most 32768 bytes, each a
// uint32 compressed size, a uint32 uncompressed size and one zlib stream.
TBytes CompressUz2(const TBytes& Bytes);

} // namespace swatchbox::testing
