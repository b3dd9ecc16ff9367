// The --name pattern: wildcards, case, Latin-1 names and Group.Name.
#include "cli/NamePattern.h"

#include <gtest/gtest.h>

namespace swatchbox::cli {
namespace {

TEST(NamePattern, MatchesWildcardsWithoutRegardToCase) {
    const struct {
        const char* Pattern;
        const char* Text;
        bool Matches;
    } Cases[] = {{"Rock*", "RockWall", true},
                 {"rock*", "ROCKWALL", true},
                 {"Rock*", "BigRock", false},
                 {"*rock*", "BigRockWall", true},
                 {"R?ck", "Rock", true},
                 {"R?ck", "Rck", false},
                 {"*", "", true},
                 {"", "", true},
                 {"", "A", false},
                 {"a*b*c", "aXbYbZc", true},
                 {"a*b*c", "aXbYbZ", false},
                 {"**a", "ba", true},
                 {"*a?", "aaab", true},
                 {"?", "\xE9", true},
                 {"Caf\xC3\xA9", "CAF\xC9", true},
                 {"Caf\xE9", "caf\xE9", true},
                 {"\xE2\x82\xAC", "\x80", false}};
    for (const auto& Case : Cases)
        EXPECT_EQ(TNamePattern(Case.Pattern).Matches(Case.Text), Case.Matches)
            << Case.Pattern << " / " << Case.Text;
    // Backtracking stays linear enough for a pathological pattern.
    EXPECT_FALSE(TNamePattern(std::string(50, '*') + std::string(30, 'a') + "b")
                     .Matches(std::string(5000, 'a')));
}

TEST(NamePattern, TexturesMatchByNameOrByGroupAndName) {
    EXPECT_TRUE(TNamePattern("Walls.B*").MatchesTexture("Walls", "Brick"));
    EXPECT_FALSE(TNamePattern("Walls.B*").MatchesTexture("Floors", "Brick"));
    EXPECT_TRUE(TNamePattern("Brick").MatchesTexture("Walls", "Brick"));
    EXPECT_FALSE(TNamePattern("Walls").MatchesTexture("Walls", "Brick"));
}

} // namespace
} // namespace swatchbox::cli
