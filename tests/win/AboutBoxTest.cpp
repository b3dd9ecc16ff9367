// The About box, opened the way the user opens it: through the main window's
// system menu.
#include "resources/ResourceIds.h"
#include "shell/MainWindowState.h"
#include "shell/Settings.h"
#include "tests/win/DialogDriver.h"
#include "tests/win/ProgramFixture.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace swatchbox::testing {
namespace {

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

// The box closes by Esc or with the program under it; either way its title
// font is freed and the static controls get their arrow back.
TEST(AboutBox, ShowsVersionTitleAndLinksAndClosingFreesWhatItChanged) {
    for (const bool CloseProgram : {false, true}) {
        SCOPED_TRACE(CloseProgram ? "program closed" : "Esc");
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
            Title =
                reinterpret_cast<HFONT>(SendDlgItemMessageA(Dialog, ABOUT_TITLE, WM_GETFONT, 0, 0));
            LOGFONTA Font{};
            GetObjectA(Title, sizeof(Font), &Font);
            EXPECT_EQ(std::string(Font.lfFaceName), "Courier New");

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
            if (CloseProgram)
                PostMessageA(App.MainWnd, WM_CLOSE, 0, 0);
            else
                PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
        });
        SendMessageA(App.MainWnd, WM_SYSCOMMAND, CMD_SYS_ABOUT, 0);
        ASSERT_TRUE(Driver.Ran());
        Window.Pump();
        EXPECT_FALSE(IsWindow(Box));
        EXPECT_EQ(IsWindow(App.MainWnd) == FALSE, CloseProgram);
        EXPECT_EQ(GetObjectType(Title), 0u) << "the title font outlives the box";
        EXPECT_EQ(StaticClassCursor(), LoadCursorA(nullptr, IDC_ARROW));
        EXPECT_TRUE(Window.Reporter.Messages.empty());
    }
}

} // namespace
} // namespace swatchbox::testing
