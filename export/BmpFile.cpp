#include "export/BmpFile.h"

#include "export/ExportErrors.h"
#include "export/HeaderFields.h"
#include "export/RowPitch.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <vector>

namespace swatchbox {

namespace {

// Rows are moved in chunks of about this many bytes.
constexpr std::size_t RowChunkBytes = 64 * 1024;

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_BITFIELDS = 3;

} // namespace

std::vector<uint8_t> MakeBmpHeaders(const TBmpLayout& Layout) {
    const int64_t ImageSize =
        PaddedRowLength(Layout.Width, Layout.BitsPerPixel / 8) * Layout.Height;
    // Red, green and blue masks of 5-6-5 pixels follow the info header.
    const std::array<uint32_t, 3> Masks{0xF800, 0x07E0, 0x001F};
    const int64_t MaskBytes = Layout.Rgb565 ? int64_t{sizeof(Masks)} : 0;
    const int64_t PixelOffset = BmpHeaderSize + MaskBytes + int64_t{Layout.PaletteEntries} * 4;
    THeaderFields<BmpHeaderSize> Header;
    // BITMAPFILEHEADER
    Header.U8('B')
        .U8('M')
        .U32(static_cast<uint32_t>(PixelOffset + ImageSize))
        .Zeros(2 * 2) // reserved
        .U32(static_cast<uint32_t>(PixelOffset))
        // BITMAPINFOHEADER
        .U32(40) // biSize
        .U32(static_cast<uint32_t>(Layout.Width))
        .U32(static_cast<uint32_t>(Layout.Height))
        .U16(1) // biPlanes
        .U16(static_cast<uint16_t>(Layout.BitsPerPixel))
        .U32(Layout.Rgb565 ? BI_BITFIELDS : BI_RGB)
        .U32(static_cast<uint32_t>(ImageSize))
        .U32(static_cast<uint32_t>(Layout.PixelsPerMetre))
        .U32(static_cast<uint32_t>(Layout.PixelsPerMetre))
        .U32(Layout.PaletteEntries) // biClrUsed
        .U32(0);                    // biClrImportant
    std::vector<uint8_t> Bytes(Header.Bytes().begin(), Header.Bytes().end());
    if (Layout.Rgb565)
        for (const uint32_t Mask : Masks) {
            Bytes.resize(Bytes.size() + 4);
            StoreLE32(Bytes, Bytes.size() - 4, Mask);
        }
    return Bytes;
}

void WriteBottomUpRows(int32_t Width, int32_t Height, int BytesPerPixel, const TReadRows& ReadRows,
                       const TWriteBytes& Write, std::span<const uint8_t> Prefix) {
    if (Width < 0 || Height < 0)
        throw std::invalid_argument("negative bitmap size");
    const std::size_t RowBytes = static_cast<std::size_t>(Width) * BytesPerPixel;
    const std::size_t Pitch = static_cast<std::size_t>(PaddedRowLength(Width, BytesPerPixel));
    const int64_t ChunkRows =
        Pitch == 0 ? Height : std::max<int64_t>(1, static_cast<int64_t>(RowChunkBytes / Pitch));
    const int64_t FirstChunk = std::min<int64_t>(ChunkRows, Height);
    std::vector<uint8_t> Source(static_cast<std::size_t>(FirstChunk) * RowBytes);
    // The prefix rides along with the first chunk, saving a write. Padding
    // bytes are never written over, so they stay zero.
    std::vector<uint8_t> Buffer(Prefix.size() + static_cast<std::size_t>(FirstChunk) * Pitch, 0);
    std::copy(Prefix.begin(), Prefix.end(), Buffer.begin());
    std::size_t Start = Prefix.size();
    int64_t Done = 0;
    do {
        const int64_t Count = std::min<int64_t>(ChunkRows, Height - Done);
        ReadRows(Height - Done - Count, Count, Source.data());
        for (int64_t Row = 0; Row < Count; ++Row)
            std::copy_n(Source.begin() + static_cast<std::ptrdiff_t>((Count - 1 - Row) * RowBytes),
                        RowBytes,
                        Buffer.begin() + static_cast<std::ptrdiff_t>(Start + Row * Pitch));
        Write(Buffer.data(), Start + static_cast<std::size_t>(Count) * Pitch);
        // Later chunks begin at the buffer's start; their padding is still zero
        // because rows keep the same pitch.
        if (Start != 0) {
            Buffer.erase(Buffer.begin(), Buffer.begin() + static_cast<std::ptrdiff_t>(Start));
            Start = 0;
        }
        Done += Count;
    } while (Done < Height);
}

void CopyBgrRows(const TRgbaImage& Image, int64_t FirstRow, int64_t Count, int BytesPerPixel,
                 uint8_t* Into) {
    const auto PixelCount = static_cast<std::size_t>(Count) * static_cast<std::size_t>(Image.Width);
    const uint8_t* From = Image.Row(static_cast<int32_t>(FirstRow));
    if (BytesPerPixel == 3) {
        for (std::size_t Pixel = 0; Pixel < PixelCount; ++Pixel, From += 4, Into += 3) {
            Into[0] = From[2];
            Into[1] = From[1];
            Into[2] = From[0];
        }
        return;
    }
    // Red and blue change places: whole pixels at a time, which compilers
    // turn into vector code.
    for (std::size_t Pixel = 0; Pixel < PixelCount; ++Pixel) {
        uint32_t Value;
        std::memcpy(&Value, From + Pixel * 4, 4);
        if constexpr (std::endian::native == std::endian::little)
            Value = (Value & 0xFF00FF00u) | (Value >> 16 & 0xFFu) | (Value & 0xFFu) << 16;
        else
            Value = (Value & 0x00FF00FFu) | (Value >> 16 & 0xFF00u) | (Value & 0xFF00u) << 16;
        std::memcpy(Into + Pixel * 4, &Value, 4);
    }
}

void WriteBmp(const TRgbaImage& Image, int BitsPerPixel, const TWriteBytes& Write) {
    const int BytesPerPixel = BitsPerPixel / 8;
    if (PaddedRowLength(Image.Width, BytesPerPixel) * Image.Height >
        std::numeric_limits<uint32_t>::max() - BmpHeaderSize)
        throw EExportError("The texture is too large for a bitmap file.");
    WriteBottomUpRows(
        Image.Width, Image.Height, BytesPerPixel,
        [&](int64_t FirstRow, int64_t Count, uint8_t* Into) {
            CopyBgrRows(Image, FirstRow, Count, BytesPerPixel, Into);
        },
        Write, MakeBmpHeaders({Image.Width, Image.Height, BitsPerPixel, 0, 0}));
}

} // namespace swatchbox
