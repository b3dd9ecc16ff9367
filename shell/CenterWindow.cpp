#include "shell/CenterWindow.h"

#include "shell/MainWindowState.h"

namespace swatchbox {

RECT CenteredRect(const RECT& Reference, const RECT& Window) {
    RECT Result = Window;
    Result.left =
        Reference.left + ((Reference.right - Reference.left) - (Window.right - Window.left)) / 2;
    Result.top =
        Reference.top + ((Reference.bottom - Reference.top) - (Window.bottom - Window.top)) / 2;
    return Result;
}

void CenterWindowRect(HWND Window, bool OverDesktop, RECT& Rect) {
    RECT Reference{};
    GetWindowRect(OverDesktop ? GetDesktopWindow() : App.MainWnd, &Reference);
    RECT Own{};
    GetWindowRect(Window, &Own);
    Rect = CenteredRect(Reference, Own);
}

void CenterOverMainWindow(HWND Window) {
    RECT Rect{};
    CenterWindowRect(Window, false, Rect);
    SetWindowPos(Window, nullptr, Rect.left, Rect.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace swatchbox
