#include "shell/AboutBox.h"

#include "resources/ResourceIds.h"
#include "shell/CenterWindow.h"
#include "shell/MainWindowState.h"
#include "shell/Settings.h"
#include "shell/WinHandles.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <string>

namespace swatchbox {

namespace {

constexpr COLORREF LinkColor = 0xBB0000;

// What an open box owns. It lives as long as the dialog window, however the
// dialog ends, so the title font is freed with it.
struct TAboutBoxState {
    TFontHandle TitleFont;
};

TAboutBoxState* StateOf(HWND Dialog) {
    return reinterpret_cast<TAboutBoxState*>(GetWindowLongPtrA(Dialog, DWLP_USER));
}

bool IsLink(int Id) {
    return Id == ABOUT_HOME_PAGE || Id == ABOUT_NOTES_PAGE;
}

bool IsIcon(int Id) {
    return Id == ABOUT_PROGRAM_ICON || Id == ABOUT_MAKER_LOGO;
}

// Id of Window when it is one of the dialog's controls, else 0.
int ControlId(HWND Dialog, HWND Window) {
    if (!Window || GetParent(Window) != Dialog)
        return 0;
    return GetDlgCtrlID(Window);
}

// All static controls of the program share one class cursor; the box
// changes it over its links and icons and must put it back.
void SetStaticCursor(HWND Dialog, HCURSOR Cursor) {
    if (const HWND Any = GetDlgItem(Dialog, ABOUT_HOME_PAGE))
        SetClassLongPtrA(Any, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(Cursor));
}

void RestoreStaticCursor(HWND Dialog) {
    SetStaticCursor(Dialog, LoadCursorA(nullptr, IDC_ARROW));
}

TFontHandle CreateTitleFont() {
    LOGFONTA Font{};
    Font.lfHeight = -21;
    Font.lfWeight = 1000;
    Font.lfUnderline = TRUE;
    Font.lfCharSet = DEFAULT_CHARSET;
    const std::size_t NameLength = std::min(Settings.FontName.size(), sizeof(Font.lfFaceName) - 1);
    Settings.FontName.copy(Font.lfFaceName, NameLength);
    return TFontHandle(CreateFontIndirectA(&Font));
}

void AddToolTips(HWND Dialog) {
    const HWND ToolTips = CreateWindowExA(
        0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Dialog, nullptr, App.Instance, nullptr);
    AddToolTip(ToolTips, GetDlgItem(Dialog, ABOUT_PROGRAM_ICON), "Swatchbox");
    AddToolTip(ToolTips, GetDlgItem(Dialog, ABOUT_MAKER_LOGO), "The Swatchbox developers' logo");
    AddToolTip(ToolTips, GetDlgItem(Dialog, ABOUT_HOME_PAGE), "Visit the Swatchbox home page");
    AddToolTip(ToolTips, GetDlgItem(Dialog, ABOUT_NOTES_PAGE),
               "Visit the home of the package format notes");
}

BOOL OnInitDialog(HWND Dialog, HWND, LPARAM) {
    auto State = std::make_unique<TAboutBoxState>();
    SetWindowLongPtrA(Dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(State.get()));
    TAboutBoxState& Owned = *State.release();

    CenterOverMainWindow(Dialog);
    SetWindowTextA(Dialog, "About Swatchbox");
    SetDlgItemTextA(Dialog, ABOUT_VERSION, App.VersionText.c_str());
    AddToolTips(Dialog);
    Owned.TitleFont = CreateTitleFont();
    SendDlgItemMessageA(Dialog, ABOUT_TITLE, WM_SETFONT,
                        reinterpret_cast<WPARAM>(Owned.TitleFont.Get()), TRUE);
    return TRUE;
}

// The class cursor decides what the static control under the mouse shows
// once the dialog has answered: the hand on the links, and on the icons no
// cursor at all, so the pointer keeps the shape it had.
BOOL OnSetCursor(HWND Dialog, HWND Under, UINT, UINT) {
    const int Id = ControlId(Dialog, Under);
    if (IsLink(Id)) {
        SetStaticCursor(Dialog, LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
    }
    if (IsIcon(Id)) {
        SetStaticCursor(Dialog, nullptr);
        return TRUE;
    }
    return FALSE;
}

// The whole address, however long, so the link opens what it shows.
std::string ControlText(HWND Control) {
    std::string Text(static_cast<std::size_t>(GetWindowTextLengthA(Control)) + 1, '\0');
    Text.resize(static_cast<std::size_t>(
        GetWindowTextA(Control, Text.data(), static_cast<int>(Text.size()))));
    return Text;
}

void OnCommand(HWND Dialog, int Id, HWND, UINT) {
    if (Id == IDOK || Id == IDCANCEL) {
        RestoreStaticCursor(Dialog);
        EndDialog(Dialog, Id);
    } else if (IsLink(Id)) {
        const std::string Address = ControlText(GetDlgItem(Dialog, Id));
        ShellExecuteA(Dialog, "open", Address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
}

HBRUSH OnCtlColorDialog(HWND, HDC, HWND, int) {
    return GetStockBrush(WHITE_BRUSH);
}

HBRUSH OnCtlColorStatic(HWND Dialog, HDC Dc, HWND Control, int) {
    if (IsLink(ControlId(Dialog, Control)))
        SetTextColor(Dc, LinkColor);
    SetBkColor(Dc, RGB(255, 255, 255));
    return GetStockBrush(WHITE_BRUSH);
}

// The box has no caption bar: a press on its surface starts the system's move
// as a press on a caption would.
void OnLeftButtonDown(HWND Dialog, BOOL, int X, int Y, UINT) {
    POINT Where{X, Y};
    ClientToScreen(Dialog, &Where);
    ReleaseCapture();
    SendMessageA(Dialog, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(Where.x, Where.y));
}

// However the box ends (OK, cancel, or destroyed with its owner), the static
// controls get their arrow back.
void OnDestroy(HWND Dialog) {
    RestoreStaticCursor(Dialog);
}

// Last message: the controls are gone, so the title font is no longer in use.
void OnNcDestroy(HWND Dialog) {
    std::unique_ptr<TAboutBoxState> State(StateOf(Dialog));
    SetWindowLongPtrA(Dialog, DWLP_USER, 0);
}

} // namespace

void ShowAboutBox() {
    DialogBoxParamA(App.Instance, "DLG_ABOUT", App.MainWnd, AboutDialogProc, 0);
}

// The message crackers of windowsx.h expect the parameters as wParam and lParam.
INT_PTR CALLBACK AboutDialogProc(HWND Dialog, UINT Message, WPARAM wParam, LPARAM lParam) {
    // A dialog procedure returns what the crackers give back: TRUE from the
    // cursor handler stops the default cursor, the colour handlers return
    // their brush, and everything else lets the dialog's defaults run.
    switch (Message) {
        HANDLE_MSG(Dialog, WM_INITDIALOG, OnInitDialog);
        HANDLE_MSG(Dialog, WM_SETCURSOR, OnSetCursor);
        HANDLE_MSG(Dialog, WM_COMMAND, OnCommand);
        HANDLE_MSG(Dialog, WM_CTLCOLORDLG, OnCtlColorDialog);
        HANDLE_MSG(Dialog, WM_CTLCOLORSTATIC, OnCtlColorStatic);
        HANDLE_MSG(Dialog, WM_LBUTTONDOWN, OnLeftButtonDown);
        HANDLE_MSG(Dialog, WM_DESTROY, OnDestroy);
        HANDLE_MSG(Dialog, WM_NCDESTROY, OnNcDestroy);
    default:
        return FALSE;
    }
}

void AddToolTip(HWND ToolTips, HWND Control, const char* Text) {
    // The form that ends with lParam, understood by every version of the
    // common controls.
    TTTOOLINFOA Tool{};
    Tool.cbSize = TTTOOLINFOA_V2_SIZE;
    Tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    Tool.hwnd = Control;
    Tool.uId = reinterpret_cast<UINT_PTR>(Control);
    GetClientRect(Control, &Tool.rect);
    Tool.hinst = App.Instance;
    // The tooltip keeps a copy of the text.
    Tool.lpszText = const_cast<char*>(Text);
    Tool.lParam = 0;
    SendMessageA(ToolTips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&Tool));
}

} // namespace swatchbox
