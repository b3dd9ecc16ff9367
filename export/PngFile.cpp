// PNG files: the rows go into one buffer, are deflated into a zlib stream in
// one call and framed by hand as the three chunks a PNG needs, IHDR, IDAT
// and IEND. Each thread keeps its compressor and buffers from file to file,
// so exporting many textures allocates almost nothing.
//
// Rows go unfiltered. Decoded DXT blocks and paletted pictures, most of what
// packages hold, are full of exact repeats that deflate finds directly and
// that PNG's row filters break up: on real packages every filter, and the
// usual choice of a filter for each row, made the files larger and slower.
#include "export/PngFile.h"

#include "export/Deflate.h"
#include "export/ExportErrors.h"
#include "package/ByteOrder.h"

#include <algorithm>
#include <array>
#include <new>
#include <span>
#include <string_view>
#include <vector>

namespace swatchbox {

namespace {

constexpr std::array<uint8_t, 8> Signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Signature, the IHDR chunk (length, type, 13 bytes, CRC), then the IDAT
// chunk's length and type; its data follows.
constexpr std::size_t IhdrAt = 8;
constexpr std::size_t IdatAt = IhdrAt + 4 + 4 + 13 + 4;
constexpr std::size_t HeadSize = IdatAt + 8;
// The IDAT chunk's CRC and the empty IEND chunk.
constexpr std::size_t TailSize = 4 + 12;

struct TPngScratch {
    TZlibCompressor Compressor;
    std::vector<uint8_t> Scanlines;
    std::vector<uint8_t> File;
};

TPngScratch& Scratch() {
    thread_local TPngScratch Kept;
    return Kept;
}

// Makes Buffer hold at least Count bytes. It never shrinks, so the next
// file of the same size neither allocates nor clears anything.
std::span<uint8_t> Room(std::vector<uint8_t>& Buffer, std::size_t Count) {
    try {
        if (Buffer.size() < Count)
            Buffer.resize(Count);
    } catch (const std::bad_alloc&) {
        throw EExportError("Not enough memory for the PNG file.");
    }
    return std::span(Buffer).first(Count);
}

// A very large picture's buffers are not kept for the next file.
class TScratchTrim {
public:
    explicit TScratchTrim(TPngScratch& Scratch) : Kept(Scratch) {}
    ~TScratchTrim() {
        constexpr std::size_t Largest = std::size_t{64} << 20;
        for (std::vector<uint8_t>* Buffer : {&Kept.Scanlines, &Kept.File})
            if (Buffer->size() > Largest)
                std::vector<uint8_t>().swap(*Buffer);
    }
    TScratchTrim(const TScratchTrim&) = delete;
    TScratchTrim& operator=(const TScratchTrim&) = delete;

private:
    TPngScratch& Kept;
};

// Writes a chunk's type at At of File and, after its Length bytes of data
// already in place, its CRC; the length field before it is the caller's.
void PutChunk(std::span<uint8_t> File, std::size_t At, std::string_view Type, std::size_t Length) {
    std::copy(Type.begin(), Type.end(), File.begin() + static_cast<std::ptrdiff_t>(At));
    StoreBE32(File, At + 4 + Length, Crc32(File.subspan(At, 4 + Length)));
}

// The image data goes in one chunk of at most 2^31 - 1 bytes, also when it
// doesn't compress; every picture the decoders make fits.
constexpr std::size_t LargestScanlines = std::size_t{3} << 29;
constexpr std::size_t LargestChunk = 0x7FFFFFFF;

// Rows come from Pack(Y, Into), Width * Step bytes each; the image holds
// RowsHeld of them.
template <class TPack>
void WriteImage(int32_t Width, int32_t Height, uint8_t BitDepth, uint8_t ColourType,
                std::size_t Step, std::size_t RowsHeld, const TPack& Pack,
                const TWriteBytes& Write) {
    const std::size_t RowBytes = std::size_t(std::max(Width, 0)) * Step + 1;
    if (Width <= 0 || Height <= 0 || RowBytes > LargestScanlines / std::size_t(Height))
        throw EExportError("The texture is too large for a PNG file.");
    if (RowsHeld < std::size_t(Height))
        throw EExportError("The picture holds fewer pixels than its size.");
    TPngScratch& Kept = Scratch();
    const TScratchTrim Trim(Kept);

    const std::span<uint8_t> Scanlines = Room(Kept.Scanlines, RowBytes * std::size_t(Height));
    for (int32_t Y = 0; Y < Height; ++Y) {
        const auto Row = Scanlines.subspan(std::size_t(Y) * RowBytes, RowBytes);
        Row[0] = 0; // no filter
        Pack(Y, Row.subspan(1));
    }

    const std::size_t Bound = Kept.Compressor.Bound(Scanlines.size());
    std::span<uint8_t> File = Room(Kept.File, HeadSize + Bound + TailSize);
    const std::size_t Packed = Kept.Compressor.Compress(Scanlines, File.subspan(HeadSize, Bound));
    if (Packed > LargestChunk)
        throw EExportError("The texture is too large for a PNG file.");
    File = File.first(HeadSize + Packed + TailSize);

    std::copy(Signature.begin(), Signature.end(), File.begin());
    StoreBE32(File, IhdrAt, 13);
    StoreBE32(File, IhdrAt + 8, static_cast<uint32_t>(Width));
    StoreBE32(File, IhdrAt + 12, static_cast<uint32_t>(Height));
    File[IhdrAt + 16] = BitDepth;
    File[IhdrAt + 17] = ColourType;
    // Deflate, the standard filters, no interlacing.
    File[IhdrAt + 18] = File[IhdrAt + 19] = File[IhdrAt + 20] = 0;
    PutChunk(File, IhdrAt + 4, "IHDR", 13);
    StoreBE32(File, IdatAt, static_cast<uint32_t>(Packed));
    PutChunk(File, IdatAt + 4, "IDAT", Packed);
    const std::size_t IendAt = HeadSize + Packed + 4;
    StoreBE32(File, IendAt, 0);
    PutChunk(File, IendAt + 4, "IEND", 0);
    Write(File.data(), File.size());
}

constexpr uint8_t Grey = 0, Rgb = 2, Rgba = 6;

// Whole rows of RowCount items in Count.
std::size_t RowsIn(std::size_t Count, std::size_t RowCount) {
    return RowCount ? Count / RowCount : 0;
}

} // namespace

void WritePng(const TRgbaImage& Image, const TWriteBytes& Write) {
    const std::span<const uint8_t> Pixels(Image.Pixels);
    const std::size_t RowPixels = std::size_t(std::max(Image.Width, 0));
    const std::size_t Rows = RowsIn(Pixels.size(), RowPixels * 4);
    const auto Source = [&](int32_t Y) { return Pixels.subspan(std::size_t(Y) * RowPixels * 4); };
    if (Image.IsOpaque()) {
        WriteImage(
            Image.Width, Image.Height, 8, Rgb, 3, Rows,
            [&](int32_t Y, std::span<uint8_t> Into) {
                const auto From = Source(Y);
                for (std::size_t X = 0; X < RowPixels; ++X)
                    std::copy_n(From.begin() + static_cast<std::ptrdiff_t>(X * 4), 3,
                                Into.begin() + static_cast<std::ptrdiff_t>(X * 3));
            },
            Write);
    } else {
        WriteImage(
            Image.Width, Image.Height, 8, Rgba, 4, Rows,
            [&](int32_t Y, std::span<uint8_t> Into) {
                const auto From = Source(Y).first(Into.size());
                std::copy(From.begin(), From.end(), Into.begin());
            },
            Write);
    }
}

// All 16 bits of each value, high byte first as PNG stores samples.
void WritePng(const TGrey16Image& Image, const TWriteBytes& Write) {
    const std::span<const uint16_t> Values(Image.Values);
    const std::size_t RowValues = std::size_t(std::max(Image.Width, 0));
    const std::size_t Rows = RowsIn(Values.size(), RowValues);
    WriteImage(
        Image.Width, Image.Height, 16, Grey, 2, Rows,
        [&](int32_t Y, std::span<uint8_t> Into) {
            const auto From = Values.subspan(std::size_t(Y) * RowValues, RowValues);
            for (std::size_t X = 0; X < RowValues; ++X)
                StoreBE16(Into.subspan(X * 2).first<2>(), From[X]);
        },
        Write);
}

} // namespace swatchbox
