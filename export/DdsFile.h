#pragma once

#include "package/PixelFormat.h"

#include <cstdint>
#include <vector>

namespace swatchbox {

// Magic and DDS_HEADER for one surface of Format without mip maps, followed by
// DDS_HEADER_DXT10 for formats that only Direct3D 10 names (BC7). Empty for
// formats DDS files don't hold here.
std::vector<uint8_t> MakeDdsHeader(int32_t Width, int32_t Height, TPixelFormat Format);

// True when MakeDdsHeader has a layout for Format. DXT5N keeps its DXT5
// blocks as they are; BC4 and BC5 go under the FourCCs "ATI1" and "ATI2"
// that most readers know, their signed kinds under "BC4S" and "BC5S".
bool HasDdsLayout(TPixelFormat Format);

} // namespace swatchbox
