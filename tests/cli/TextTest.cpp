// Text made from untrusted 8-bit package names, and text for the console
// and for scripts: the --name pattern (wildcards, case, Latin-1 names and
// Group.Name), output path components, messages and progress, and JSON.
#include "cli/ConsoleReporter.h"
#include "cli/DisplayText.h"
#include "cli/Json.h"
#include "cli/NamePattern.h"
#include "cli/Progress.h"
#include "export/SafePath.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace swatchbox::cli {
namespace {

// (Letter case in plain ASCII: the folders test lists with --name ROCK*.)
TEST(NamePattern, MatchesWildcardsWithoutRegardToCaseByNameOrGroupAndName) {
    // Pattern, text, whether it matches.
    const std::tuple<const char*, const char*, bool> Cases[] = {{"Rock*", "BigRock", false},
                                                                {"*rock*", "BigRockWall", true},
                                                                {"R?ck", "Rck", false},
                                                                {"*", "", true},
                                                                {"", "A", false},
                                                                {"a*b*c", "aXbYbZc", true},
                                                                {"a*b*c", "aXbYbZ", false},
                                                                {"**a", "ba", true},
                                                                {"*a?", "aaab", true},
                                                                {"?", "\xE9", true},
                                                                {"Caf\xC3\xA9", "CAF\xC9", true},
                                                                {"Caf\xE9", "caf\xE9", true},
                                                                {"\xE2\x82\xAC", "\x80", false}};
    for (const auto& [Pattern, Text, Matches] : Cases)
        EXPECT_EQ(TNamePattern(Pattern).Matches(Text), Matches) << Pattern << " / " << Text;
    // Backtracking stays linear enough for a pathological pattern.
    EXPECT_FALSE(TNamePattern(std::string(50, '*') + std::string(30, 'a') + "b")
                     .Matches(std::string(5000, 'a')));
    // Textures match by name or by Group.Name.
    EXPECT_TRUE(TNamePattern("Walls.B*").MatchesTexture("Walls", "Brick"));
    EXPECT_FALSE(TNamePattern("Walls.B*").MatchesTexture("Floors", "Brick"));
    EXPECT_TRUE(TNamePattern("Brick").MatchesTexture("Walls", "Brick"));
    EXPECT_FALSE(TNamePattern("Walls").MatchesTexture("Walls", "Brick"));
}

TEST(SafePathComponent, KeepsPlainNamesNeverLeavesItsFolderAndAvoidsWhatWindowsMisreads) {
    // Trailing dots and blanks are dropped by Windows, so "a." would be "a";
    // device names are refused with an extension or blanks before it too, in
    // any case; overlong names are cut. (The export of hostile names checks
    // "..", "../x" and "CON".)
    const std::pair<const char*, const char*> Cases[] = {
        {"Wall_01-a (b).x", "Wall_01-a (b).x"},
        {"", "_"},
        {"C:\\x", "C__x"},
        {"a\001b\tc\177d\351e*?<>|\"", "a_b_c_d_e______"},
        {"wall.", "wall_"},
        {"a . ", "a___"},
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

TEST(Progress, RewritesOneLineAndClearsItAroundMessagesOfIndentedLines) {
    std::ostringstream Err;
    {
        TProgress Progress(Err, 12, true);
        TConsoleReporter Reporter(Err, &Progress);
        Progress.Show(1, "ab");
        Progress.Show(2, "c");
        // A message is its context, then its further lines indented.
        TReportContext Context(Reporter, "Walls.utx, export 3 (Brick)");
        ReportWarning(Reporter, "Problem!\r\n\r\nTexture \"Brick\" \x1B needs one.\r\nIgnored.");
        Progress.Show(12, std::string(100, 'x'));
    }
    const std::string Long = "[12/12] ..." + std::string(68, 'x');
    EXPECT_EQ(Err.str(), "\r[1/12] ab"
                         "\r[2/12] c \r[2/12] c"
                         "\r        \r"
                         "Warning: Walls.utx, export 3 (Brick): Problem!\n"
                         "  Texture \"Brick\" \\x1b needs one.\n"
                         "  Ignored.\n"
                         "\r[2/12] c"
                         "\r" +
                             Long + "\r" + std::string(79, ' ') + "\r");
}

TEST(Json, EscapesQuotesBackslashesAndControlsAndReadsBytesAsLatin1OrPathsAsUtf8) {
    EXPECT_EQ(JsonString("a\"b\\c\r\n\t"), "\"a\\\"b\\\\c\\r\\n\\t\"");
    EXPECT_EQ(JsonString(std::string("\x01\x1F\x7F\0", 4)), "\"\\u0001\\u001f\\u007f\\u0000\"");
    // Package strings are Latin-1.
    EXPECT_EQ(JsonString("\x80\xA0\xFF"), "\"\xC2\x80\xC2\xA0\xC3\xBF\"");
    // Paths keep their UTF-8; others are read as Latin-1 too.
    EXPECT_EQ(JsonSystemString("C:\\d\xC3\xA9j\xC3\xA0\\\"x\""),
              "\"C:\\\\d\xC3\xA9j\xC3\xA0\\\\\\\"x\\\"\"");
    EXPECT_EQ(JsonSystemString("d\xE9j"), "\"d\xC3\xA9j\"");
    // Overlong forms and surrogates are no UTF-8.
    EXPECT_EQ(JsonSystemString("\xC0\xAF"), "\"\xC3\x80\xC2\xAF\"");
    EXPECT_EQ(JsonSystemString("\xED\xA0\x80"), "\"\xC3\xAD\xC2\xA0\xC2\x80\"");
    EXPECT_EQ(JsonSystemString("\xF0\x9F\x98\x80\x01"), "\"\xF0\x9F\x98\x80\\u0001\"");
}

TEST(DisplayText, ShowsLatin1AndNeutralisesTerminalControls) {
    // ESC and the 8-bit CSI could drive a terminal.
    EXPECT_EQ(DisplayText("a\x1B[2Jb\x9B"), "a\\x1b[2Jb\\x9b");
    // Text from the command line keeps its own encoding.
    EXPECT_EQ(EscapeControls("d\xC3\xA9j\xC3\xA0\x07"), "d\xC3\xA9j\xC3\xA0\\x07");
}

} // namespace
} // namespace swatchbox::cli
