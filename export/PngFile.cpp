// PNG files: the rows go into one buffer, are deflated into a zlib stream in
// one call and framed by hand as the chunks a PNG needs, IHDR, IDAT and IEND,
// with a tRNS chunk before the data when a colour stands for the clear
// pixels. Each thread keeps its compressor and buffers from file to file, so
// exporting many textures allocates almost nothing.
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
// Signature, then the IHDR chunk (length, type, 13 bytes, CRC). The tRNS
// chunk, when there is one, and the IDAT chunk's length and type follow; the
// image data comes after them.
constexpr std::size_t IhdrAt = 8;
constexpr std::size_t AfterIhdr = IhdrAt + 4 + 4 + 13 + 4;
// Length, type and CRC of a chunk.
constexpr std::size_t ChunkFrame = 12;
// The IDAT chunk's CRC and the empty IEND chunk.
constexpr std::size_t TailSize = 4 + ChunkFrame;

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
// RowsHeld of them. Clear, when not empty, is the tRNS chunk's data.
template <class TPack>
void WriteImage(int32_t Width, int32_t Height, uint8_t BitDepth, uint8_t ColourType,
                std::size_t Step, std::size_t RowsHeld, std::span<const uint8_t> Clear,
                const TPack& Pack, const TWriteBytes& Write) {
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

    const std::size_t IdatAt = AfterIhdr + (Clear.empty() ? 0 : ChunkFrame + Clear.size());
    const std::size_t HeadSize = IdatAt + 8;
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
    if (!Clear.empty()) {
        StoreBE32(File, AfterIhdr, static_cast<uint32_t>(Clear.size()));
        std::copy(Clear.begin(), Clear.end(), File.begin() + AfterIhdr + 8);
        PutChunk(File, AfterIhdr + 4, "tRNS", Clear.size());
    }
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

// A pixel as one word, red in the low byte and alpha in the high one.
uint32_t PixelWord(std::span<const uint8_t> Pixels, std::size_t Index) {
    return LoadLE32(Pixels.subspan(Index * 4).first<4>());
}

constexpr uint32_t OpaqueAlpha = 0xFF000000u;

// How a picture's alpha is stored: not at all when every pixel is opaque; as
// one colour that stands for the clear pixels (PNG's tRNS chunk for RGB)
// when every pixel is either that colour, clear, or opaque in another colour,
// as DXT1's transparent black and masked textures' colour 0 are; else as an
// alpha channel.
struct TAlphaLayout {
    enum { None, ClearColour, Channel } Kind = None;
    uint32_t Clear = 0;
};

TAlphaLayout AlphaLayoutOf(std::span<const uint8_t> Pixels) {
    const std::size_t Count = Pixels.size() / 4;
    std::size_t First = 0;
    while (First < Count && PixelWord(Pixels, First) >= OpaqueAlpha)
        ++First;
    if (First == Count)
        return {};
    const uint32_t Clear = PixelWord(Pixels, First);
    if (Clear >= 1u << 24)
        return {TAlphaLayout::Channel};
    // Without branches within a block, so the compiler checks several pixels
    // at once, yet done at the first block that rules the clear colour out.
    const uint32_t OpaqueClear = Clear | OpaqueAlpha;
    constexpr std::size_t Block = 4096;
    for (std::size_t From = 0; From < Count; From += Block) {
        uint32_t Other = 0;
        for (std::size_t Index = From; Index < std::min(Count, From + Block); ++Index) {
            const uint32_t Word = PixelWord(Pixels, Index);
            Other |= uint32_t{Word != Clear} &
                     (uint32_t{Word < OpaqueAlpha} | uint32_t{Word == OpaqueClear});
        }
        if (Other)
            return {TAlphaLayout::Channel};
    }
    return {TAlphaLayout::ClearColour, Clear};
}

} // namespace

void WritePng(const TRgbaImage& Image, const TWriteBytes& Write) {
    const std::span<const uint8_t> Pixels(Image.Pixels);
    const std::size_t RowPixels = std::size_t(std::max(Image.Width, 0));
    const std::size_t Rows = RowsIn(Pixels.size(), RowPixels * 4);
    const auto Source = [&](int32_t Y) { return Pixels.subspan(std::size_t(Y) * RowPixels * 4); };
    const std::size_t Shown = std::min(Rows, std::size_t(std::max(Image.Height, 0)));
    const TAlphaLayout Alpha = AlphaLayoutOf(Pixels.first(Shown * RowPixels * 4));
    if (Alpha.Kind == TAlphaLayout::Channel) {
        WriteImage(
            Image.Width, Image.Height, 8, Rgba, 4, Rows, {},
            [&](int32_t Y, std::span<uint8_t> Into) {
                const auto From = Source(Y).first(Into.size());
                std::copy(From.begin(), From.end(), Into.begin());
            },
            Write);
        return;
    }
    // tRNS gives the clear colour as three 16-bit samples.
    std::array<uint8_t, 6> Clear{};
    for (std::size_t Channel = 0; Channel < 3; ++Channel)
        Clear[Channel * 2 + 1] = static_cast<uint8_t>(Alpha.Clear >> (8 * Channel));
    WriteImage(
        Image.Width, Image.Height, 8, Rgb, 3, Rows,
        Alpha.Kind == TAlphaLayout::ClearColour ? std::span<const uint8_t>(Clear)
                                                : std::span<const uint8_t>(),
        [&](int32_t Y, std::span<uint8_t> Into) {
            const auto From = Source(Y);
            // Four bytes a pixel, the fourth overwritten by the next pixel;
            // one word moves faster than three bytes.
            for (std::size_t X = 0; X + 1 < RowPixels; ++X)
                std::copy_n(From.begin() + static_cast<std::ptrdiff_t>(X * 4), 4,
                            Into.begin() + static_cast<std::ptrdiff_t>(X * 3));
            std::copy_n(From.begin() + static_cast<std::ptrdiff_t>((RowPixels - 1) * 4), 3,
                        Into.begin() + static_cast<std::ptrdiff_t>((RowPixels - 1) * 3));
        },
        Write);
}

// All 16 bits of each value, high byte first as PNG stores samples.
void WritePng(const TGrey16Image& Image, const TWriteBytes& Write) {
    const std::span<const uint16_t> Values(Image.Values);
    const std::size_t RowValues = std::size_t(std::max(Image.Width, 0));
    const std::size_t Rows = RowsIn(Values.size(), RowValues);
    WriteImage(
        Image.Width, Image.Height, 16, Grey, 2, Rows, {},
        [&](int32_t Y, std::span<uint8_t> Into) {
            const auto From = Values.subspan(std::size_t(Y) * RowValues, RowValues);
            for (std::size_t X = 0; X < RowValues; ++X)
                StoreBE16(Into.subspan(X * 2).first<2>(), From[X]);
        },
        Write);
}

} // namespace swatchbox
