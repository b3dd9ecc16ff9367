// The window menu's "Help" and F1 open the help file when it is there, and
// nothing happens without it.
#include "shell/Help.h"
#include "resources/ResourceIds.h"
#include "shell/MainWindowState.h"
#include "tests/win/HelpWindows.h"
#include "tests/win/ProgramFixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace swatchbox::testing {
namespace {

// Runs the command and counts the help windows it opened, closing them again.
template <typename TCommand>
std::size_t HelpWindowsOpenedBy(TProgramWindow& Window, TCommand Command) {
    Command();
    Window.Pump();
    const std::vector<HWND> Opened = HelpWindowsOf(GetCurrentProcessId());
    for (HWND Help : Opened)
        SendMessageA(Help, WM_CLOSE, 0, 0);
    Window.Pump();
    EXPECT_TRUE(HelpWindowsOf(GetCurrentProcessId()).empty()) << "a help window stayed open";
    return Opened.size();
}

TEST(Help, TheMenuItemAndF1OpenTheHelpFileOnlyWhenItIsThere) {
    for (const bool WithFile : {false, true}) {
        SCOPED_TRACE(WithFile ? "with Swatchbox.CHM" : "without Swatchbox.CHM");
        const std::string Built = SWATCHBOX_HELP_FILE;
        if (WithFile && Built.empty())
            GTEST_SKIP() << "built without the help file";
        TTempDir Folder;
        const std::string HelpFile = Folder.File("Swatchbox.CHM");
        if (WithFile)
            std::filesystem::copy_file(Built, HelpFile);
        UseHelpFile(HelpFile);
        // A settings file: no first start, which would open the help by itself.
        TProgramWindow Window({}, "[Window]\r\nState=0\r\n");

        HMENU Menu = GetSystemMenu(App.MainWnd, FALSE);
        char Text[32] = {};
        GetMenuStringA(Menu, CMD_SYS_HELP, Text, sizeof(Text), MF_BYCOMMAND);
        EXPECT_STREQ(Text, "&Help\tF1");
        EXPECT_EQ((GetMenuState(Menu, CMD_SYS_HELP, MF_BYCOMMAND) & MF_GRAYED) == 0, WithFile);

        const std::size_t Expected = WithFile ? 1 : 0;
        EXPECT_EQ(HelpWindowsOpenedBy(
                      Window, [] { SendMessageA(App.MainWnd, WM_SYSCOMMAND, CMD_SYS_HELP, 0); }),
                  Expected);
        EXPECT_EQ(
            HelpWindowsOpenedBy(Window, [] { PostMessageA(App.MainWnd, WM_KEYDOWN, VK_F1, 0); }),
            Expected);
    }
}

} // namespace
} // namespace swatchbox::testing
