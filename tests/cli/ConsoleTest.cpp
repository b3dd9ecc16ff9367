// Text for the console and for scripts: messages and progress, and JSON and
// console text made from 8-bit package strings.
#include "cli/ConsoleReporter.h"
#include "cli/DisplayText.h"
#include "cli/Json.h"
#include "cli/Progress.h"

#include <gtest/gtest.h>

#include <sstream>

namespace swatchbox::cli {
namespace {

TEST(ConsoleReporter, PrintsOneMessageAsContextAndIndentedLines) {
    std::ostringstream Err;
    TConsoleReporter Reporter(Err);
    {
        TReportContext Context(Reporter, "Walls.utx, export 3 (Brick)");
        ReportWarning(Reporter, "Problem!\r\n\r\nTexture \"Brick\" \x1B needs one.\r\nIgnored.");
    }
    ReportError(Reporter, "Cannot open file \"x\"");
    EXPECT_EQ(Err.str(), "Warning: Walls.utx, export 3 (Brick): Problem!\n"
                         "  Texture \"Brick\" \\x1b needs one.\n"
                         "  Ignored.\n"
                         "Error: Cannot open file \"x\"\n");
}

TEST(Progress, RewritesOneLineAndClearsItAroundMessages) {
    std::ostringstream Err;
    {
        TProgress Progress(Err, 12, true);
        TConsoleReporter Reporter(Err, &Progress);
        Progress.Show(1, "ab");
        Progress.Show(2, "c");
        ReportError(Reporter, "bad");
        Progress.Show(12, std::string(100, 'x'));
    }
    const std::string Long = "[12/12] ..." + std::string(68, 'x');
    EXPECT_EQ(Err.str(), "\r[1/12] ab"
                         "\r[2/12] c \r[2/12] c"
                         "\r        \r"
                         "Error: bad\n"
                         "\r[2/12] c"
                         "\r" +
                             Long + "\r" + std::string(79, ' ') + "\r");
}

TEST(JsonString, EscapesQuotesBackslashesAndControlsAndReadsBytesAsLatin1) {
    EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(JsonString("\r\n\t"), "\"\\r\\n\\t\"");
    EXPECT_EQ(JsonString(std::string("\x01\x1F\x7F\0", 4)), "\"\\u0001\\u001f\\u007f\\u0000\"");
    // Package strings are Latin-1.
    EXPECT_EQ(JsonString("Caf\xE9"), "\"Caf\xC3\xA9\"");
    EXPECT_EQ(JsonString("\x80\xA0\xFF"), "\"\xC2\x80\xC2\xA0\xC3\xBF\"");
}

TEST(JsonSystemString, KeepsUtf8PathsAndReadsOthersAsLatin1) {
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
    EXPECT_EQ(DisplayWidth("Caf\xC3\xA9"), 4u);
}

} // namespace
} // namespace swatchbox::cli
