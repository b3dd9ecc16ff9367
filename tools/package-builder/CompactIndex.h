#pragma once

#include <cstdint>
#include <vector>

namespace swatchbox::testing {

// The package format's compact index in its shortest form: 1 byte for -63..63,
// up to 5 bytes. Zero is written as 00, never as the negative zero 80.
std::vector<uint8_t> EncodeIndex(int32_t Value);

// The same value stretched to exactly Width bytes (1 to 5) by setting
// continuation bits over zero value bits, as a writer that does not trim would.
// Throws std::invalid_argument when the value needs more than Width bytes.
std::vector<uint8_t> EncodeIndex(int32_t Value, int Width);

// Byte count of EncodeIndex(Value).
int IndexWidth(int32_t Value);

} // namespace swatchbox::testing
