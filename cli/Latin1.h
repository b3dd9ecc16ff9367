#pragma once

#include <string>

namespace swatchbox::cli {

// Package strings are 8-bit Latin-1: each byte is the Unicode code point of
// the same value, written here as UTF-8.
inline void AppendLatin1AsUtf8(std::string& Out, unsigned char Byte) {
    if (Byte < 0x80) {
        Out.push_back(static_cast<char>(Byte));
        return;
    }
    Out.push_back(static_cast<char>(0xC0 | (Byte >> 6)));
    Out.push_back(static_cast<char>(0x80 | (Byte & 0x3F)));
}

} // namespace swatchbox::cli
