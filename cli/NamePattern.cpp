#include "cli/NamePattern.h"

#include <cstdint>
#include <optional>

namespace swatchbox::cli {

namespace {

constexpr int AnyRun = -1;
constexpr int AnyOne = -2;
// A character beyond Latin-1, which no package name holds.
constexpr int Unmatchable = -3;

// Latin-1 letters compare in lower case: A-Z and the accented capitals
// 0xC0-0xDE except the multiplication sign.
int Fold(unsigned char Character) {
    if ((Character >= 'A' && Character <= 'Z') ||
        (Character >= 0xC0 && Character <= 0xDE && Character != 0xD7))
        return Character + 0x20;
    return Character;
}

// The code points of a valid UTF-8 text; nothing when it is not UTF-8.
std::optional<std::vector<uint32_t>> DecodeUtf8(std::string_view Text) {
    std::vector<uint32_t> Points;
    for (std::size_t At = 0; At < Text.size();) {
        const auto Lead = static_cast<unsigned char>(Text[At]);
        const int Length = Lead < 0x80                   ? 1
                           : Lead >= 0xC2 && Lead < 0xE0 ? 2
                           : Lead >= 0xE0 && Lead < 0xF0 ? 3
                           : Lead >= 0xF0 && Lead < 0xF5 ? 4
                                                         : 0;
        if (Length == 0 || At + static_cast<std::size_t>(Length) > Text.size())
            return std::nullopt;
        uint32_t Point = Length == 1 ? Lead : Lead & (0x7F >> Length);
        for (int Next = 1; Next < Length; ++Next) {
            const auto Byte = static_cast<unsigned char>(Text[At + static_cast<std::size_t>(Next)]);
            if ((Byte & 0xC0) != 0x80)
                return std::nullopt;
            Point = Point << 6 | (Byte & 0x3F);
        }
        Points.push_back(Point);
        At += static_cast<std::size_t>(Length);
    }
    return Points;
}

} // namespace

TNamePattern::TNamePattern(std::string_view Pattern) {
    std::vector<uint32_t> Characters;
    if (auto Points = DecodeUtf8(Pattern))
        Characters = std::move(*Points);
    else
        for (const char Byte : Pattern)
            Characters.push_back(static_cast<unsigned char>(Byte));
    for (uint32_t Character : Characters) {
        if (Character == '*') {
            // Runs of stars mean what one star means.
            if (Tokens.empty() || Tokens.back() != AnyRun)
                Tokens.push_back(AnyRun);
        } else if (Character == '?') {
            Tokens.push_back(AnyOne);
        } else {
            Tokens.push_back(Character > 0xFF ? Unmatchable
                                              : Fold(static_cast<unsigned char>(Character)));
        }
    }
}

// Left to right; on a mismatch after a star, the star takes one character
// more. Never more than pattern length times text length steps.
bool TNamePattern::Matches(std::string_view Latin1) const {
    std::size_t Token = 0, At = 0;
    std::optional<std::size_t> StarToken;
    std::size_t StarAt = 0;
    while (At < Latin1.size()) {
        if (Token < Tokens.size() && Tokens[Token] == AnyRun) {
            StarToken = Token++;
            StarAt = At;
        } else if (Token < Tokens.size() &&
                   (Tokens[Token] == AnyOne ||
                    Tokens[Token] == Fold(static_cast<unsigned char>(Latin1[At])))) {
            ++Token;
            ++At;
        } else if (StarToken) {
            Token = *StarToken + 1;
            At = ++StarAt;
        } else {
            return false;
        }
    }
    while (Token < Tokens.size() && Tokens[Token] == AnyRun)
        ++Token;
    return Token == Tokens.size();
}

bool TNamePattern::MatchesTexture(std::string_view Group, std::string_view Name) const {
    return Matches(Name) || Matches(std::string(Group) + "." + std::string(Name));
}

} // namespace swatchbox::cli
