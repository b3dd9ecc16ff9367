#include "display/TexturePanelProc.h"

#include "display/Clipboard.h"
#include "display/PanelRendering.h"
#include "display/PreviewWindow.h"
#include "export/ExportAsIs.h"
#include "export/ExportDialog.h"
#include "export/ExportFormatted.h"
#include "resources/ResourceIds.h"
#include "shell/ColorDialog.h"
#include "shell/ExportAll.h"
#include "shell/FontDialog.h"
#include "shell/MainWindowState.h"
#include "shell/PackageAnalysis.h"
#include "shell/PopupMenu.h"
#include "shell/Settings.h"
#include "shell/StatusText.h"

#include <windowsx.h>

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

void SendSizeStep(HWND Window, bool Up) {
    if (const int Command = SizeStepCommand(Up))
        SendMessageA(Window, WM_COMMAND, Command, 0);
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
    InvalidatePanelFrame();
}

// One line and one page are both one row of cells.
void ScrollByPage(HWND Window, bool Down) {
    const SCROLLINFO& Scroll = ReadPanelScroll(Window);
    const int Page = static_cast<int>(Scroll.nPage);
    ApplyPanelScroll(Window, Down ? Scroll.nPos + Page : Scroll.nPos - Page);
}

// The selected texture, or none when the selection is outside the shown set.
TTextureObject* SelectedTexture() {
    const auto Index = App.SelectedIndex;
    if (Index < 0 || static_cast<std::size_t>(Index) >= App.ShownTextures.size())
        return nullptr;
    return App.ShownTextures[static_cast<std::size_t>(Index)];
}

// A double-click selects with its first press and opens the preview with the second.
void OnLeftButtonDown(HWND Window, BOOL DoubleClick, int X, int Y, UINT) {
    if (DoubleClick) {
        if (SelectedTexture())
            OpenPreview();
        return;
    }
    HitTestPanel(X, Y);
    SetFocus(Window);
}

// The menu opens where the mouse was; the menu key (-1, -1) keeps the
// selection and opens it at the panel's corner. The cracker hands the
// coordinates over unsigned, and screens left of or above the primary one
// have negative ones.
void OnContextMenu(HWND Window, HWND, UINT X, UINT Y) {
    POINT Point{static_cast<short>(X), static_cast<short>(Y)};
    if (Point.x == -1 && Point.y == -1) {
        Point = {0, 0};
        ClientToScreen(Window, &Point);
    } else {
        POINT Client = Point;
        ScreenToClient(Window, &Client);
        HitTestPanel(Client.x, Client.y);
    }
    ShowPopupMenu("POP_RENDERPANEL", Point.x, Point.y, Window);
}

// Hovering gives the panel the keyboard focus, so that wheel and keys reach it.
void OnMouseMove(HWND Window, int, int, UINT) {
    HWND Active = GetActiveWindow();
    if (Active == App.MainWnd)
        SendMessageA(Window, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(Active));
}

// Turned away from the user: up, or larger with Ctrl.
void OnMouseWheel(HWND Window, int, int, int Delta, UINT Keys) {
    if (Keys == MK_CONTROL)
        SendSizeStep(Window, Delta > 0);
    else if (Delta != 0)
        ScrollByPage(Window, Delta < 0);
}

void OnKeyDown(HWND Window, UINT Key, BOOL, int, UINT) {
    if (Key == VK_ADD)
        SendSizeStep(Window, true);
    else if (Key == VK_SUBTRACT)
        SendSizeStep(Window, false);
}

void OnVerticalScroll(HWND Window, HWND, UINT Code, int) {
    switch (Code) {
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

void OnMenuSelect(HWND, HMENU Menu, int Item, HMENU, UINT Flags) {
    ShowMenuItemHelp(Menu, Item, Flags);
}

void ExportSelected(int Command) {
    TTextureObject* Texture = SelectedTexture();
    if (!Texture)
        return;
    std::string FileType;
    int32_t BitCount = 0;
    std::string FileName;
    ChooseExportFile(Command, FileType, BitCount, FileName);
    if (FileName.empty())
        return;
    // "Export all shown" starts where the last export went.
    if (const std::size_t Separator = FileName.find_last_of("\\/"); Separator != std::string::npos)
        App.ExportAll.LastFolder = FileName.substr(0, Separator);
    if (Command == CMD_EXPORT_AS_IS)
        ExportAsIs(*Texture, FileName, *App.Reporter);
    else
        ExportFormatted(*Texture, FileName, FileType, BitCount, *App.Reporter);
}

void SetTextureSize(int Command) {
    Settings.TextureSize = (Command - 11020) * 128;
    App.CellWidth = static_cast<float>(Settings.TextureSize + 16);
    App.CellHeight = static_cast<float>(Settings.TextureSize + 80);
    UpdatePanelScrollRange();
    App.SelectedIndex = -1;
    InvalidatePanelFrame();
}

void OnCommand(HWND, int Command, HWND, UINT) {
    switch (Command) {
    case CMD_PREVIEW:
        if (SelectedTexture())
            OpenPreview();
        break;
    case CMD_EXPORT_AS_IS:
    case CMD_EXPORT_FORMATTED:
        ExportSelected(Command);
        break;
    case CMD_COPY:
        CopyTextureToClipboard();
        break;
    case CMD_FONT:
        ChoosePanelFont();
        break;
    case CMD_EXPORT_ALL:
        StartExportAll();
        break;
    case CMD_COLOR_BACKGROUND:
        Settings.BackgroundColor = ChoosePanelColor(Command, Settings.BackgroundColor);
        InvalidatePanelFrame();
        break;
    case CMD_COLOR_SELECTION:
        Settings.SelectionColor = ChoosePanelColor(Command, Settings.SelectionColor);
        InvalidatePanelFrame();
        break;
    case CMD_COLOR_TEXT:
        Settings.TextColor = ChoosePanelColor(Command, Settings.TextColor);
        InvalidatePanelFrame();
        break;
    case CMD_SIZE_128:
    case CMD_SIZE_256:
    case CMD_SIZE_512:
        SetTextureSize(Command);
        break;
    default:
        break;
    }
}

// While it shows textures the panel paints itself: the button would
// otherwise fill it with its background.
bool PanelPaintsItself() {
    return !App.ShownTextures.empty();
}

// What the panel doesn't handle itself goes to the button it subclasses.
LRESULT PassOn(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
    if (!App.OldTexturePanelProc)
        return DefWindowProcA(Window, Message, WParam, LParam);
    return CallWindowProcA(App.OldTexturePanelProc, Window, Message, WParam, LParam);
}

// The scroll bar comes and goes with the scroll range, which changes the
// client width without the main window being resized: the projection and the
// frame follow the panel's own size.
void OnSize(HWND Window, UINT State, int Width, int Height) {
    if (App.PanelGLContext && !IsIconic(App.MainWnd))
        SetPanelProjection();
    FORWARD_WM_SIZE(Window, State, Width, Height, PassOn);
}

BOOL OnEraseBackground(HWND Window, HDC Target) {
    if (PanelPaintsItself())
        return TRUE;
    return static_cast<BOOL>(FORWARD_WM_ERASEBKGND(Window, Target, PassOn));
}

// A new frame when something shown has changed. Otherwise the last frame
// again where it is kept (under Wine), and a new one where it isn't: after a
// buffer swap the back buffer holds nothing to show again.
void OnPaint(HWND Window) {
    if (!PanelPaintsItself()) {
        FORWARD_WM_PAINT(Window, PassOn);
        return;
    }
    PAINTSTRUCT Paint{};
    const HDC Target = BeginPaint(Window, &Paint);
    if (Target && (App.PanelNeedsFrame || !App.PanelPresenter.PresentAgain(Target)))
        RenderTexturePanel();
    EndPaint(Window, &Paint);
}

} // namespace

// The message crackers of windowsx.h expect the parameters as wParam and lParam.
LRESULT CALLBACK TexturePanelProc(HWND Window, UINT Message, WPARAM wParam, LPARAM lParam) {
    switch (Message) {
        HANDLE_MSG(Window, WM_LBUTTONDOWN, OnLeftButtonDown);
        HANDLE_MSG(Window, WM_LBUTTONDBLCLK, OnLeftButtonDown);
        HANDLE_MSG(Window, WM_CONTEXTMENU, OnContextMenu);
        HANDLE_MSG(Window, WM_MOUSEMOVE, OnMouseMove);
        HANDLE_MSG(Window, WM_MOUSEWHEEL, OnMouseWheel);
        HANDLE_MSG(Window, WM_KEYDOWN, OnKeyDown);
        HANDLE_MSG(Window, WM_VSCROLL, OnVerticalScroll);
        HANDLE_MSG(Window, WM_MENUSELECT, OnMenuSelect);
        HANDLE_MSG(Window, WM_COMMAND, OnCommand);
        HANDLE_MSG(Window, WM_SIZE, OnSize);
        HANDLE_MSG(Window, WM_ERASEBKGND, OnEraseBackground);
        HANDLE_MSG(Window, WM_PAINT, OnPaint);
    default:
        return PassOn(Window, Message, wParam, lParam);
    }
}

} // namespace swatchbox
