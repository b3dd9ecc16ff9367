#include "shell/MainWindow.h"

#include "display/Clipboard.h"
#include "display/PanelRendering.h"
#include "resources/ResourceIds.h"
#include "shell/AboutBox.h"
#include "shell/Help.h"
#include "shell/MainWindowState.h"
#include "shell/PackageAnalysis.h"
#include "shell/PackageList.h"
#include "shell/StatusText.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

namespace swatchbox {

namespace {

bool IsMinimised() {
    return IsIconic(App.MainWnd) != FALSE;
}

LRESULT OnSize() {
    LayoutMainWindow();
    if (!IsMinimised()) {
        if (!App.ShownTextures.empty())
            UpdatePanelScrollRange();
        SetPanelProjection();
    }
    return 0;
}

LRESULT OnGetMinMaxInfo(LPARAM LParam) {
    auto* Info = reinterpret_cast<MINMAXINFO*>(LParam);
    Info->ptMinTrackSize = {800, 400};
    return 0;
}

LRESULT OnNotify(LPARAM LParam) {
    const auto& Header = *reinterpret_cast<const NMHDR*>(LParam);
    if (Header.hwndFrom == App.PackageList &&
        (Header.code == LVN_GETDISPINFOA || Header.code == NM_CLICK))
        OnPackageListNotify(Header);
    return 0;
}

LRESULT OnCommand(WPARAM WParam, LPARAM LParam) {
    const auto Source = reinterpret_cast<HWND>(LParam);
    const WORD Code = HIWORD(WParam);
    if (Code == 1 && LOWORD(WParam) == CMD_HELP_KEY)
        SendMessageA(App.MainWnd, WM_SYSCOMMAND, CMD_SYS_HELP, 0);
    else if (Code == 1 && LOWORD(WParam) == CMD_COPY_KEY)
        CopyTextureToClipboard();
    else if (Source == App.GameCombo && Code == CBN_SELCHANGE)
        OnGameChoice();
    else if (Source == App.GroupCombo && Code == CBN_SELCHANGE)
        OnGroupChoice();
    else if (Source == App.GroupLabel && Code == STN_CLICKED)
        OnGroupLabelClick();
    return 0;
}

LRESULT OnSysCommand(HWND Window, WPARAM WParam, LPARAM LParam) {
    if (WParam == CMD_SYS_HELP)
        OpenHelp();
    else if (WParam == CMD_SYS_ABOUT)
        ShowAboutBox();
    return DefWindowProcA(Window, WM_SYSCOMMAND, WParam, LParam);
}

// A frame only when something shown has changed and no paint has drawn it yet.
LRESULT OnTimer(WPARAM WParam) {
    if (WParam == RenderTimerId && App.PanelNeedsFrame && !IsMinimised())
        RenderTexturePanel();
    return 0;
}

LRESULT OnMenuSelect(WPARAM WParam, LPARAM LParam) {
    const UINT Item = LOWORD(WParam);
    const UINT Flags = HIWORD(WParam);
    const bool HasHelp = Item == CMD_SYS_HELP || Item == CMD_SYS_ABOUT;
    if (HasHelp && !(Flags & (MF_POPUP | MF_SEPARATOR | MF_GRAYED | MF_DISABLED)))
        ShowMenuItemHelp(WParam, LParam);
    else
        EndMenuItemHelp();
    return 0;
}

LRESULT OnCtlColorButton(LPARAM LParam) {
    if (reinterpret_cast<HWND>(LParam) == App.TexturePanel)
        return reinterpret_cast<LRESULT>(App.PanelBrush.Get());
    return 0;
}

// Paths are read at their full length, whatever it is.
LRESULT OnDropFiles(WPARAM WParam) {
    const auto Drop = reinterpret_cast<HDROP>(WParam);
    const UINT Count = DragQueryFileA(Drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT Index = 0; Index < Count; ++Index) {
        const UINT Length = DragQueryFileA(Drop, Index, nullptr, 0);
        std::string Path(Length + 1, '\0');
        Path.resize(DragQueryFileA(Drop, Index, Path.data(), Length + 1));
        AddPackageFile(Path);
    }
    DragFinish(Drop);
    return 0;
}

} // namespace

LRESULT CALLBACK MainWindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
    switch (Message) {
    case WM_CREATE:
        return OnMainWindowCreate(Window);
    case WM_DESTROY:
        return OnMainWindowDestroy(Window, WParam);
    case WM_SIZE:
        return OnSize();
    case WM_GETMINMAXINFO:
        return OnGetMinMaxInfo(LParam);
    case WM_NOTIFY:
        return OnNotify(LParam);
    case WM_COMMAND:
        return OnCommand(WParam, LParam);
    case WM_SYSCOMMAND:
        return OnSysCommand(Window, WParam, LParam);
    case WM_TIMER:
        return OnTimer(WParam);
    case WM_MENUSELECT:
        return OnMenuSelect(WParam, LParam);
    case WM_CTLCOLORBTN:
        return OnCtlColorButton(LParam);
    case WM_DROPFILES:
        return OnDropFiles(WParam);
    default:
        return DefWindowProcA(Window, Message, WParam, LParam);
    }
}

} // namespace swatchbox
