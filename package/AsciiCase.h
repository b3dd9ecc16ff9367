#pragma once

#include <string>
#include <string_view>

namespace swatchbox {

// Upper-cases ASCII a-z only; other bytes of 8-bit names stay as they are.
inline std::string AsciiUpper(std::string_view Text) {
    std::string Result(Text);
    for (char& C : Result)
        if (C >= 'a' && C <= 'z')
            C = static_cast<char>(C - 'a' + 'A');
    return Result;
}

inline bool EqualsIgnoringAsciiCase(std::string_view A, std::string_view B) {
    return A.size() == B.size() && AsciiUpper(A) == AsciiUpper(B);
}

} // namespace swatchbox
