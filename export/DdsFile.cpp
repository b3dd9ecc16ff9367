#include "export/DdsFile.h"

#include <algorithm>

namespace swatchbox {

namespace {

constexpr uint32_t DDSD_CAPS = 0x1;
constexpr uint32_t DDSD_HEIGHT = 0x2;
constexpr uint32_t DDSD_WIDTH = 0x4;
constexpr uint32_t DDSD_PIXELFORMAT = 0x1000;
constexpr uint32_t DDSD_LINEARSIZE = 0x80000;
constexpr uint32_t DDPF_FOURCC = 0x4;
constexpr uint32_t DDSCAPS_TEXTURE = 0x1000;

void Put32(uint8_t* At, uint32_t Value) {
    for (int I = 0; I < 4; ++I)
        At[I] = static_cast<uint8_t>(Value >> (8 * I));
}

} // namespace

std::array<uint8_t, DdsHeaderSize> MakeDdsHeader(int32_t Width, int32_t Height,
                                                 std::string_view FourCC) {
    const uint32_t BlockBytes = FourCC == "DXT1" ? 8 : 16;
    const uint32_t LinearSize =
        static_cast<uint32_t>(Width) / 4 * static_cast<uint32_t>(Height) / 4 * BlockBytes;
    std::array<uint8_t, DdsHeaderSize> Header{};
    std::copy_n("DDS ", 4, Header.begin());
    Put32(&Header[4], 124);
    Put32(&Header[8], DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT | DDSD_LINEARSIZE);
    Put32(&Header[12], static_cast<uint32_t>(Height));
    Put32(&Header[16], static_cast<uint32_t>(Width));
    Put32(&Header[20], LinearSize);
    Put32(&Header[28], 1);
    Put32(&Header[76], 32);
    Put32(&Header[80], DDPF_FOURCC);
    std::copy_n(FourCC.begin(), std::min<std::size_t>(FourCC.size(), 4), Header.begin() + 84);
    // The bit-count field carries a value for DXT3 and DXT5 only.
    Put32(&Header[88], FourCC == "DXT3" ? 256 : FourCC == "DXT5" ? 512 : 0);
    Put32(&Header[108], DDSCAPS_TEXTURE);
    return Header;
}

std::string_view DdsFourCC(TPixelFormat Format) {
    switch (Format) {
    case pfDXT1:
        return "DXT1";
    case pfDXT3:
        return "DXT3";
    case pfDXT5:
    case pfDXT5N:
        return "DXT5";
    default:
        return {};
    }
}

} // namespace swatchbox
