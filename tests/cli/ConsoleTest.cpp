// Messages and progress on the console.
#include "cli/ConsoleReporter.h"
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
    EXPECT_EQ(Reporter.Errors(), 1);
    EXPECT_EQ(Reporter.Warnings(), 1);
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
    // Disabled, it prints nothing around messages either.
    Err.str("");
    {
        TProgress Progress(Err, 2, false);
        TConsoleReporter Reporter(Err, &Progress);
        Progress.Show(1, "a");
        ReportWarning(Reporter, "w");
    }
    EXPECT_EQ(Err.str(), "Warning: w\n");
}

} // namespace
} // namespace swatchbox::cli
