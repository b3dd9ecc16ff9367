#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace swatchbox {

inline constexpr int DdsHeaderSize = 128;

// Magic and DDS_HEADER for one compressed surface without mip maps. FourCC is
// "DXT1", "DXT3" or "DXT5".
std::array<uint8_t, DdsHeaderSize> MakeDdsHeader(int32_t Width, int32_t Height,
                                                 std::string_view FourCC);

} // namespace swatchbox
