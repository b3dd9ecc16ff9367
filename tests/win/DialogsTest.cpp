// The program's dialogs and the package list's menu, driven from inside their
// own message loops over the real main window: export, folder, font, About.
#include "export/ExportDialog.h"
#include "package/AsciiCase.h"
#include "resources/ResourceIds.h"
#include "shell/FolderDialog.h"
#include "shell/FontDialog.h"
#include "shell/MainWindowState.h"
#include "shell/PackageList.h"
#include "shell/PopupMenu.h"
#include "shell/Settings.h"
#include "tests/win/ProgramFixture.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace swatchbox::testing {
namespace {

// Cancelled, each as-is dialog leaves no name and says nothing about a type.
// A name longer than the dialog's buffer is cut to it; with no texture
// selected no dialog opens.
TEST(ExportDialog, AsIsPresetsNameAndTypeFromTheTextureAndLocksTheTypeList) {
    TProgramWindow Window;
    const std::string Long(300, 'L');
    Window.Show({{.Name = "Rock", .Format = pfDXT3}, {.Name = Long, .Format = pfP8}});
    std::string FileType = "untouched", FileName = "stale";
    int32_t BitCount = -1;
    const std::tuple<std::string, std::string, std::string> Rows[] = {
        {"Rock", "Rock", "DirectDraw Surface (*.DDS)"},
        {Long, Long.substr(0, MAX_PATH - 1), "Windows Bitmap (*.BMP)"}};
    for (const auto& [Name, Shown, Type] : Rows) {
        SelectTexture(Name);
        const TModalDriver Driver([&](HWND Dialog) {
            char FileName[MAX_PATH * 2] = {};
            SendMessageA(Dialog, CDM_GETSPEC, sizeof(FileName), reinterpret_cast<LPARAM>(FileName));
            EXPECT_EQ(FileName, Shown);
            const HWND Types = GetDlgItem(Dialog, 0x470);
            EXPECT_EQ(WindowText(Types), Type);
            EXPECT_FALSE(IsWindowEnabled(Types));
            // The dialog drops the rows it doesn't use after it was placed,
            // so its height settles later.
            ExpectDialogLook(Dialog, 2, 24);
            PressButton(Dialog, IDCANCEL);
        });
        ChooseExportFile(CMD_EXPORT_AS_IS, FileType, BitCount, FileName);
        ASSERT_TRUE(Driver.Ran());
        EXPECT_EQ(FileName, "");
        EXPECT_EQ(FileType, "untouched");
        EXPECT_EQ(BitCount, -1);
    }

    App.SelectedIndex = 2;
    FileName = "stale";
    const TModalDriver Driver([](HWND Dialog) { PressButton(Dialog, IDCANCEL); });
    ChooseExportFile(CMD_EXPORT_AS_IS, FileType, BitCount, FileName);
    EXPECT_FALSE(Driver.Ran());
    EXPECT_EQ(FileName, "");
    EXPECT_TRUE(Window.Reporter.Messages.empty());
}

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
        ExpectDialogLook(Dialog);
        PressButton(Dialog, IDOK);
    });
    ChoosePanelFont();
    ASSERT_TRUE(Driver.Ran());
    EXPECT_EQ(Settings.FontName, Face);
    EXPECT_EQ(Settings.FontSize, 12);
    EXPECT_TRUE(Window.Reporter.Messages.empty());
}

TEST(FolderDialog, ReturnsTheConfirmedFolderAndNothingOnCancel) {
    TProgramWindow Window;
    const TBrowsableDir Browsable;
    const std::string& Folder = Browsable.Path();
    std::string Chosen = "kept";
    {
        const TModalDriver Driver([](HWND Dialog) { PressButton(Dialog, IDCANCEL); });
        EXPECT_FALSE(BrowseForPackageFolder(Chosen));
        EXPECT_TRUE(Driver.Ran());
        EXPECT_EQ(Chosen, "kept");
    }
    const TModalDriver Driver([&](HWND Dialog) {
        EXPECT_TRUE(HasSmallIcon(Dialog));
        EXPECT_TRUE(SelectBrowserFolder(Dialog, Folder, Window));
        PressButton(Dialog, IDOK);
    });
    EXPECT_TRUE(BrowseForPackageFolder(Chosen));
    EXPECT_TRUE(EqualsIgnoringAsciiCase(Chosen, Folder)) << Chosen;
    EXPECT_TRUE(Window.Reporter.Messages.empty());
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

// The box closes by Esc or with the program under it; either way its title
// font is freed and the static controls get their arrow back.
TEST(AboutBox, ShowsTitleAndLinksAndClosingFreesWhatItChanged) {
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

TEST(PackageMenu, EmptyListGreysClearAndRetailItemsAndEveryGameHasItsSymbol) {
    TProgramWindow Window;
    for (const bool Empty : {true, false}) {
        SCOPED_TRACE(Empty ? "empty list" : "one package");
        if (!Empty)
            AddPackageFile("C:\\Textures\\Pkg.utx");
        const TMenuHandle Menu(LoadMenuA(GetModuleHandleA(nullptr), "POP_PACKAGELIST"));
        HMENU Popup = GetSubMenu(Menu.Get(), 0);
        const std::vector<TBitmapHandle> Bitmaps = PreparePackageListMenu(Popup);
        for (const UINT Position : {0u, 1u, 3u})
            EXPECT_EQ((GetMenuState(Popup, Position, MF_BYPOSITION) & MF_GRAYED) != 0,
                      Empty && Position > 0)
                << Position;

        HMENU Retail = GetSubMenu(Popup, 3);
        ASSERT_EQ(Bitmaps.size(), 5u);
        for (UINT Position = 0; Position < 5; ++Position) {
            MENUITEMINFOA Item{};
            Item.cbSize = sizeof(Item);
            Item.fMask = MIIM_CHECKMARKS;
            GetMenuItemInfoA(Retail, Position, TRUE, &Item);
            EXPECT_EQ(Item.hbmpChecked, Bitmaps[Position].Get()) << Position;
            EXPECT_EQ(Item.hbmpUnchecked, Bitmaps[Position].Get()) << Position;
        }
    }
}

// The menu key sends no point (-1, -1): the menu opens at the list's corner
// instead of the far corner of the screen. A highlighted item shows its help
// text in the status bar, a submenu none.
TEST(PackageMenu, MenuOpensAtTheListsCornerForTheKeyAndItsCommandReachesTheList) {
    TProgramWindow Window;
    AddPackageFile("C:\\Textures\\Pkg.utx");
    RECT Shown{};
    std::string Help;
    const auto Simple = [] { return SendMessageA(App.StatusBar, SB_ISSIMPLE, 0, 0) != 0; };
    const TModalDriver Driver(
        [&](HWND MenuWindow) {
            GetWindowRect(MenuWindow, &Shown);
            const LPARAM Menu = SendMessageA(MenuWindow, MN_GETHMENU, 0, 0);
            SendMessageA(App.PackageList, WM_MENUSELECT, MAKEWPARAM(CMD_CLEAR_LIST, MF_HILITE),
                         Menu);
            Help = Simple() ? StatusText(0) : "";
            SendMessageA(App.PackageList, WM_MENUSELECT, MAKEWPARAM(3, MF_HILITE | MF_POPUP), Menu);
            EXPECT_FALSE(Simple());
            PostMessageA(MenuWindow, WM_CHAR, 'c', 0);
        },
        "#32768");
    SendMessageA(App.PackageList, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(App.PackageList),
                 MAKELPARAM(-1, -1));
    Window.Pump();
    ASSERT_TRUE(Driver.Ran());
    POINT Corner{0, 0};
    ClientToScreen(App.PackageList, &Corner);
    EXPECT_EQ(Shown.left, Corner.x);
    EXPECT_EQ(Shown.top, Corner.y);
    EXPECT_EQ(Help, "Clears the file list");
    EXPECT_TRUE(App.PackageFiles.empty()) << "\"&Clear list\" was not carried out";
}

} // namespace
} // namespace swatchbox::testing
