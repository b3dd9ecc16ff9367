#include "shell/StatusText.h"

#include "shell/MainWindowState.h"

#include <commctrl.h>

namespace swatchbox {

void SetStatusText(int Part, const std::string& Text, TStatusAlignment Alignment) {
    if (Part == -1) {
        for (int Each = 0; Each < 3; ++Each)
            SendMessageA(App.StatusBar, SB_SETTEXTA, Each, reinterpret_cast<LPARAM>(""));
        return;
    }
    // The status bar centres text after one tab and right-aligns it after two.
    const std::string Shown = std::string(static_cast<std::size_t>(Alignment), '\t') + Text;
    SendMessageA(App.StatusBar, SB_SETTEXTA, Part, reinterpret_cast<LPARAM>(Shown.c_str()));
}

void ShowMenuItemHelp(HMENU Menu, int Item, UINT Flags) {
    if (Flags & (MF_POPUP | MF_SEPARATOR | MF_GRAYED | MF_DISABLED)) {
        EndMenuItemHelp();
        return;
    }
    UINT Ids[2] = {0, 0};
    const WPARAM WParam = MAKEWPARAM(static_cast<WORD>(Item), static_cast<WORD>(Flags));
    MenuHelp(WM_MENUSELECT, WParam, reinterpret_cast<LPARAM>(Menu), Menu, App.Instance,
             App.StatusBar, Ids);
}

void EndMenuItemHelp() {
    SendMessageA(App.StatusBar, SB_SIMPLE, FALSE, 0);
}

} // namespace swatchbox
