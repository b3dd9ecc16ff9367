// The folder, colour and font dialogs driven from inside their own message
// loops, and the centring rule they share with the program's other dialogs.
#include "package/AsciiCase.h"
#include "resources/ResourceIds.h"
#include "shell/CenterWindow.h"
#include "shell/ColorDialog.h"
#include "shell/FolderDialog.h"
#include "shell/FontDialog.h"
#include "shell/MainWindowState.h"
#include "shell/Settings.h"
#include "tests/win/DialogDriver.h"
#include "tests/win/ProgramFixture.h"
#include "tests/win/WinTestHelpers.h"

#include <colordlg.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>

namespace swatchbox::testing {
namespace {

bool HasSmallIcon(HWND Dialog) {
    return SendMessageA(Dialog, WM_GETICON, ICON_SMALL, 0) != 0;
}

// Where the dialog should stand: centred over the main window.
void ExpectCentredOverMainWindow(HWND Dialog) {
    RECT Main{}, Own{};
    GetWindowRect(App.MainWnd, &Main);
    GetWindowRect(Dialog, &Own);
    const RECT Expected = CenteredRect(Main, Own);
    EXPECT_EQ(Own.left, Expected.left);
    EXPECT_EQ(Own.top, Expected.top);
}

TEST(CenterWindow, LeftAndTopCentreTheWindowRightAndBottomStay) {
    const RECT Reference{100, 50, 901, 650};
    EXPECT_EQ(CenteredRect(Reference, RECT{0, 0, 300, 200}).left, 100 + 250);
    EXPECT_EQ(CenteredRect(Reference, RECT{0, 0, 300, 200}).top, 50 + 200);
    const RECT Moved = CenteredRect(Reference, RECT{7, 9, 307, 209});
    EXPECT_EQ(Moved.right, 307);
    EXPECT_EQ(Moved.bottom, 209);
    // Larger than the reference: it starts before it, odd halves truncated
    // toward zero (-201 / 2 is -100).
    const RECT Large = CenteredRect(Reference, RECT{0, 0, 1002, 801});
    EXPECT_EQ(Large.left, 100 - 100);
    EXPECT_EQ(Large.top, 50 - 100);
}

class ColorDialog : public ::testing::Test {
protected:
    TProgramWindow Window;
};

TEST_F(ColorDialog, OpensOnTheCurrentColourUnderItsCaptionAndCancelKeepsIt) {
    const uint32_t Selection = 0x596354;
    std::string Caption;
    UINT Red = 0, Green = 0, Blue = 0;
    const TModalDriver Driver([&](HWND Dialog) {
        Caption = WindowText(Dialog);
        Red = GetDlgItemInt(Dialog, COLOR_RED, nullptr, FALSE);
        Green = GetDlgItemInt(Dialog, COLOR_GREEN, nullptr, FALSE);
        Blue = GetDlgItemInt(Dialog, COLOR_BLUE, nullptr, FALSE);
        EXPECT_TRUE(HasSmallIcon(Dialog));
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(Dialog, COLOR_RED))) << "not fully open";
        ExpectCentredOverMainWindow(Dialog);
        PressButton(Dialog, IDCANCEL);
    });
    EXPECT_EQ(ChoosePanelColor(CMD_COLOR_SELECTION, Selection), Selection);
    ASSERT_TRUE(Driver.Ran());
    EXPECT_TRUE(Caption.ends_with(" of Selection")) << Caption;
    EXPECT_GT(Caption.size(), std::strlen(" of Selection"));
    EXPECT_EQ(Red, 0x54u);
    EXPECT_EQ(Green, 0x63u);
    EXPECT_EQ(Blue, 0x59u);
}

TEST_F(ColorDialog, ConfirmedColourIsReturned) {
    std::string Caption;
    const TModalDriver Driver([&](HWND Dialog) {
        Caption = WindowText(Dialog);
        SetDlgItemInt(Dialog, COLOR_RED, 200, FALSE);
        SetDlgItemInt(Dialog, COLOR_GREEN, 10, FALSE);
        SetDlgItemInt(Dialog, COLOR_BLUE, 30, FALSE);
        PressButton(Dialog, IDOK);
    });
    EXPECT_EQ(ChoosePanelColor(CMD_COLOR_BACKGROUND, 0x4F4F4F), RGB(200, 10, 30));
    EXPECT_TRUE(Caption.ends_with(" of Background")) << Caption;
}

// A face the font dialog lists: the default when the system lists it
// (Wine lists real faces only, not substitutes such as "MS Shell Dlg"),
// else the first TrueType face.
std::string ListedFace() {
    struct TSearch {
        bool HasDefault = false;
        std::string FirstTrueType;
    } Search;
    LOGFONTA Wanted{};
    Wanted.lfCharSet = DEFAULT_CHARSET;
    HDC Screen = GetDC(nullptr);
    EnumFontFamiliesExA(
        Screen, &Wanted,
        [](const LOGFONTA* Font, const TEXTMETRICA*, DWORD Type, LPARAM Data) -> int {
            auto& Search = *reinterpret_cast<TSearch*>(Data);
            Search.HasDefault =
                Search.HasDefault || std::strcmp(Font->lfFaceName, "MS Shell Dlg") == 0;
            if (Search.FirstTrueType.empty() && (Type & TRUETYPE_FONTTYPE) &&
                Font->lfFaceName[0] != '@')
                Search.FirstTrueType = Font->lfFaceName;
            return 1;
        },
        reinterpret_cast<LPARAM>(&Search), 0);
    ReleaseDC(nullptr, Screen);
    return Search.HasDefault ? "MS Shell Dlg" : Search.FirstTrueType;
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

// Controls of the shell's folder browser.
constexpr int BrowserTree = 0x3741;
constexpr int BrowserStatus = 0x3743;

TEST(FolderDialog, ShowsTheSelectedPathAndReturnsTheConfirmedFolder) {
    TProgramWindow Window;
    // A folder on the system drive: the browser shows the Unix root
    // under Wine as a drive it can't navigate to.
    char Temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof(Temp), Temp);
    const std::string Folder =
        std::string(Temp) + "SwatchboxBrowse" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(Folder.c_str(), nullptr);
    const TModalDriver Driver([&](HWND Dialog) {
        EXPECT_TRUE(HasSmallIcon(Dialog));
        const LONG_PTR Style = GetWindowLongPtrA(GetDlgItem(Dialog, BrowserTree), GWL_STYLE);
        EXPECT_FALSE(Style & TVS_HASLINES);
        EXPECT_TRUE(Style & TVS_SINGLEEXPAND);
        SendMessageA(Dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(Folder.c_str()));
        EXPECT_TRUE(EqualsIgnoringAsciiCase(WindowText(GetDlgItem(Dialog, BrowserStatus)), Folder));
        PressButton(Dialog, IDOK);
    });
    std::string Chosen;
    EXPECT_TRUE(BrowseForPackageFolder(Chosen));
    EXPECT_TRUE(EqualsIgnoringAsciiCase(Chosen, Folder)) << Chosen;
    RemoveDirectoryA(Folder.c_str());
}

TEST(FolderDialog, CancelGivesNoFolderAndNoMessage) {
    TProgramWindow Window;
    const TModalDriver Driver([](HWND Dialog) { PressButton(Dialog, IDCANCEL); });
    std::string Chosen = "kept";
    EXPECT_FALSE(BrowseForPackageFolder(Chosen));
    EXPECT_TRUE(Driver.Ran());
    EXPECT_EQ(Chosen, "kept");
    EXPECT_TRUE(Window.Reporter.Messages.empty());
}

} // namespace
} // namespace swatchbox::testing
