// Deflating through zlib, for the builds that have no libdeflate. One
// stream is kept and reset for every buffer, so its work memory is
// allocated once.
#include "export/Deflate.h"

#include "export/ExportErrors.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

namespace swatchbox {

namespace {

// zlib's default level: on unfiltered rows clearly smaller than the faster
// levels at little more time.
constexpr int PngLevel = 6;

} // namespace

struct TZlibCompressor::TState {
    explicit TState(int Level) : Started(deflateInit(&Stream, Level) == Z_OK) {}
    ~TState() {
        if (Started)
            deflateEnd(&Stream);
    }
    TState(const TState&) = delete;
    TState& operator=(const TState&) = delete;

    z_stream Stream{};
    bool Started;
};

TZlibCompressor::TZlibCompressor(int Level)
    : State(std::make_unique<TState>(Level ? Level : PngLevel)) {
    if (!State->Started)
        throw EExportError("Not enough memory for the PNG file.");
}

TZlibCompressor::~TZlibCompressor() = default;

std::size_t TZlibCompressor::Bound(std::size_t Count) const {
    return deflateBound(&State->Stream, static_cast<uLong>(Count));
}

std::size_t TZlibCompressor::Compress(std::span<const uint8_t> In, std::span<uint8_t> Out) {
    z_stream& Stream = State->Stream;
    deflateReset(&Stream);
    // zlib counts in unsigned int; larger buffers go in slices.
    constexpr std::size_t Slice = UINT_MAX;
    Stream.next_in = const_cast<Bytef*>(In.data());
    Stream.next_out = Out.data();
    std::size_t InLeft = In.size(), OutLeft = Out.size();
    int Status = Z_OK;
    while (Status == Z_OK) {
        Stream.avail_in = static_cast<uInt>(std::min(InLeft, Slice));
        Stream.avail_out = static_cast<uInt>(std::min(OutLeft, Slice));
        const uInt GivenIn = Stream.avail_in, GivenOut = Stream.avail_out;
        Status = deflate(&Stream, InLeft > GivenIn ? Z_NO_FLUSH : Z_FINISH);
        InLeft -= GivenIn - Stream.avail_in;
        OutLeft -= GivenOut - Stream.avail_out;
    }
    if (Status != Z_STREAM_END)
        throw EExportError("The PNG file's pixels could not be compressed.");
    return Out.size() - OutLeft;
}

uint32_t Crc32(std::span<const uint8_t> Bytes, uint32_t Crc) {
    // crc32 takes unsigned int counts.
    while (!Bytes.empty()) {
        const std::size_t Count = std::min<std::size_t>(Bytes.size(), UINT_MAX);
        Crc = static_cast<uint32_t>(crc32(Crc, Bytes.data(), static_cast<uInt>(Count)));
        Bytes = Bytes.subspan(Count);
    }
    return Crc;
}

} // namespace swatchbox
