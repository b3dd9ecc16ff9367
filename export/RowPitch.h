#pragma once

#include <cstdint>

namespace swatchbox {

// Bytes in one stored bitmap row: Width pixels, padded with zeros to the next
// multiple of 4.
constexpr int64_t PaddedRowLength(int64_t Width, int BytesPerPixel) {
    return (Width * BytesPerPixel + 3) / 4 * 4;
}

} // namespace swatchbox
