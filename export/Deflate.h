#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace swatchbox {

// Compresses whole buffers into zlib streams, as PNG's image data is stored.
// One compressor keeps its work memory from call to call; it serves one
// thread at a time.
class TZlibCompressor {
public:
    // Level 0 takes the library's level for PNG files.
    explicit TZlibCompressor(int Level = 0);
    ~TZlibCompressor();
    TZlibCompressor(const TZlibCompressor&) = delete;
    TZlibCompressor& operator=(const TZlibCompressor&) = delete;

    // The most bytes that Count bytes compress to.
    std::size_t Bound(std::size_t Count) const;
    // Compresses In into Out, which holds at least Bound(In.size()) bytes,
    // and returns the bytes written. Throws EExportError when memory runs out.
    std::size_t Compress(std::span<const uint8_t> In, std::span<uint8_t> Out);

private:
    struct TState;
    std::unique_ptr<TState> State;
};

// The CRC-32 of PNG chunks and zip files, continued from Crc.
uint32_t Crc32(std::span<const uint8_t> Bytes, uint32_t Crc = 0);

} // namespace swatchbox
