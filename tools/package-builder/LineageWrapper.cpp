#include "tools/package-builder/LineageWrapper.h"

namespace swatchbox::testing {

TBytes WrapLineage(const TBytes& Bytes, const char* Version, uint8_t Key) {
    TBytes Wrapped;
    for (const char* Char = "Lineage2Ver"; *Char; ++Char)
        Wrapped.insert(Wrapped.end(), {static_cast<uint8_t>(*Char), 0});
    for (int Digit = 0; Digit < 3; ++Digit)
        Wrapped.insert(Wrapped.end(), {static_cast<uint8_t>(Version[Digit]), 0});
    for (const uint8_t Byte : Bytes)
        Wrapped.push_back(Byte ^ Key);
    return Wrapped;
}

} // namespace swatchbox::testing
