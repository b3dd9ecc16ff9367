#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace swatchbox {

// Reads bits from a byte span, the lowest bit of each byte first, as BC7
// blocks and the Huffman stage of .uz files store them. Bits past the end of
// the span read as 0, so a reader never leaves its bytes; callers that must
// tell check BitsLeft first.
class TBitReader {
public:
    explicit TBitReader(std::span<const uint8_t> Bytes) : Bytes(Bytes) {}

    uint64_t BitsLeft() const { return Bytes.size() * 8 - Position; }
    bool AtEnd() const { return BitsLeft() == 0; }

    unsigned Bit() {
        if (AtEnd())
            return 0;
        const unsigned Value = Bytes[Position / 8] >> (Position % 8) & 1;
        ++Position;
        return Value;
    }
    // Count bits (at most 32), the first one read lowest.
    uint32_t Read(int Count) {
        uint32_t Value = 0;
        for (int Index = 0; Index < Count; ++Index)
            Value |= uint32_t{Bit()} << Index;
        return Value;
    }

private:
    std::span<const uint8_t> Bytes;
    uint64_t Position = 0;
};

} // namespace swatchbox
