#include "display/TexturePanelProc.h"

#include "display/PanelRendering.h"
#include "resources/ResourceIds.h"
#include "shell/MainWindowState.h"
#include "shell/Settings.h"

#include <algorithm>

namespace swatchbox {

namespace {

// The size command one step up or down from the present size; 0 for a size
// the panel's menu does not offer.
int SizeStepCommand(bool Up) {
    switch (Settings.TextureSize) {
    case 128:
        return Up ? CMD_SIZE_256 : CMD_SIZE_128;
    case 256:
        return Up ? CMD_SIZE_512 : CMD_SIZE_128;
    case 512:
        return Up ? CMD_SIZE_512 : CMD_SIZE_256;
    default:
        return 0;
    }
}

// The panel's scroll bar as it is now, into PanelScroll.
SCROLLINFO& ReadPanelScroll(HWND Window) {
    App.PanelScroll.cbSize = sizeof(App.PanelScroll);
    App.PanelScroll.fMask = SIF_ALL;
    GetScrollInfo(Window, SB_VERT, &App.PanelScroll);
    return App.PanelScroll;
}

// Sets the position, kept within the range, and redraws the scroll bar.
// PanelScroll then holds what the bar made of it, so a click before the next
// drawing pass is tested against the content as it will be shown.
void ApplyPanelScroll(HWND Window, int Position) {
    App.PanelScroll.nPos = std::clamp(Position, App.PanelScroll.nMin, App.PanelScroll.nMax);
    SetScrollInfo(Window, SB_VERT, &App.PanelScroll, TRUE);
    ReadPanelScroll(Window);
}

// One line and one page are both one row of cells.
void ScrollByPage(HWND Window, bool Down) {
    const SCROLLINFO& Scroll = ReadPanelScroll(Window);
    const int Page = static_cast<int>(Scroll.nPage);
    ApplyPanelScroll(Window, Down ? Scroll.nPos + Page : Scroll.nPos - Page);
}

void OnLeftButtonDown(HWND Window, LPARAM LParam) {
    HitTestPanel(LOWORD(LParam), HIWORD(LParam));
    SetFocus(Window);
}

void OnVerticalScroll(HWND Window, WPARAM WParam) {
    switch (LOWORD(WParam)) {
    case SB_LINEUP:
    case SB_PAGEUP:
        ScrollByPage(Window, false);
        break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN:
        ScrollByPage(Window, true);
        break;
    case SB_THUMBTRACK:
        ApplyPanelScroll(Window, ReadPanelScroll(Window).nTrackPos);
        break;
    default:
        // Releasing the thumb changes nothing more: tracking already moved it.
        break;
    }
}

void OnMouseWheel(HWND Window, WPARAM WParam) {
    // Turned away from the user: up, or larger with Ctrl.
    const int Delta = GET_WHEEL_DELTA_WPARAM(WParam);
    if (GET_KEYSTATE_WPARAM(WParam) == MK_CONTROL) {
        if (const int Command = SizeStepCommand(Delta > 0))
            SendMessageA(Window, WM_COMMAND, Command, 0);
    } else if (Delta != 0) {
        ScrollByPage(Window, Delta < 0);
    }
}

} // namespace

LRESULT CALLBACK TexturePanelProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
    switch (Message) {
    case WM_LBUTTONDOWN:
        OnLeftButtonDown(Window, LParam);
        return 0;
    case WM_VSCROLL:
        OnVerticalScroll(Window, WParam);
        return 0;
    case WM_MOUSEWHEEL:
        OnMouseWheel(Window, WParam);
        return 0;
    default:
        break;
    }
    if (!App.OldTexturePanelProc)
        return DefWindowProcA(Window, Message, WParam, LParam);
    return CallWindowProcA(App.OldTexturePanelProc, Window, Message, WParam, LParam);
}

} // namespace swatchbox
