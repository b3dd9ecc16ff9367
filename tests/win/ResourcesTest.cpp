// The help texts of the program's menus, loaded from the module the way the
// program loads them.
#include "resources/ResourceIds.h"
#include "shell/WinHandles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace swatchbox::testing {
namespace {

const HINSTANCE Module = GetModuleHandleA(nullptr);

// Every command of the popup menus and the window menu shows a help text in
// the status bar while it is highlighted.
void CollectCommands(HMENU Menu, std::vector<UINT>& Commands) {
    for (int Position = 0; Position < GetMenuItemCount(Menu); ++Position) {
        if (const HMENU Sub = GetSubMenu(Menu, Position))
            CollectCommands(Sub, Commands);
        else if (!(GetMenuState(Menu, Position, MF_BYPOSITION) & MF_SEPARATOR))
            Commands.push_back(GetMenuItemID(Menu, Position));
    }
}

TEST(Resources, EveryMenuCommandHasAHelpText) {
    std::vector<UINT> Commands{CMD_SYS_HELP, CMD_SYS_ABOUT};
    for (const char* Name : {"POP_PACKAGELIST", "POP_RENDERPANEL"}) {
        const TMenuHandle Menu(LoadMenuA(Module, Name));
        ASSERT_TRUE(Menu) << Name;
        CollectCommands(Menu.Get(), Commands);
    }
    EXPECT_GT(Commands.size(), 10u);
    for (const UINT Id : Commands) {
        char Text[256]{};
        EXPECT_GT(LoadStringA(Module, Id, Text, sizeof(Text)), 0) << Id;
    }
}

} // namespace
} // namespace swatchbox::testing
