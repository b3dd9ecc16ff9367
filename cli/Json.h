#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace swatchbox::cli {

// A JSON string literal, quotes included, for 8-bit text read from a package:
// each byte is taken as the Latin-1 character of that code (so 0x80-0xFF
// become U+0080-U+00FF, UTF-8 encoded); quote, backslash and control
// characters are escaped.
std::string JsonString(std::string_view Latin1);

// A JSON string literal for text from the command line or the system, such as
// a path: kept as it is when it is valid UTF-8, otherwise read as Latin-1 like
// package text (a Windows path in the ANSI code page).
std::string JsonSystemString(std::string_view Text);

// Writes one flat JSON object, keys in the order they are added:
// {"a": 1, "b": "x"}. Keys are program constants and are written unescaped.
class TJsonObjectWriter {
public:
    explicit TJsonObjectWriter(std::ostream& Out);
    TJsonObjectWriter(const TJsonObjectWriter&) = delete;
    TJsonObjectWriter& operator=(const TJsonObjectWriter&) = delete;

    TJsonObjectWriter& String(std::string_view Key, std::string_view Latin1);
    // A value that is already a JSON literal, such as JsonSystemString's.
    TJsonObjectWriter& Literal(std::string_view Key, std::string_view Json);
    TJsonObjectWriter& Number(std::string_view Key, int64_t Value);
    TJsonObjectWriter& Bool(std::string_view Key, bool Value);
    // Writes the closing brace; the object is unusable afterwards.
    void Close();

private:
    std::ostream& Key(std::string_view Name);

    std::ostream& Out;
    bool First = true;
};

} // namespace swatchbox::cli
