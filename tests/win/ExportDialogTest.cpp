// The save dialog of both export commands, driven from inside its own
// message loop over the real main window and a package of real textures.
#include "export/ExportDialog.h"
#include "package/AsciiCase.h"
#include "resources/ResourceIds.h"
#include "shell/MainWindowState.h"
#include "tests/win/DialogDriver.h"
#include "tests/win/ProgramFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace swatchbox::testing {
namespace {

// Controls of the Explorer save dialog.
constexpr int TypeList = 0x470;      // cmb1
constexpr int FileNameField = 0x47c; // cmb13

// What the dialog showed when it opened.
struct TSeen {
    std::string Title;
    std::string FileName;
    std::string Type;
    bool TypeEnabled = false;
    bool HasSmallIcon = false;
    RECT Rect{};
};

TSeen Look(HWND Dialog) {
    TSeen Seen;
    Seen.Title = WindowText(Dialog);
    char ShownName[MAX_PATH * 2] = {};
    SendMessageA(Dialog, CDM_GETSPEC, sizeof(ShownName), reinterpret_cast<LPARAM>(ShownName));
    Seen.FileName = ShownName;
    const HWND Types = GetDlgItem(Dialog, TypeList);
    Seen.Type = WindowText(Types);
    Seen.TypeEnabled = IsWindowEnabled(Types);
    Seen.HasSmallIcon = HasSmallIcon(Dialog);
    GetWindowRect(Dialog, &Seen.Rect);
    return Seen;
}

class ExportDialog : public ::testing::Test {
protected:
    // Runs the command's dialog: Action sees it open, then presses IDCANCEL,
    // or IDOK when it returns true.
    TSeen Choose(int Command, const std::function<bool(HWND)>& Action = nullptr) {
        TSeen Seen;
        const TModalDriver Driver([&](HWND Dialog) {
            Seen = Look(Dialog);
            PressButton(Dialog, Action && Action(Dialog) ? IDOK : IDCANCEL);
        });
        ChooseExportFile(Command, FileType, BitCount, FileName);
        EXPECT_TRUE(Driver.Ran());
        return Seen;
    }

    TProgramWindow Window;
    std::string FileType = "untouched";
    int32_t BitCount = -1;
    std::string FileName = "stale";
};

// A name longer than the dialog's buffer is cut to it; with no texture
// selected no dialog opens.
TEST_F(ExportDialog, AsIsPresetsTheTypeFromThePixelFormatAndLocksTheTypeList) {
    const std::string Long(300, 'L');
    Window.Show({{.Name = "Rock", .Format = pfDXT3}, {.Name = Long, .Format = pfP8}});

    SelectTexture("Rock");
    const TSeen Dxt = Choose(CMD_EXPORT_AS_IS);
    EXPECT_EQ(Dxt.Title, "Export as is...");
    EXPECT_EQ(Dxt.FileName, "Rock");
    EXPECT_EQ(Dxt.Type, "DirectDraw Surface (*.DDS)");
    EXPECT_FALSE(Dxt.TypeEnabled);
    EXPECT_TRUE(Dxt.HasSmallIcon);
    // Cancelled: no name, and nothing said about a type.
    EXPECT_EQ(FileName, "");
    EXPECT_EQ(FileType, "untouched");
    EXPECT_EQ(BitCount, -1);

    // Centred over the main window. The dialog drops the rows it doesn't use
    // (the read-only box) after it was placed, so its height settles later.
    RECT Main{};
    GetWindowRect(App.MainWnd, &Main);
    const RECT& Own = Dxt.Rect;
    EXPECT_LE(std::abs((Own.left + Own.right) - (Main.left + Main.right)) / 2, 2);
    EXPECT_LE(std::abs((Own.top + Own.bottom) - (Main.top + Main.bottom)) / 2, 24);

    SelectTexture(Long);
    const TSeen Bitmap = Choose(CMD_EXPORT_AS_IS);
    EXPECT_EQ(Bitmap.FileName, Long.substr(0, MAX_PATH - 1));
    EXPECT_EQ(Bitmap.Type, "Windows Bitmap (*.BMP)");

    App.SelectedIndex = 2;
    FileName = "stale";
    const TModalDriver Driver([](HWND Dialog) { PressButton(Dialog, IDCANCEL); });
    ChooseExportFile(CMD_EXPORT_AS_IS, FileType, BitCount, FileName);
    EXPECT_FALSE(Driver.Ran());
    EXPECT_EQ(FileName, "");
    EXPECT_TRUE(Window.Reporter.Messages.empty());
}

TEST_F(ExportDialog, FormattedReturnsTheChosenTypeAndPathReplacingAnExistingFile) {
    Window.Show({{.Name = "Rock", .Format = pfDXT3}});
    App.SelectedIndex = 0;

    const std::string Target = WindowsPath(Window.Folder.File("Rock.tga"));
    // No overwrite question: a second dialog would keep the first one open.
    std::ofstream(Target) << "old";

    const TSeen Seen = Choose(CMD_EXPORT_FORMATTED, [&](HWND Dialog) {
        const HWND Types = GetDlgItem(Dialog, TypeList);
        SendMessageA(Types, CB_SETCURSEL, 2, 0);
        // What a choice with the mouse reports.
        for (const WORD Notification : {CBN_SELENDOK, CBN_SELCHANGE})
            SendMessageA(Dialog, WM_COMMAND, MAKEWPARAM(TypeList, Notification),
                         reinterpret_cast<LPARAM>(Types));
        SendMessageA(Dialog, CDM_SETCONTROLTEXT, FileNameField,
                     reinterpret_cast<LPARAM>(Target.c_str()));
        return true;
    });
    EXPECT_EQ(Seen.Title, "Export formatted...");
    EXPECT_EQ(Seen.FileName, "Rock");
    EXPECT_EQ(Seen.Type, "24bit Windows Bitmap (*.BMP)");
    EXPECT_TRUE(Seen.TypeEnabled);
    EXPECT_TRUE(EqualsIgnoringAsciiCase(FileName, Target)) << FileName;
    EXPECT_EQ(FileType, "TGA");
    EXPECT_EQ(BitCount, 32);
    EXPECT_TRUE(Window.Reporter.Messages.empty());
}

// The type list is the last combo box met that is not owner-drawn; other
// windows leave the choice alone.
TEST(FindTypeCombo, TheLastComboBoxDecidesAndAnOwnerDrawnOneLeavesNone) {
    const HWND Parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                        nullptr, nullptr);
    ASSERT_NE(Parent, nullptr);
    const auto Add = [&](const char* Class, DWORD Style) {
        return CreateWindowExA(0, Class, "", WS_CHILD | Style, 0, 0, 50, 50, Parent, nullptr,
                               nullptr, nullptr);
    };
    const auto Found = [&] {
        App.TypeComboBox = nullptr;
        EnumChildWindows(Parent, FindTypeComboProc, 0);
        return App.TypeComboBox;
    };
    Add("ComboBox", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
    const HWND Types = Add("ComboBox", CBS_DROPDOWNLIST);
    Add("Edit", 0);
    EXPECT_EQ(Found(), Types);
    Add("ComboBox", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
    EXPECT_EQ(Found(), nullptr);
    DestroyWindow(Parent);
}

} // namespace
} // namespace swatchbox::testing
