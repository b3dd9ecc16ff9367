// The folder and font dialogs, driven from inside their own message
// loops.
#include "package/AsciiCase.h"
#include "shell/FolderDialog.h"
#include "shell/FontDialog.h"
#include "shell/MainWindowState.h"
#include "shell/Settings.h"
#include "tests/win/DialogDriver.h"
#include "tests/win/ProgramFixture.h"

#include <gtest/gtest.h>

namespace swatchbox::testing {
namespace {

// The first TrueType face the system lists: the font dialog offers real
// faces only, not substitutes such as "MS Shell Dlg".
std::string ListedFace() {
    std::string Face;
    LOGFONTA Wanted{};
    Wanted.lfCharSet = DEFAULT_CHARSET;
    const HDC Screen = GetDC(nullptr);
    EnumFontFamiliesExA(
        Screen, &Wanted,
        [](const LOGFONTA* Font, const TEXTMETRICA*, DWORD Type, LPARAM Data) -> int {
            if (!(Type & TRUETYPE_FONTTYPE) || Font->lfFaceName[0] == '@')
                return 1;
            *reinterpret_cast<std::string*>(Data) = Font->lfFaceName;
            return 0;
        },
        reinterpret_cast<LPARAM>(&Face), 0);
    ReleaseDC(nullptr, Screen);
    return Face;
}

TEST(FontDialog, ConfirmedUntouchedKeepsFontNameAndSize) {
    TProgramWindow Window;
    ASSERT_EQ(Settings.FontSize, 12);
    Settings.FontName = ListedFace();
    const std::string Face = Settings.FontName;
    const TModalDriver Driver([](HWND Dialog) {
        EXPECT_TRUE(HasSmallIcon(Dialog));
        ExpectCentredOverMainWindow(Dialog);
        PressButton(Dialog, IDOK);
    });
    ChoosePanelFont();
    ASSERT_TRUE(Driver.Ran());
    EXPECT_EQ(Settings.FontName, Face);
    EXPECT_EQ(Settings.FontSize, 12);
    EXPECT_TRUE(Window.Reporter.Messages.empty());
}

// The folder browser's status line.
constexpr int BrowserStatus = 0x3743;

TEST(FolderDialog, ReturnsTheConfirmedFolderAndNothingOnCancel) {
    TProgramWindow Window;
    // A folder on the system drive: the browser shows the Unix root under
    // Wine as a drive it can't navigate to.
    char Temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof(Temp), Temp);
    const std::string Folder =
        std::string(Temp) + "SwatchboxBrowse" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(Folder.c_str(), nullptr);
    std::string Chosen = "kept";
    {
        const TModalDriver Driver([](HWND Dialog) { PressButton(Dialog, IDCANCEL); });
        EXPECT_FALSE(BrowseForPackageFolder(Chosen));
        EXPECT_TRUE(Driver.Ran());
        EXPECT_EQ(Chosen, "kept");
    }
    const TModalDriver Driver([&](HWND Dialog) {
        EXPECT_TRUE(HasSmallIcon(Dialog));
        // The browser fills its tree as it goes; a busy machine may need a
        // few tries before the folder can be selected.
        bool Selected = false;
        for (int Attempt = 0; Attempt < 100 && !Selected; ++Attempt) {
            SendMessageA(Dialog, BFFM_SETSELECTIONA, TRUE,
                         reinterpret_cast<LPARAM>(Folder.c_str()));
            Selected =
                EqualsIgnoringAsciiCase(WindowText(GetDlgItem(Dialog, BrowserStatus)), Folder);
            if (!Selected) {
                Window.Pump();
                Sleep(100);
            }
        }
        EXPECT_TRUE(Selected);
        PressButton(Dialog, IDOK);
    });
    EXPECT_TRUE(BrowseForPackageFolder(Chosen));
    EXPECT_TRUE(EqualsIgnoringAsciiCase(Chosen, Folder)) << Chosen;
    EXPECT_TRUE(Window.Reporter.Messages.empty());
    RemoveDirectoryA(Folder.c_str());
}

} // namespace
} // namespace swatchbox::testing
