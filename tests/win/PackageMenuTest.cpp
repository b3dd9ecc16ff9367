// The package list's popup menu: its preparation, a command chosen from it,
// and the help texts of its items in the status bar.
#include "resources/ResourceIds.h"
#include "shell/MainWindowState.h"
#include "shell/PackageList.h"
#include "shell/PopupMenu.h"
#include "tests/win/DialogDriver.h"
#include "tests/win/ProgramFixture.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace swatchbox::testing {
namespace {

class PackageMenu : public ::testing::Test {
protected:
    HMENU Popup() const { return GetSubMenu(Menu.Get(), 0); }
    bool Greyed(UINT Position) const {
        return (GetMenuState(Popup(), Position, MF_BYPOSITION) & MF_GRAYED) != 0;
    }

    TProgramWindow Window;
    TMenuHandle Menu;
};

TEST_F(PackageMenu, EmptyListGreysClearAndRetailItemsAndEveryGameHasItsSymbol) {
    for (const bool Empty : {true, false}) {
        SCOPED_TRACE(Empty ? "empty list" : "one package");
        if (!Empty)
            AddPackageFile("C:\\Textures\\Pkg.utx");
        Menu.Reset(LoadMenuA(GetModuleHandleA(nullptr), "POP_PACKAGELIST"));
        const std::vector<TBitmapHandle> Bitmaps = PreparePackageListMenu(Popup());
        EXPECT_FALSE(Greyed(0));
        EXPECT_EQ(Greyed(1), Empty);
        EXPECT_EQ(Greyed(3), Empty);

        HMENU Retail = GetSubMenu(Popup(), 3);
        ASSERT_EQ(Bitmaps.size(), 5u);
        for (UINT Position = 0; Position < 5; ++Position) {
            MENUITEMINFOA Item{};
            Item.cbSize = sizeof(Item);
            Item.fMask = MIIM_CHECKMARKS;
            GetMenuItemInfoA(Retail, Position, TRUE, &Item);
            EXPECT_NE(Item.hbmpUnchecked, nullptr);
            EXPECT_EQ(Item.hbmpChecked, Bitmaps[Position].Get()) << Position;
            EXPECT_EQ(Item.hbmpUnchecked, Bitmaps[Position].Get()) << Position;
        }
    }
}

// The menu key sends no point (-1, -1): the menu opens at the list's corner
// instead of the far corner of the screen. A highlighted item shows its help
// text in the status bar, a submenu none.
TEST_F(PackageMenu, MenuOpensAtTheListsCornerForTheKeyAndItsCommandReachesTheList) {
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
