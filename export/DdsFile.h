#pragma once

#include "package/PixelFormat.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace swatchbox {

inline constexpr int DdsHeaderSize = 128;

// Magic and DDS_HEADER for one compressed surface without mip maps. FourCC is
// "DXT1", "DXT3" or "DXT5".
std::array<uint8_t, DdsHeaderSize> MakeDdsHeader(int32_t Width, int32_t Height,
                                                 std::string_view FourCC);

// The FourCC a surface of Format is stored under; empty for formats DDS files
// of this kind don't hold. DXT5N keeps its DXT5 blocks as they are.
std::string_view DdsFourCC(TPixelFormat Format);

} // namespace swatchbox
