#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace swatchbox::cli {

// A --name pattern: '*' matches any run of characters, '?' one character,
// everything else itself without regard to case. Package names are 8-bit
// Latin-1, so a pattern typed as UTF-8 is taken as the Latin-1 text it
// spells; other text is taken byte for byte.
class TNamePattern {
public:
    explicit TNamePattern(std::string_view Pattern);

    // Whether the whole of Latin1 matches.
    bool Matches(std::string_view Latin1) const;
    // Whether the texture's Name or Group.Name matches.
    bool MatchesTexture(std::string_view Group, std::string_view Name) const;

private:
    // Folded characters, or AnyRun and AnyOne for the wildcards.
    std::vector<int> Tokens;
};

} // namespace swatchbox::cli
