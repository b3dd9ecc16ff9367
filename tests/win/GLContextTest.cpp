// Start-up without an OpenGL context.
#include "display/GLContext.h"
#include "shell/MainWindowState.h"
#include "tests/win/ProgramFixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace swatchbox::testing {
namespace {

// Refuses every button window of this thread, the texture panel among them.
LRESULT CALLBACK RefuseButtons(int Code, WPARAM WParam, LPARAM LParam) {
    char Class[16] = {};
    if (Code == HCBT_CREATEWND &&
        GetClassNameA(reinterpret_cast<HWND>(WParam), Class, sizeof(Class)) > 0 &&
        lstrcmpiA(Class, "BUTTON") == 0)
        return 1;
    return CallNextHookEx(nullptr, Code, WParam, LParam);
}

TEST(GLContext, WithoutAContextTheProgramSaysSoOnceAndEndsWithoutSaving) {
    const HHOOK Hook = SetWindowsHookExA(WH_CBT, RefuseButtons, nullptr, GetCurrentThreadId());
    ASSERT_NE(Hook, nullptr);
    TProgramWindow Window;
    UnhookWindowsHookEx(Hook);

    EXPECT_FALSE(Window.Started);
    ASSERT_EQ(Window.Reporter.Messages.size(), 1u);
    EXPECT_EQ(Window.Reporter.Messages[0].Caption, "Error");
    EXPECT_EQ(Window.Reporter.Messages[0].Text, "[OPENGL]\r\nInitialisation of OpenGL failed!");
    EXPECT_FALSE(std::filesystem::exists(Window.SettingsFile));
}

} // namespace
} // namespace swatchbox::testing
