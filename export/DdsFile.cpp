#include "export/DdsFile.h"

#include "export/HeaderFields.h"
#include "package/ByteOrder.h"

#include <algorithm>
#include <iterator>

namespace swatchbox {

namespace {

constexpr uint32_t DDSD_CAPS = 0x1;
constexpr uint32_t DDSD_HEIGHT = 0x2;
constexpr uint32_t DDSD_WIDTH = 0x4;
constexpr uint32_t DDSD_PITCH = 0x8;
constexpr uint32_t DDSD_PIXELFORMAT = 0x1000;
constexpr uint32_t DDSD_LINEARSIZE = 0x80000;
constexpr uint32_t DDPF_FOURCC = 0x4;
constexpr uint32_t DDSCAPS_TEXTURE = 0x1000;
constexpr uint32_t D3D10_RESOURCE_DIMENSION_TEXTURE2D = 3;
constexpr uint32_t D3DFMT_CxV8U8 = 117;
constexpr uint32_t DXGI_FORMAT_BC7_UNORM = 98;

constexpr int HeaderSize = 128;
constexpr int Dx10HeaderSize = 20;

// The four characters as the little-endian number the header stores.
constexpr uint32_t FourCC(const char (&Code)[5]) {
    const uint8_t Bytes[4] = {uint8_t(Code[0]), uint8_t(Code[1]), uint8_t(Code[2]),
                              uint8_t(Code[3])};
    return LoadLE32(Bytes);
}

// How a format is named in a DDS file: by FourCC, by the Direct3D 9 format
// number in the FourCC field, or by a DXGI format after a "DX10" FourCC.
struct TDdsLayout {
    TPixelFormat Format;
    uint32_t FourCC;
    uint32_t DxgiFormat = 0;
    int BytesPerPixel = 0; // 0 for 4x4 blocks
};

constexpr TDdsLayout Layouts[] = {
    {pfDXT1, FourCC("DXT1")},
    {pfDXT3, FourCC("DXT3")},
    {pfDXT5, FourCC("DXT5")},
    {pfDXT5N, FourCC("DXT5")},
    {pfBC4, FourCC("ATI1")},
    {pfBC4S, FourCC("BC4S")},
    {pfBC5, FourCC("ATI2")},
    {pfBC5S, FourCC("BC5S")},
    {pfBC7, FourCC("DX10"), DXGI_FORMAT_BC7_UNORM},
    {pfCxV8U8, D3DFMT_CxV8U8, 0, 2},
};

const TDdsLayout* FindLayout(TPixelFormat Format) {
    const auto Found = std::ranges::find(Layouts, Format, &TDdsLayout::Format);
    return Found == std::end(Layouts) ? nullptr : &*Found;
}

// The pitch of a row of pixels, or the bytes of the whole surface for block
// formats. Width and height are divided by four separately, as the files
// written before always did, so a tiny texture states 0.
uint32_t PitchOrLinearSize(const TDdsLayout& Layout, int32_t Width, int32_t Height) {
    const auto W = static_cast<uint32_t>(Width), H = static_cast<uint32_t>(Height);
    if (Layout.BytesPerPixel)
        return W * static_cast<uint32_t>(Layout.BytesPerPixel);
    const auto BlockBytes = static_cast<uint32_t>(MipByteSize(Layout.Format, 4, 4));
    return W / 4 * H / 4 * BlockBytes;
}

} // namespace

bool HasDdsLayout(TPixelFormat Format) {
    return FindLayout(Format) != nullptr;
}

std::vector<uint8_t> MakeDdsHeader(int32_t Width, int32_t Height, TPixelFormat Format) {
    const TDdsLayout* Layout = FindLayout(Format);
    if (!Layout)
        return {};
    const uint32_t SizeFlag = Layout->BytesPerPixel ? DDSD_PITCH : DDSD_LINEARSIZE;
    // The bit-count field carries a value for DXT3 and DXT5 only, as the
    // files written before did.
    const uint32_t BitCount = Layout->FourCC == FourCC("DXT3")   ? 256
                              : Layout->FourCC == FourCC("DXT5") ? 512
                                                                 : 0;
    THeaderFields<HeaderSize> Header;
    Header.U32(FourCC("DDS "))
        .U32(124) // dwSize
        .U32(DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT | SizeFlag)
        .U32(static_cast<uint32_t>(Height))
        .U32(static_cast<uint32_t>(Width))
        .U32(PitchOrLinearSize(*Layout, Width, Height))
        .U32(0) // dwDepth
        .U32(1) // dwMipMapCount
        .Zeros(11 * 4)
        // DDS_PIXELFORMAT
        .U32(32) // dwSize
        .U32(DDPF_FOURCC)
        .U32(Layout->FourCC)
        .U32(BitCount)
        .Zeros(4 * 4) // bit masks
        .U32(DDSCAPS_TEXTURE)
        .Zeros(4 * 4); // dwCaps2 to dwReserved2
    std::vector<uint8_t> Bytes(Header.Bytes().begin(), Header.Bytes().end());
    if (Layout->DxgiFormat) {
        THeaderFields<Dx10HeaderSize> Dx10;
        Dx10.U32(Layout->DxgiFormat)
            .U32(D3D10_RESOURCE_DIMENSION_TEXTURE2D)
            .U32(0)  // miscFlag
            .U32(1)  // arraySize
            .U32(0); // miscFlags2
        Bytes.insert(Bytes.end(), Dx10.Bytes().begin(), Dx10.Bytes().end());
    }
    return Bytes;
}

} // namespace swatchbox
