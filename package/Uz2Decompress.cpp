#include "package/Uz2Decompress.h"

#include "package/ByteOrder.h"
#include "package/Errors.h"

#include <array>
#include <string>

#include <zlib.h>

namespace swatchbox {

namespace {

struct TChunkHeader {
    uint32_t Compressed = 0;
    uint32_t Uncompressed = 0;
};

TChunkHeader ReadChunkHeader(TFileStream& File) {
    std::array<uint8_t, 8> Bytes{};
    File.Read(Bytes.data(), Bytes.size());
    return {LoadLE32(std::span<const uint8_t, 4>(Bytes.data(), 4)),
            LoadLE32(std::span<const uint8_t, 4>(Bytes.data() + 4, 4))};
}

bool IsZlibHeader(uint8_t Cmf, uint8_t Flg) {
    return (Cmf & 0x0F) == 8 && (Cmf >> 4) <= 7 && (Cmf * 256 + Flg) % 31 == 0;
}

[[noreturn]] void ThrowChunk(const TFileStream& File, int64_t Offset, const std::string& What) {
    throw EPackageDamaged("Damaged compressed package \"" + File.FileName() +
                          "\": the chunk at offset " + std::to_string(Offset) + " " + What + ".");
}

// Checks one chunk header at the current position and leaves the stream on its data.
TChunkHeader CheckedChunkHeader(TFileStream& File) {
    const int64_t Offset = File.Position();
    if (File.Remaining() < 8)
        ThrowChunk(File, Offset, "is cut off in its header");
    const TChunkHeader Header = ReadChunkHeader(File);
    if (Header.Compressed < 2 || Header.Compressed > Uz2MaxCompressedChunk)
        ThrowChunk(File, Offset,
                   "states " + std::to_string(Header.Compressed) + " compressed bytes");
    if (Header.Uncompressed == 0 || Header.Uncompressed > Uz2MaxChunk)
        ThrowChunk(File, Offset,
                   "states " + std::to_string(Header.Uncompressed) + " uncompressed bytes");
    if (Header.Compressed > File.Remaining())
        ThrowChunk(File, Offset,
                   "runs past the end of the file (" + std::to_string(File.Size()) + " bytes)");
    return Header;
}

// One zlib stream for every chunk of a file: resetting it between chunks
// keeps its state and window instead of allocating them again for each one.
class TInflater {
public:
    explicit TInflater(const TFileStream& File) : File(File) {
        if (inflateInit(&Stream) != Z_OK)
            throw EPackageDamaged("Cannot decompress \"" + File.FileName() +
                                  "\": zlib failed to start.");
    }
    ~TInflater() { inflateEnd(&Stream); }
    TInflater(const TInflater&) = delete;
    TInflater& operator=(const TInflater&) = delete;

    // Inflates the chunk at Offset, which must fill Out exactly.
    void Chunk(int64_t Offset, const std::vector<uint8_t>& In, uint8_t* Out, uint32_t OutSize) {
        inflateReset(&Stream);
        Stream.next_in = const_cast<Bytef*>(In.data());
        Stream.avail_in = static_cast<uInt>(In.size());
        Stream.next_out = Out;
        Stream.avail_out = OutSize;
        const int Result = inflate(&Stream, Z_FINISH);
        if (Result == Z_STREAM_END && Stream.avail_out == 0 && Stream.avail_in == 0)
            return;
        const bool Overflow = Result == Z_BUF_ERROR && Stream.avail_out == 0;
        ThrowChunk(File, Offset,
                   Result == Z_STREAM_END || Overflow ? "holds a different size than it states"
                                                      : "holds no valid zlib data");
    }

private:
    const TFileStream& File;
    z_stream Stream{};
};

} // namespace

bool LooksLikeUz2(TFileStream& File) {
    if (File.Size() < 10)
        return false;
    File.Seek(0);
    const TChunkHeader Header = ReadChunkHeader(File);
    if (Header.Compressed < 2 || Header.Compressed > Uz2MaxCompressedChunk ||
        Header.Uncompressed == 0 || Header.Uncompressed > Uz2MaxChunk ||
        Header.Compressed > File.Remaining())
        return false;
    const uint8_t Cmf = File.ReadByte();
    return IsZlibHeader(Cmf, File.ReadByte());
}

std::vector<uint8_t> DecompressUz2(TFileStream& File) {
    // First the headers alone, so that the total is known and checked before
    // the image is allocated.
    int64_t Total = 0;
    File.Seek(0);
    while (File.Remaining() > 0) {
        const TChunkHeader Header = CheckedChunkHeader(File);
        Total += Header.Uncompressed;
        if (Total > MaxDecompressedBytes || Total > MaxExpansion * File.Size())
            throw EPackageDamaged("Damaged compressed package \"" + File.FileName() +
                                  "\": its chunks state more than " +
                                  (Total > MaxDecompressedBytes
                                       ? std::string("1 GiB")
                                       : std::to_string(MaxExpansion) + " times its size") +
                                  " of package.");
        File.Skip(Header.Compressed);
    }
    std::vector<uint8_t> Image(static_cast<std::size_t>(Total));
    std::vector<uint8_t> In;
    TInflater Inflater(File);
    std::size_t Done = 0;
    File.Seek(0);
    while (File.Remaining() > 0) {
        const int64_t Offset = File.Position();
        const TChunkHeader Header = CheckedChunkHeader(File);
        if (Header.Uncompressed > Image.size() - Done)
            ThrowChunk(File, Offset, "changed while it was read");
        In.resize(Header.Compressed);
        File.Read(In.data(), In.size());
        Inflater.Chunk(Offset, In, Image.data() + Done, Header.Uncompressed);
        Done += Header.Uncompressed;
    }
    if (Done != Image.size())
        throw EPackageDamaged("Damaged compressed package \"" + File.FileName() +
                              "\": it changed while it was read.");
    return Image;
}

} // namespace swatchbox
