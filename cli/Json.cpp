#include "cli/Json.h"

#include "cli/Latin1.h"

namespace swatchbox::cli {

namespace {

const char HexDigits[] = "0123456789abcdef";

void AppendEscaped(std::string& Result, unsigned char Byte) {
    switch (Byte) {
    case '"':
        Result += "\\\"";
        break;
    case '\\':
        Result += "\\\\";
        break;
    case '\n':
        Result += "\\n";
        break;
    case '\r':
        Result += "\\r";
        break;
    case '\t':
        Result += "\\t";
        break;
    default:
        Result += "\\u00";
        Result.push_back(HexDigits[Byte >> 4]);
        Result.push_back(HexDigits[Byte & 0xF]);
    }
}

bool NeedsEscape(unsigned char Byte) {
    return Byte < 0x20 || Byte == 0x7F || Byte == '"' || Byte == '\\';
}

// Length of the well-formed UTF-8 sequence at the start of Text, or 0.
std::size_t Utf8SequenceLength(std::string_view Text) {
    const auto Lead = static_cast<unsigned char>(Text[0]);
    std::size_t Length = 0;
    uint32_t Code = 0;
    if (Lead >= 0xC2 && Lead <= 0xDF) {
        Length = 2;
        Code = Lead & 0x1F;
    } else if (Lead >= 0xE0 && Lead <= 0xEF) {
        Length = 3;
        Code = Lead & 0x0F;
    } else if (Lead >= 0xF0 && Lead <= 0xF4) {
        Length = 4;
        Code = Lead & 0x07;
    } else {
        return 0;
    }
    if (Text.size() < Length)
        return 0;
    for (std::size_t I = 1; I < Length; ++I) {
        const auto Byte = static_cast<unsigned char>(Text[I]);
        if ((Byte & 0xC0) != 0x80)
            return 0;
        Code = Code << 6 | (Byte & 0x3F);
    }
    // Overlong forms, UTF-16 surrogates and values past U+10FFFF.
    static constexpr uint32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (Code < Smallest[Length] || (Code >= 0xD800 && Code <= 0xDFFF) || Code > 0x10FFFF)
        return 0;
    return Length;
}

bool IsUtf8(std::string_view Text) {
    while (!Text.empty()) {
        if (static_cast<unsigned char>(Text[0]) < 0x80) {
            Text.remove_prefix(1);
            continue;
        }
        const std::size_t Length = Utf8SequenceLength(Text);
        if (Length == 0)
            return false;
        Text.remove_prefix(Length);
    }
    return true;
}

} // namespace

std::string JsonString(std::string_view Latin1) {
    std::string Result;
    Result.reserve(Latin1.size() + 2);
    Result.push_back('"');
    for (char C : Latin1) {
        const auto Byte = static_cast<unsigned char>(C);
        if (NeedsEscape(Byte)) {
            AppendEscaped(Result, Byte);
        } else {
            AppendLatin1AsUtf8(Result, Byte);
        }
    }
    Result.push_back('"');
    return Result;
}

std::string JsonSystemString(std::string_view Text) {
    if (!IsUtf8(Text))
        return JsonString(Text);
    std::string Result;
    Result.reserve(Text.size() + 2);
    Result.push_back('"');
    for (char C : Text) {
        if (NeedsEscape(static_cast<unsigned char>(C)))
            AppendEscaped(Result, static_cast<unsigned char>(C));
        else
            Result.push_back(C);
    }
    Result.push_back('"');
    return Result;
}

TJsonObjectWriter::TJsonObjectWriter(std::ostream& Out) : Out(Out) {
    Out << '{';
}

std::ostream& TJsonObjectWriter::Key(std::string_view Name) {
    if (!First)
        Out << ", ";
    First = false;
    Out << '"' << Name << "\": ";
    return Out;
}

TJsonObjectWriter& TJsonObjectWriter::String(std::string_view Name, std::string_view Latin1) {
    Key(Name) << JsonString(Latin1);
    return *this;
}

TJsonObjectWriter& TJsonObjectWriter::Literal(std::string_view Name, std::string_view Json) {
    Key(Name) << Json;
    return *this;
}

TJsonObjectWriter& TJsonObjectWriter::Number(std::string_view Name, int64_t Value) {
    Key(Name) << Value;
    return *this;
}

TJsonObjectWriter& TJsonObjectWriter::Bool(std::string_view Name, bool Value) {
    Key(Name) << (Value ? "true" : "false");
    return *this;
}

void TJsonObjectWriter::Close() {
    Out << '}';
}

} // namespace swatchbox::cli
