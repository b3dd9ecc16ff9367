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
    PackageMenu() : Menu(LoadMenuA(GetModuleHandleA(nullptr), "POP_PACKAGELIST")) {}

    HMENU Popup() const { return GetSubMenu(Menu.Get(), 0); }
    bool Greyed(UINT Position) const {
        return (GetMenuState(Popup(), Position, MF_BYPOSITION) & MF_GRAYED) != 0;
    }

    TProgramWindow Window;
    TMenuHandle Menu;
};

TEST_F(PackageMenu, EmptyListGreysClearAndRetailItemsAndEveryGameHasItsSymbol) {
    ASSERT_TRUE(Popup());
    {
        const std::vector<TBitmapHandle> Bitmaps = PreparePackageListMenu(Popup());
        EXPECT_FALSE(Greyed(0));
        EXPECT_TRUE(Greyed(1));
        EXPECT_TRUE(Greyed(3));

        HMENU Retail = GetSubMenu(Popup(), 3);
        ASSERT_EQ(Bitmaps.size(), 5u);
        for (UINT Position = 0; Position < 5; ++Position) {
            MENUITEMINFOA Item{};
            Item.cbSize = sizeof(Item);
            Item.fMask = MIIM_CHECKMARKS;
            GetMenuItemInfoA(Retail, Position, TRUE, &Item);
            EXPECT_NE(Item.hbmpChecked, nullptr);
            EXPECT_EQ(Item.hbmpChecked, Bitmaps[Position].Get()) << Position;
            EXPECT_EQ(Item.hbmpUnchecked, Bitmaps[Position].Get()) << Position;
        }
    }

    AddPackageFile("C:\\Textures\\Pkg.utx");
    Menu.Reset(LoadMenuA(GetModuleHandleA(nullptr), "POP_PACKAGELIST"));
    PreparePackageListMenu(Popup());
    EXPECT_FALSE(Greyed(1));
    EXPECT_FALSE(Greyed(3));
}

// The menu key sends no point (-1, -1): the menu opens at the list's corner
// instead of the far corner of the screen.
TEST_F(PackageMenu, MenuOpensAtTheListsCornerForTheKeyAndItsCommandReachesTheList) {
    AddPackageFile("C:\\Textures\\Pkg.utx");
    RECT Shown{};
    const TModalDriver Driver(
        [&](HWND MenuWindow) {
            GetWindowRect(MenuWindow, &Shown);
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
    EXPECT_TRUE(App.PackageFiles.empty()) << "\"&Clear list\" was not carried out";
}

TEST_F(PackageMenu, HighlightedItemShowsItsHelpTextInTheStatusBar) {
    const auto Select = [&](UINT Item, UINT Flags, HMENU Menu) {
        SendMessageA(App.PackageList, WM_MENUSELECT, MAKEWPARAM(Item, Flags),
                     reinterpret_cast<LPARAM>(Menu));
    };
    const auto Simple = [] { return SendMessageA(App.StatusBar, SB_ISSIMPLE, 0, 0) != 0; };
    Select(CMD_CLEAR_LIST, MF_HILITE, Popup());
    EXPECT_TRUE(Simple());
    EXPECT_EQ(StatusText(0), "Clears the file list");
    Select(CMD_RETAIL_UT99, MF_HILITE, GetSubMenu(Popup(), 3));
    EXPECT_EQ(StatusText(0), "Puts a symbol next to every retail *.utx package of UT99");

    Select(3, MF_HILITE | MF_POPUP, Popup());
    EXPECT_FALSE(Simple());
    // The menu closing.
    Select(CMD_CLEAR_LIST, MF_HILITE, Popup());
    Select(0, 0xFFFF, nullptr);
    EXPECT_FALSE(Simple());
}

} // namespace
} // namespace swatchbox::testing
