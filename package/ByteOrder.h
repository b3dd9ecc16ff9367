#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace swatchbox {

// Loads and stores of 16- and 32-bit integers in a given byte order, for every
// reader and writer of file layouts. Callers check the span's length; these
// only assemble or split the bytes, whatever the machine's own order.

constexpr uint16_t LoadLE16(std::span<const uint8_t, 2> Bytes) {
    return static_cast<uint16_t>(Bytes[0] | Bytes[1] << 8);
}

constexpr uint32_t LoadLE32(std::span<const uint8_t, 4> Bytes) {
    return uint32_t{Bytes[0]} | uint32_t{Bytes[1]} << 8 | uint32_t{Bytes[2]} << 16 |
           uint32_t{Bytes[3]} << 24;
}

constexpr uint32_t LoadBE32(std::span<const uint8_t, 4> Bytes) {
    return uint32_t{Bytes[3]} | uint32_t{Bytes[2]} << 8 | uint32_t{Bytes[1]} << 16 |
           uint32_t{Bytes[0]} << 24;
}

constexpr void StoreLE16(std::span<uint8_t, 2> Bytes, uint16_t Value) {
    Bytes[0] = static_cast<uint8_t>(Value);
    Bytes[1] = static_cast<uint8_t>(Value >> 8);
}

constexpr void StoreLE32(std::span<uint8_t, 4> Bytes, uint32_t Value) {
    for (std::size_t I = 0; I < 4; ++I)
        Bytes[I] = static_cast<uint8_t>(Value >> (8 * I));
}

constexpr void StoreBE16(std::span<uint8_t, 2> Bytes, uint16_t Value) {
    Bytes[0] = static_cast<uint8_t>(Value >> 8);
    Bytes[1] = static_cast<uint8_t>(Value);
}

constexpr void StoreBE32(std::span<uint8_t, 4> Bytes, uint32_t Value) {
    for (std::size_t I = 0; I < 4; ++I)
        Bytes[3 - I] = static_cast<uint8_t>(Value >> (8 * I));
}

// A little-endian integer of Count bytes (at most 8) from At on, as the bit
// fields of compressed blocks are read.
constexpr uint64_t LoadLE(std::span<const uint8_t> Bytes, std::size_t At, std::size_t Count) {
    uint64_t Value = 0;
    for (std::size_t Byte = Count; Byte-- > 0;)
        Value = Value << 8 | Bytes[At + Byte];
    return Value;
}

// The same at an offset into a larger buffer.
constexpr uint16_t LoadLE16(std::span<const uint8_t> Bytes, std::size_t At) {
    return LoadLE16(Bytes.subspan(At).first<2>());
}
constexpr uint32_t LoadLE32(std::span<const uint8_t> Bytes, std::size_t At) {
    return LoadLE32(Bytes.subspan(At).first<4>());
}
constexpr void StoreLE16(std::span<uint8_t> Bytes, std::size_t At, uint16_t Value) {
    StoreLE16(Bytes.subspan(At).first<2>(), Value);
}
constexpr void StoreLE32(std::span<uint8_t> Bytes, std::size_t At, uint32_t Value) {
    StoreLE32(Bytes.subspan(At).first<4>(), Value);
}
constexpr void StoreBE32(std::span<uint8_t> Bytes, std::size_t At, uint32_t Value) {
    StoreBE32(Bytes.subspan(At).first<4>(), Value);
}

} // namespace swatchbox
