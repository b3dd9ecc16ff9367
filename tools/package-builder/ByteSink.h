#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace swatchbox::testing {

using TBytes = std::vector<uint8_t>;

// Little-endian appends, the byte order of every integer in a package.
inline void PutU8(TBytes& Out, uint8_t Value) {
    Out.push_back(Value);
}

inline void PutU16(TBytes& Out, uint16_t Value) {
    Out.push_back(static_cast<uint8_t>(Value));
    Out.push_back(static_cast<uint8_t>(Value >> 8));
}

inline void PutU32(TBytes& Out, uint32_t Value) {
    for (int Shift = 0; Shift < 32; Shift += 8)
        Out.push_back(static_cast<uint8_t>(Value >> Shift));
}

inline void PutI32(TBytes& Out, int32_t Value) {
    PutU32(Out, static_cast<uint32_t>(Value));
}

inline void PutBytes(TBytes& Out, std::span<const uint8_t> Bytes) {
    Out.insert(Out.end(), Bytes.begin(), Bytes.end());
}

// Overwrites 4 bytes at Offset, which must lie inside Out.
inline void SetU32(TBytes& Out, std::size_t Offset, uint32_t Value) {
    for (int Index = 0; Index < 4; ++Index)
        Out.at(Offset + Index) = static_cast<uint8_t>(Value >> (8 * Index));
}

} // namespace swatchbox::testing
