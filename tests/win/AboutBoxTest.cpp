// The program's version record and the About box, opened the way the user
// opens it: through the main window's system menu.
#include "resources/ResourceIds.h"
#include "shell/MainWindowState.h"
#include "shell/Settings.h"
#include "shell/VersionInfo.h"
#include "tests/win/DialogDriver.h"
#include "tests/win/ProgramFixture.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace swatchbox::testing {
namespace {

// The test program carries the program's version record; values are read
// from its own language block only.
TEST(VersionInfo, TheTestProgramCarriesTheProgramsRecord) {
    char Self[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, Self, MAX_PATH);
    EXPECT_EQ(QueryVersionString(Self, "ProductVersion"), "2.1");
    EXPECT_EQ(QueryVersionString(Self, "BuildDate"), "2006-08-07");
    // The registered sign is the one byte 0xAE of the Windows Latin-1 code page.
    EXPECT_EQ(QueryVersionString(Self, "LegalTrademarks"), "Unreal\xAE");
    EXPECT_EQ(MakeVersionText(), "2.1 (2006-08-07)");
    EXPECT_EQ(QueryVersionString(Self, "NoSuchValue"), "");
}

// The class cursor of the program's static controls, read from a fresh one.
HCURSOR StaticClassCursor() {
    const HWND Static = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
    const auto Cursor = reinterpret_cast<HCURSOR>(GetClassLongPtrA(Static, GCLP_HCURSOR));
    DestroyWindow(Static);
    return Cursor;
}

// Asks the box for the pointer over Control, as the system does when the
// mouse moves there.
void MoveMouseOnto(HWND Dialog, int Control) {
    SendMessageA(Dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(GetDlgItem(Dialog, Control)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

HFONT TitleFont(HWND Dialog) {
    return reinterpret_cast<HFONT>(SendDlgItemMessageA(Dialog, ABOUT_TITLE, WM_GETFONT, 0, 0));
}

TEST(AboutBox, ShowsVersionTitleAndLinksAndEscClosesItCleanly) {
    TProgramWindow Window;
    ASSERT_TRUE(Window.Started);
    // The title follows the panel font the user chose.
    Settings.FontName = "Courier New";
    HWND Box = nullptr;
    HFONT Title = nullptr;
    const TModalDriver Driver([&](HWND Dialog) {
        Box = Dialog;
        EXPECT_EQ(GetWindow(Dialog, GW_OWNER), App.MainWnd);
        EXPECT_EQ(WindowText(Dialog), "About Swatchbox");
        EXPECT_EQ(WindowText(GetDlgItem(Dialog, ABOUT_VERSION)), "2.1 (2006-08-07)");
        Title = TitleFont(Dialog);
        LOGFONTA Font{};
        EXPECT_EQ(GetObjectA(Title, sizeof(Font), &Font), int(sizeof(Font)));
        EXPECT_EQ(std::string(Font.lfFaceName), "Courier New");
        EXPECT_EQ(std::vector<LONG>({Font.lfHeight, Font.lfWeight, Font.lfUnderline}),
                  std::vector<LONG>({-21, 1000, TRUE}));

        // Links are blue on the dialog's white.
        const HDC Dc = GetDC(Dialog);
        EXPECT_EQ(SendMessageA(Dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(Dc),
                               reinterpret_cast<LPARAM>(GetDlgItem(Dialog, ABOUT_HOME_PAGE))),
                  reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH)));
        EXPECT_EQ(GetTextColor(Dc), RGB(0, 0, 187));
        ReleaseDC(Dialog, Dc);

        // A hand over the links, no cursor of its own over the icons.
        MoveMouseOnto(Dialog, ABOUT_NOTES_PAGE);
        EXPECT_EQ(StaticClassCursor(), LoadCursorA(nullptr, IDC_HAND));
        MoveMouseOnto(Dialog, ABOUT_MAKER_LOGO);
        EXPECT_EQ(StaticClassCursor(), nullptr);
        // Left on a link: closing must bring the arrow back.
        MoveMouseOnto(Dialog, ABOUT_HOME_PAGE);
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    SendMessageA(App.MainWnd, WM_SYSCOMMAND, CMD_SYS_ABOUT, 0);
    ASSERT_TRUE(Driver.Ran());
    EXPECT_FALSE(IsWindow(Box));
    EXPECT_EQ(GetObjectType(Title), 0u) << "the title font outlives the box";
    EXPECT_EQ(StaticClassCursor(), LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_TRUE(Window.Reporter.Messages.empty());
}

TEST(AboutBox, ClosingTheProgramUnderTheOpenBoxFreesWhatItChanged) {
    TProgramWindow Window;
    ASSERT_TRUE(Window.Started);
    HFONT Title = nullptr;
    const TModalDriver Driver([&](HWND Dialog) {
        Title = TitleFont(Dialog);
        MoveMouseOnto(Dialog, ABOUT_HOME_PAGE);
        ASSERT_EQ(StaticClassCursor(), LoadCursorA(nullptr, IDC_HAND));
        PostMessageA(App.MainWnd, WM_CLOSE, 0, 0);
    });
    SendMessageA(App.MainWnd, WM_SYSCOMMAND, CMD_SYS_ABOUT, 0);
    ASSERT_TRUE(Driver.Ran());
    Window.Pump();
    EXPECT_FALSE(IsWindow(App.MainWnd));
    EXPECT_EQ(GetObjectType(Title), 0u);
    EXPECT_EQ(StaticClassCursor(), LoadCursorA(nullptr, IDC_ARROW));
}

} // namespace
} // namespace swatchbox::testing
