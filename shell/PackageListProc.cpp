#include "package/PackageNames.h"
#include "resources/ResourceIds.h"
#include "shell/FolderDialog.h"
#include "shell/Games.h"
#include "shell/MainWindowState.h"
#include "shell/PackageList.h"
#include "shell/PopupMenu.h"
#include "shell/StatusText.h"

#include <windowsx.h>

namespace swatchbox {

namespace {

LRESULT PassOn(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
    return CallWindowProcA(App.OldPackageListProc, Window, Message, WParam, LParam);
}

LRESULT OnSize(HWND Window) {
    ShowScrollBar(Window, SB_HORZ, FALSE);
    return 0;
}

// Coordinates are signed (screens left of or above the primary one); a menu
// asked for by the keyboard comes without a point and opens at the list's
// top-left corner.
LRESULT OnContextMenu(HWND Window, LPARAM LParam) {
    POINT At{GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam)};
    if (At.x == -1 && At.y == -1) {
        At = {0, 0};
        ClientToScreen(Window, &At);
    }
    ShowPopupMenu("POP_PACKAGELIST", At.x, At.y, Window);
    return 0;
}

void AddChosenFolder() {
    std::string Folder;
    if (BrowseForPackageFolder(Folder))
        AddFolderFiles(WithoutTrailingSeparator(Folder), true);
}

void MarkRetailPackages(int Command) {
    App.RetailMarker = Command;
    SendMessageA(App.PackageList, LVM_REDRAWITEMS, 0, static_cast<LPARAM>(App.PackageFiles.size()));
}

LRESULT OnCommand(WPARAM WParam) {
    const int Command = LOWORD(WParam);
    if (Command == CMD_ADD_FILES)
        AddChosenFolder();
    else if (Command == CMD_CLEAR_LIST)
        ClearPackageList();
    else if (IsRetailCommand(Command))
        MarkRetailPackages(Command);
    return 0;
}

// While a menu item is highlighted the status bar shows its help text.
LRESULT OnMenuSelect(WPARAM WParam, LPARAM LParam) {
    if (HIWORD(WParam) & (MF_POPUP | MF_SEPARATOR | MF_GRAYED | MF_DISABLED))
        EndMenuItemHelp();
    else
        ShowMenuItemHelp(WParam, LParam);
    return 0;
}

LRESULT OnMouseMove(HWND Window) {
    HWND Active = GetActiveWindow();
    if (Active == App.MainWnd)
        SendMessageA(Window, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(Active));
    return 0;
}

} // namespace

LRESULT CALLBACK PackageListProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
    switch (Message) {
    case WM_SIZE:
        return OnSize(Window);
    case WM_CONTEXTMENU:
        return OnContextMenu(Window, LParam);
    case WM_COMMAND:
        return OnCommand(WParam);
    case WM_MENUSELECT:
        return OnMenuSelect(WParam, LParam);
    case WM_MOUSEMOVE:
        return OnMouseMove(Window);
    default:
        return PassOn(Window, Message, WParam, LParam);
    }
}

} // namespace swatchbox
