#pragma once

#include "package/ByteOrder.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>

namespace swatchbox {

// Fills a file header field by field in file order, little-endian, so a
// header reads as its declared layout rather than as byte offsets. Bytes()
// refuses a field list that doesn't fill the header exactly.
template <std::size_t Size>
class THeaderFields {
public:
    THeaderFields& U8(uint8_t Value) {
        Room(1)[0] = Value;
        return *this;
    }
    THeaderFields& U16(uint16_t Value) {
        StoreLE16(Room(2), 0, Value);
        return *this;
    }
    THeaderFields& U32(uint32_t Value) {
        StoreLE32(Room(4), 0, Value);
        return *this;
    }
    THeaderFields& Zeros(std::size_t Count) {
        Room(Count);
        return *this;
    }

    const std::array<uint8_t, Size>& Bytes() const {
        if (At != Size)
            throw std::logic_error("header fields don't fill the header");
        return Header;
    }

private:
    std::span<uint8_t> Room(std::size_t Count) {
        if (Count > Size - At)
            throw std::logic_error("header fields overrun the header");
        const auto Field = std::span(Header).subspan(At, Count);
        At += Count;
        return Field;
    }

    std::array<uint8_t, Size> Header{};
    std::size_t At = 0;
};

} // namespace swatchbox
