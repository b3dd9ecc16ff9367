#include "tools/package-builder/Uz2Writer.h"

#include "package/ByteOrder.h"

#include <algorithm>
#include <stdexcept>

#include <zlib.h>

namespace swatchbox::testing {

TBytes CompressUz2(const TBytes& Bytes) {
    TBytes Out;
    for (std::size_t Start = 0; Start < Bytes.size(); Start += 32768) {
        const uLong Size = static_cast<uLong>(std::min<std::size_t>(32768, Bytes.size() - Start));
        uLongf Packed = compressBound(Size);
        const std::size_t Header = Out.size();
        Out.resize(Header + 8 + Packed);
        if (compress(Out.data() + Header + 8, &Packed, Bytes.data() + Start, Size) != Z_OK)
            throw std::runtime_error("zlib failed to compress a chunk");
        Out.resize(Header + 8 + Packed);
        StoreLE32(std::span<uint8_t, 4>(Out.data() + Header, 4), static_cast<uint32_t>(Packed));
        StoreLE32(std::span<uint8_t, 4>(Out.data() + Header + 4, 4), static_cast<uint32_t>(Size));
    }
    return Out;
}

} // namespace swatchbox::testing
