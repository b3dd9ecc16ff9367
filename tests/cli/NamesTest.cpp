// Texture names: the --name pattern (wildcards, case, Latin-1 names and
// Group.Name), and the output path components made from untrusted names.
#include "cli/NamePattern.h"
#include "cli/SafePath.h"

#include <gtest/gtest.h>

#include <string>

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

TEST(SafePathComponent, KeepsPlainNamesNeverLeavesItsFolderAndAvoidsWhatWindowsMisreads) {
    // Trailing dots and blanks are dropped by Windows, so "a." would be "a";
    // device names are refused with an extension or blanks before it too, in
    // any case; overlong names are cut.
    const std::pair<const char*, const char*> Cases[] = {
        {"Wall_01-a (b).x", "Wall_01-a (b).x"},
        {"", "_"},
        {"..", "_"},
        {"../x", ".._x"},
        {"C:\\x", "C__x"},
        {"a\001b\tc\177d\351e*?<>|\"", "a_b_c_d_e______"},
        {"wall.", "wall_"},
        {"a . ", "a___"},
        {"CON", "_CON"},
        {"nul", "_nul"},
        {"Com1", "_Com1"},
        {"LPT9.txt", "_LPT9.txt"},
        {"aux .bmp", "_aux .bmp"},
        {"CON.", "_CON_"}};
    for (const auto& [Name, Safe] : Cases)
        EXPECT_EQ(SafePathComponent(Name), Safe) << Name;
    EXPECT_EQ(SafePathComponent(std::string("a\0b", 3)), "a_b");
    EXPECT_EQ(SafePathComponent(std::string(300, 'a')), std::string(MaxComponentLength, 'a'));
    EXPECT_EQ(SafePathComponent("nul." + std::string(300, 'a')),
              "_nul." + std::string(MaxComponentLength - 5, 'a'));
    for (const char* Name : {"CONSOLE", "COM10", "COM", "LPTX", "NULL", "xCON"})
        EXPECT_EQ(SafePathComponent(Name), Name);
    for (const std::string Name :
         {".", "..\\..\\x", "a/b", "/abs", "C:x", "\\\\server\\share", "...", ". .", "x/.."}) {
        const std::string Safe = SafePathComponent(Name);
        EXPECT_TRUE(!Safe.empty() && Safe != ".." &&
                    Safe.find_first_of("/\\:") == std::string::npos && Safe.back() != '.')
            << Name << " gives " << Safe;
    }
}

TEST(PackageBaseName, DropsFoldersAndTheLastExtension) {
    const std::pair<const char*, const char*> Cases[] = {
        {"a/b/Walls.utx", "Walls"}, {"C:\\Games\\Tex.u", "Tex"},
        {"a.b.utx", "a.b"},         {"noext", "noext"},
        {".utx", ".utx"},           {"dir/", ""}};
    for (const auto& [Path, Base] : Cases)
        EXPECT_EQ(PackageBaseName(Path), Base) << Path;
}

} // namespace
} // namespace swatchbox::cli
