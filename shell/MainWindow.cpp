#include "shell/MainWindow.h"

#include "display/Clipboard.h"
#include "display/PanelRendering.h"
#include "resources/ResourceIds.h"
#include "shell/AboutBox.h"
#include "shell/ExportAll.h"
#include "shell/Help.h"
#include "shell/MainWindowState.h"
#include "shell/PackageAnalysis.h"
#include "shell/PackageList.h"
#include "shell/StatusText.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <string>

namespace swatchbox {

namespace {

bool IsMinimised() {
    return IsIconic(App.MainWnd) != FALSE;
}

void OnSize(HWND, UINT, int, int) {
    LayoutMainWindow();
    if (!IsMinimised()) {
        if (!App.ShownTextures.empty())
            UpdatePanelScrollRange();
        SetPanelProjection();
    }
}

void OnGetMinMaxInfo(HWND, MINMAXINFO* Info) {
    Info->ptMinTrackSize = {800, 400};
}

LRESULT OnNotify(HWND, int, NMHDR* Header) {
    if (Header->hwndFrom == App.PackageList &&
        (Header->code == LVN_GETDISPINFOA || Header->code == NM_CLICK))
        OnPackageListNotify(*Header);
    else if (Header->hwndFrom == App.StatusBar && Header->code == NM_CLICK)
        StopExportAll();
    return 0;
}

// Code 1: a command from the accelerator table.
void OnCommand(HWND, int Id, HWND Source, UINT Code) {
    if (Code == 1 && Id == CMD_HELP_KEY)
        SendMessageA(App.MainWnd, WM_SYSCOMMAND, CMD_SYS_HELP, 0);
    else if (Code == 1 && Id == CMD_COPY_KEY)
        CopyTextureToClipboard();
    else if (Code == 1 && Id == CMD_STOP_EXPORT_KEY)
        StopExportAll();
    else if (Source == App.GameCombo && Code == CBN_SELCHANGE)
        OnGameChoice();
    else if (Source == App.GroupCombo && Code == CBN_SELCHANGE)
        OnGroupChoice();
    else if (Source == App.GroupLabel && Code == STN_CLICKED)
        OnGroupLabelClick();
}

void OnSysCommand(HWND Window, UINT Command, int X, int Y) {
    if (Command == CMD_SYS_HELP)
        OpenHelp();
    else if (Command == CMD_SYS_ABOUT)
        ShowAboutBox();
    FORWARD_WM_SYSCOMMAND(Window, Command, X, Y, DefWindowProcA);
}

// A frame only when something shown has changed and no paint has drawn it yet.
void OnTimer(HWND, UINT Id) {
    if (Id == ExportTimerId)
        OnExportTimer();
    else if (Id == RenderTimerId && App.PanelNeedsFrame && !IsMinimised())
        RenderTexturePanel();
}

// Only the two items of the system menu have help texts of their own.
void OnMenuSelect(HWND, HMENU Menu, int Item, HMENU, UINT Flags) {
    if (Item == CMD_SYS_HELP || Item == CMD_SYS_ABOUT)
        ShowMenuItemHelp(Menu, Item, Flags);
    else
        EndMenuItemHelp();
}

HBRUSH OnCtlColorButton(HWND, HDC, HWND Control, int) {
    return Control == App.TexturePanel ? App.PanelBrush.Get() : nullptr;
}

// Paths are read at their full length, whatever it is.
void OnDropFiles(HWND, HDROP Drop) {
    const UINT Count = DragQueryFileA(Drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT Index = 0; Index < Count; ++Index) {
        const UINT Length = DragQueryFileA(Drop, Index, nullptr, 0);
        std::string Path(Length + 1, '\0');
        Path.resize(DragQueryFileA(Drop, Index, Path.data(), Length + 1));
        AddPackageFile(Path);
    }
    DragFinish(Drop);
}

} // namespace

// The message crackers of windowsx.h expect the parameters as wParam and lParam.
LRESULT CALLBACK MainWindowProc(HWND Window, UINT Message, WPARAM wParam, LPARAM lParam) {
    switch (Message) {
        HANDLE_MSG(Window, WM_CREATE, OnMainWindowCreate);
        HANDLE_MSG(Window, WM_SIZE, OnSize);
        HANDLE_MSG(Window, WM_GETMINMAXINFO, OnGetMinMaxInfo);
        HANDLE_MSG(Window, WM_NOTIFY, OnNotify);
        HANDLE_MSG(Window, WM_COMMAND, OnCommand);
        HANDLE_MSG(Window, WM_SYSCOMMAND, OnSysCommand);
        HANDLE_MSG(Window, WM_TIMER, OnTimer);
        HANDLE_MSG(Window, WM_MENUSELECT, OnMenuSelect);
        HANDLE_MSG(Window, WM_CTLCOLORBTN, OnCtlColorButton);
        HANDLE_MSG(Window, WM_DROPFILES, OnDropFiles);
    // The cracker drops wParam, and WM_DESTROY's wParam 1 asks for a plain quit.
    case WM_DESTROY:
        return OnMainWindowDestroy(Window, wParam);
    default:
        return DefWindowProcA(Window, Message, wParam, lParam);
    }
}

} // namespace swatchbox
