#include "cli/DisplayText.h"

#include "cli/Latin1.h"

namespace swatchbox::cli {

namespace {

void AppendHexEscape(std::string& Out, unsigned char Byte) {
    static const char Digits[] = "0123456789abcdef";
    Out += "\\x";
    Out.push_back(Digits[Byte >> 4]);
    Out.push_back(Digits[Byte & 0xF]);
}

bool IsC0OrDelete(unsigned char Byte) {
    return Byte < 0x20 || Byte == 0x7F;
}

} // namespace

std::string DisplayText(std::string_view Latin1) {
    std::string Result;
    Result.reserve(Latin1.size());
    for (char C : Latin1) {
        const auto Byte = static_cast<unsigned char>(C);
        if (IsC0OrDelete(Byte) || (Byte >= 0x80 && Byte < 0xA0)) {
            AppendHexEscape(Result, Byte);
        } else {
            AppendLatin1AsUtf8(Result, Byte);
        }
    }
    return Result;
}

std::string EscapeControls(std::string_view Text) {
    std::string Result;
    Result.reserve(Text.size());
    for (char C : Text) {
        const auto Byte = static_cast<unsigned char>(C);
        if (IsC0OrDelete(Byte))
            AppendHexEscape(Result, Byte);
        else
            Result.push_back(C);
    }
    return Result;
}

std::size_t DisplayWidth(std::string_view Utf8) {
    std::size_t Width = 0;
    for (char C : Utf8)
        if ((static_cast<unsigned char>(C) & 0xC0) != 0x80)
            ++Width;
    return Width;
}

} // namespace swatchbox::cli
