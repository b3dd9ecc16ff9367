#pragma once

#include <cstdint>

namespace swatchbox {

// Decodes the package format's compact index (1 to 5 bytes, sign in bit 7 of
// the first byte) from a byte source, in unsigned 32-bit arithmetic: bits that
// would land above bit 31 are lost, and the fifth byte is taken whole.
template <class TNextByte>
int32_t DecodeCompactIndex(TNextByte&& NextByte) {
    uint8_t Bytes[5] = {static_cast<uint8_t>(NextByte())};
    int Count = 1;
    if (Bytes[0] & 0x40) {
        for (Count = 2; Count <= 5; ++Count) {
            Bytes[Count - 1] = static_cast<uint8_t>(NextByte());
            if (Count == 5 || !(Bytes[Count - 1] & 0x80))
                break;
        }
    }
    uint32_t Value = 0;
    int Last = Count - 1;
    if (Count == 5) {
        Value = Bytes[4];
        Last = 3;
    }
    for (int I = Last; I >= 1; --I)
        Value = (Bytes[I] & 0x7Fu) | (Value << 7);
    Value = (Bytes[0] & 0x3Fu) | (Value << 6);
    if (Bytes[0] & 0x80)
        Value = 0u - Value;
    return static_cast<int32_t>(Value);
}

} // namespace swatchbox
