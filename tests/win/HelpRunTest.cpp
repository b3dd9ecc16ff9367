// Swatchbox.exe with its help file beside it, as the build lays them out: the
// first start opens the help once, F1 opens it again, the program closes
// as usual with its help open, and the next start opens no help.
#include "tests/support/TestFiles.h"
#include "tests/win/HelpWindows.h"
#include "tests/win/ProgramProcess.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace swatchbox::testing {
namespace {

TEST(HelpRun, TheFirstStartOpensTheHelpOnceAndTheNextStartDoesNot) {
    const std::string Built = SWATCHBOX_HELP_FILE;
    if (Built.empty())
        GTEST_SKIP() << "built without the help file";
    TTempDir Folder;
    const std::string Program = Folder.File("Swatchbox.exe");
    std::filesystem::copy_file(SWATCHBOX_PROGRAM, Program);
    std::filesystem::copy_file(Built, Folder.File("Swatchbox.CHM"));
    ASSERT_EQ(FindWindowA("SWATCHBOX", "Swatchbox"), nullptr) << "another copy is running";

    {
        TProcess First(Program);
        ASSERT_TRUE(First.Started);
        const HWND Main = WaitForMainWindow(First);
        ASSERT_NE(Main, nullptr);
        const DWORD Id = First.Info.dwProcessId;
        ASSERT_TRUE(WaitUntil([&] { return HelpWindowsOf(Id).size() == 1; }));

        PostMessageA(HelpWindowsOf(Id).front(), WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return HelpWindowsOf(Id).empty(); }));
        PostMessageA(Main, WM_KEYDOWN, VK_F1, 0);
        EXPECT_TRUE(WaitUntil([&] { return HelpWindowsOf(Id).size() == 1; }));
        EXPECT_TRUE(ClosesCleanly(First, Main));
    }

    TProcess Second(Program);
    ASSERT_TRUE(Second.Started);
    const HWND Main = WaitForMainWindow(Second);
    ASSERT_NE(Main, nullptr);
    // A first start's help opens while the window is made; once the program
    // answers a message, that is over.
    SendMessageTimeoutA(Main, WM_NULL, 0, 0, SMTO_NORMAL, 20000, nullptr);
    EXPECT_TRUE(HelpWindowsOf(Second.Info.dwProcessId).empty());
    EXPECT_TRUE(ClosesCleanly(Second, Main));
}

} // namespace
} // namespace swatchbox::testing
