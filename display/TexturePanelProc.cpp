#include "display/TexturePanelProc.h"

#include "display/Clipboard.h"
#include "display/PanelRendering.h"
#include "display/PreviewWindow.h"
#include "export/ExportAsIs.h"
#include "export/ExportDialog.h"
#include "export/ExportFormatted.h"
#include "resources/ResourceIds.h"
#include "shell/ColorDialog.h"
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

void OnLeftButtonDown(HWND Window, LPARAM LParam) {
    HitTestPanel(LOWORD(LParam), HIWORD(LParam));
    SetFocus(Window);
}

void OnLeftButtonDoubleClick() {
    if (SelectedTexture())
        OpenPreview();
}

// The menu opens where the mouse was; the menu key (-1, -1) keeps the
// selection and opens it at the panel's corner.
void OnContextMenu(HWND Window, LPARAM LParam) {
    POINT Point{GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam)};
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
void OnMouseMove(HWND Window) {
    HWND Active = GetActiveWindow();
    if (Active == App.MainWnd)
        SendMessageA(Window, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(Active));
}

void OnMouseWheel(HWND Window, WPARAM WParam) {
    // Turned away from the user: up, or larger with Ctrl.
    const int Delta = GET_WHEEL_DELTA_WPARAM(WParam);
    if (GET_KEYSTATE_WPARAM(WParam) == MK_CONTROL)
        SendSizeStep(Window, Delta > 0);
    else if (Delta != 0)
        ScrollByPage(Window, Delta < 0);
}

void OnKeyDown(HWND Window, WPARAM Key) {
    if (Key == VK_ADD)
        SendSizeStep(Window, true);
    else if (Key == VK_SUBTRACT)
        SendSizeStep(Window, false);
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

// Items that can't be chosen show no help text.
void OnMenuSelect(WPARAM WParam, LPARAM LParam) {
    constexpr UINT NoHelpFlags = MF_POPUP | MF_SEPARATOR | MF_GRAYED | MF_DISABLED;
    if (HIWORD(WParam) & NoHelpFlags)
        EndMenuItemHelp();
    else
        ShowMenuItemHelp(WParam, LParam);
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
}

void OnCommand(int Command) {
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
    case CMD_COLOR_BACKGROUND:
        Settings.BackgroundColor = ChoosePanelColor(Command, Settings.BackgroundColor);
        break;
    case CMD_COLOR_SELECTION:
        Settings.SelectionColor = ChoosePanelColor(Command, Settings.SelectionColor);
        break;
    case CMD_COLOR_TEXT:
        Settings.TextColor = ChoosePanelColor(Command, Settings.TextColor);
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

// Where frames are copied into the panel, the panel paints itself while it
// shows textures: the button would otherwise fill it with its background.
bool PanelPaintsItself() {
    return App.PanelPresenter.CopiesFrames() && !App.ShownTextures.empty();
}

// The scroll bar comes and goes with the scroll range, which changes the
// client width without the main window being resized: the projection and the
// frame follow the panel's own size.
void OnSize() {
    if (App.PanelGLContext && !IsIconic(App.MainWnd))
        SetPanelProjection();
}

// The last frame again, or a new one when the panel's size has changed since.
void OnPaint(HWND Window) {
    PAINTSTRUCT Paint{};
    const HDC Target = BeginPaint(Window, &Paint);
    if (Target && !App.PanelPresenter.PresentAgain(Target))
        RenderTexturePanel();
    EndPaint(Window, &Paint);
}

} // namespace

LRESULT CALLBACK TexturePanelProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
    switch (Message) {
    case WM_LBUTTONDOWN:
        OnLeftButtonDown(Window, LParam);
        return 0;
    case WM_LBUTTONDBLCLK:
        OnLeftButtonDoubleClick();
        return 0;
    case WM_CONTEXTMENU:
        OnContextMenu(Window, LParam);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(Window);
        return 0;
    case WM_MOUSEWHEEL:
        OnMouseWheel(Window, WParam);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(Window, WParam);
        return 0;
    case WM_VSCROLL:
        OnVerticalScroll(Window, WParam);
        return 0;
    case WM_MENUSELECT:
        OnMenuSelect(WParam, LParam);
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(WParam));
        return 0;
    case WM_SIZE:
        OnSize();
        break;
    case WM_ERASEBKGND:
        if (PanelPaintsItself())
            return 1;
        break;
    case WM_PAINT:
        if (PanelPaintsItself()) {
            OnPaint(Window);
            return 0;
        }
        break;
    default:
        break;
    }
    if (!App.OldTexturePanelProc)
        return DefWindowProcA(Window, Message, WParam, LParam);
    return CallWindowProcA(App.OldTexturePanelProc, Window, Message, WParam, LParam);
}

} // namespace swatchbox
