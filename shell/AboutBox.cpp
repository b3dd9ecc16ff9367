#include "shell/AboutBox.h"

#include "resources/ResourceIds.h"
#include "shell/CenterWindow.h"
#include "shell/MainWindowState.h"
#include "shell/Settings.h"
#include "shell/WinHandles.h"

#include <commctrl.h>
#include <shellapi.h>

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

INT_PTR OnInitDialog(HWND Dialog) {
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
INT_PTR OnSetCursor(HWND Dialog, WPARAM WParam) {
    const int Id = ControlId(Dialog, reinterpret_cast<HWND>(WParam));
    if (IsLink(Id)) {
        SetStaticCursor(Dialog, LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
    }
    if (IsIcon(Id)) {
        SetStaticCursor(Dialog, nullptr);
        return TRUE;
    }
    return 0;
}

// The whole address, however long, so the link opens what it shows.
std::string ControlText(HWND Control) {
    std::string Text(static_cast<std::size_t>(GetWindowTextLengthA(Control)) + 1, '\0');
    Text.resize(static_cast<std::size_t>(
        GetWindowTextA(Control, Text.data(), static_cast<int>(Text.size()))));
    return Text;
}

INT_PTR OnCommand(HWND Dialog, WPARAM WParam) {
    const int Id = LOWORD(WParam);
    if (Id == IDOK || Id == IDCANCEL) {
        RestoreStaticCursor(Dialog);
        EndDialog(Dialog, static_cast<INT_PTR>(WParam));
        return TRUE;
    }
    if (IsLink(Id)) {
        const std::string Address = ControlText(GetDlgItem(Dialog, Id));
        ShellExecuteA(Dialog, "open", Address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return TRUE;
    }
    return 0;
}

INT_PTR OnCtlColorStatic(HWND Dialog, WPARAM WParam, LPARAM LParam) {
    const auto Dc = reinterpret_cast<HDC>(WParam);
    if (IsLink(ControlId(Dialog, reinterpret_cast<HWND>(LParam))))
        SetTextColor(Dc, LinkColor);
    SetBkColor(Dc, RGB(255, 255, 255));
    return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
}

// The box has no caption bar: a press on its surface starts the system's move
// as a press on a caption would.
INT_PTR OnLButtonDown(HWND Dialog, LPARAM LParam) {
    POINT Where{static_cast<short>(LOWORD(LParam)), static_cast<short>(HIWORD(LParam))};
    ClientToScreen(Dialog, &Where);
    ReleaseCapture();
    SendMessageA(Dialog, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(Where.x, Where.y));
    return TRUE;
}

// However the box ends (OK, cancel, or destroyed with its owner), the static
// controls get their arrow back.
INT_PTR OnDestroy(HWND Dialog) {
    RestoreStaticCursor(Dialog);
    return 0;
}

// Last message: the controls are gone, so the title font is no longer in use.
INT_PTR OnNcDestroy(HWND Dialog) {
    std::unique_ptr<TAboutBoxState> State(StateOf(Dialog));
    SetWindowLongPtrA(Dialog, DWLP_USER, 0);
    return 0;
}

} // namespace

void ShowAboutBox() {
    DialogBoxParamA(App.Instance, "DLG_ABOUT", App.MainWnd, AboutDialogProc, 0);
}

INT_PTR CALLBACK AboutDialogProc(HWND Dialog, UINT Message, WPARAM WParam, LPARAM LParam) {
    switch (Message) {
    case WM_INITDIALOG:
        return OnInitDialog(Dialog);
    case WM_SETCURSOR:
        return OnSetCursor(Dialog, WParam);
    case WM_COMMAND:
        return OnCommand(Dialog, WParam);
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(Dialog, WParam, LParam);
    case WM_LBUTTONDOWN:
        return OnLButtonDown(Dialog, LParam);
    case WM_DESTROY:
        return OnDestroy(Dialog);
    case WM_NCDESTROY:
        return OnNcDestroy(Dialog);
    default:
        return 0;
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
