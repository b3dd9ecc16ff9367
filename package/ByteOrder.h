#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace swatchbox {

// Loads and stores of 16- and 32-bit integers in a given byte order, for every
// reader and writer of file layouts. Callers check the span's length; these
// only assemble or split the bytes, whatever the machine's own order.

inline uint16_t LoadLE16(std::span<const uint8_t, 2> Bytes) {
    return static_cast<uint16_t>(Bytes[0] | Bytes[1] << 8);
}

inline uint32_t LoadLE32(std::span<const uint8_t, 4> Bytes) {
    return uint32_t{Bytes[0]} | uint32_t{Bytes[1]} << 8 | uint32_t{Bytes[2]} << 16 |
           uint32_t{Bytes[3]} << 24;
}

inline uint32_t LoadBE32(std::span<const uint8_t, 4> Bytes) {
    return uint32_t{Bytes[3]} | uint32_t{Bytes[2]} << 8 | uint32_t{Bytes[1]} << 16 |
           uint32_t{Bytes[0]} << 24;
}

inline void StoreLE16(std::span<uint8_t, 2> Bytes, uint16_t Value) {
    Bytes[0] = static_cast<uint8_t>(Value);
    Bytes[1] = static_cast<uint8_t>(Value >> 8);
}

inline void StoreLE32(std::span<uint8_t, 4> Bytes, uint32_t Value) {
    for (std::size_t I = 0; I < 4; ++I)
        Bytes[I] = static_cast<uint8_t>(Value >> (8 * I));
}

inline void StoreBE16(std::span<uint8_t, 2> Bytes, uint16_t Value) {
    Bytes[0] = static_cast<uint8_t>(Value >> 8);
    Bytes[1] = static_cast<uint8_t>(Value);
}

inline void StoreBE32(std::span<uint8_t, 4> Bytes, uint32_t Value) {
    for (std::size_t I = 0; I < 4; ++I)
        Bytes[3 - I] = static_cast<uint8_t>(Value >> (8 * I));
}

// The same at an offset into a larger buffer.
inline uint16_t LoadLE16(std::span<const uint8_t> Bytes, std::size_t At) {
    return LoadLE16(Bytes.subspan(At).first<2>());
}
inline uint32_t LoadLE32(std::span<const uint8_t> Bytes, std::size_t At) {
    return LoadLE32(Bytes.subspan(At).first<4>());
}
inline void StoreLE16(std::span<uint8_t> Bytes, std::size_t At, uint16_t Value) {
    StoreLE16(Bytes.subspan(At).first<2>(), Value);
}
inline void StoreLE32(std::span<uint8_t> Bytes, std::size_t At, uint32_t Value) {
    StoreLE32(Bytes.subspan(At).first<4>(), Value);
}
inline void StoreBE32(std::span<uint8_t> Bytes, std::size_t At, uint32_t Value) {
    StoreBE32(Bytes.subspan(At).first<4>(), Value);
}

} // namespace swatchbox
