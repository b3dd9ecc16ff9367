#include "tools/package-builder/CompactIndex.h"

#include <stdexcept>

namespace swatchbox::testing {

namespace {

// Magnitude in 32 bits; INT32_MIN gives 0x80000000.
uint32_t Magnitude(int32_t Value) {
    return Value < 0 ? 0u - static_cast<uint32_t>(Value) : static_cast<uint32_t>(Value);
}

// Value bits a compact index of Width bytes can carry: 6 in the first byte, 7
// in each of the next three, and the whole fifth byte.
bool Fits(uint32_t Magnitude, int Width) {
    if (Width >= 5)
        return true;
    const int Bits = 6 + 7 * (Width - 1);
    return (Magnitude >> Bits) == 0;
}

} // namespace

int IndexWidth(int32_t Value) {
    const uint32_t Mag = Magnitude(Value);
    int Width = 1;
    while (!Fits(Mag, Width))
        ++Width;
    return Width;
}

std::vector<uint8_t> EncodeIndex(int32_t Value) {
    return EncodeIndex(Value, IndexWidth(Value));
}

std::vector<uint8_t> EncodeIndex(int32_t Value, int Width) {
    if (Width < 1 || Width > 5)
        throw std::invalid_argument("compact index width must be 1 to 5");
    const uint32_t Mag = Magnitude(Value);
    if (!Fits(Mag, Width))
        throw std::invalid_argument("value needs a wider compact index");

    std::vector<uint8_t> Bytes;
    uint8_t First = static_cast<uint8_t>(Mag & 0x3F);
    if (Value < 0)
        First |= 0x80;
    if (Width > 1)
        First |= 0x40;
    Bytes.push_back(First);
    for (int Index = 1; Index < Width; ++Index) {
        if (Index == 4) {
            Bytes.push_back(static_cast<uint8_t>(Mag >> 27));
            break;
        }
        uint8_t Next = static_cast<uint8_t>((Mag >> (6 + 7 * (Index - 1))) & 0x7F);
        if (Index + 1 < Width)
            Next |= 0x80;
        Bytes.push_back(Next);
    }
    return Bytes;
}

} // namespace swatchbox::testing
