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

void OnSize(HWND Window, UINT, int, int) {
    ShowScrollBar(Window, SB_HORZ, FALSE);
}

// Coordinates are signed (screens left of or above the primary one); a menu
// asked for by the keyboard comes without a point and opens at the list's
// top-left corner. The cracker hands the coordinates over unsigned.
void OnContextMenu(HWND Window, HWND, UINT X, UINT Y) {
    POINT At{static_cast<short>(X), static_cast<short>(Y)};
    if (At.x == -1 && At.y == -1) {
        At = {0, 0};
        ClientToScreen(Window, &At);
    }
    ShowPopupMenu("POP_PACKAGELIST", At.x, At.y, Window);
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

void OnCommand(HWND, int Command, HWND, UINT) {
    if (Command == CMD_ADD_FILES)
        AddChosenFolder();
    else if (Command == CMD_CLEAR_LIST)
        ClearPackageList();
    else if (IsRetailCommand(Command))
        MarkRetailPackages(Command);
}

// While a menu item is highlighted the status bar shows its help text.
void OnMenuSelect(HWND, HMENU Menu, int Item, HMENU, UINT Flags) {
    ShowMenuItemHelp(Menu, Item, Flags);
}

void OnMouseMove(HWND Window, int, int, UINT) {
    HWND Active = GetActiveWindow();
    if (Active == App.MainWnd)
        SendMessageA(Window, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(Active));
}

} // namespace

// The message crackers of windowsx.h expect the parameters as wParam and lParam.
LRESULT CALLBACK PackageListProc(HWND Window, UINT Message, WPARAM wParam, LPARAM lParam) {
    switch (Message) {
        HANDLE_MSG(Window, WM_SIZE, OnSize);
        HANDLE_MSG(Window, WM_CONTEXTMENU, OnContextMenu);
        HANDLE_MSG(Window, WM_COMMAND, OnCommand);
        HANDLE_MSG(Window, WM_MENUSELECT, OnMenuSelect);
        HANDLE_MSG(Window, WM_MOUSEMOVE, OnMouseMove);
    default:
        return PassOn(Window, Message, wParam, lParam);
    }
}

} // namespace swatchbox
