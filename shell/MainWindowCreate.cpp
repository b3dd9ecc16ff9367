#include "display/GLContext.h"
#include "display/PanelRendering.h"
#include "display/TexturePanelProc.h"
#include "resources/ResourceIds.h"
#include "shell/Help.h"
#include "shell/MainWindow.h"
#include "shell/MainWindowState.h"
#include "shell/PackageList.h"
#include "shell/Settings.h"

#include <commctrl.h>

namespace swatchbox {

namespace {

HWND CreateChild(const char* Class, const char* Text, DWORD ExStyle, DWORD Style, int X, int Y,
                 int Width, int Height) {
    return CreateWindowExA(ExStyle, Class, Text, WS_CHILD | WS_VISIBLE | Style, X, Y, Width, Height,
                           App.MainWnd, nullptr, App.Instance, nullptr);
}

void UseUIFont(HWND Control) {
    SendMessageA(Control, WM_SETFONT, reinterpret_cast<WPARAM>(App.UIFont.Get()), TRUE);
}

void SetStatusParts(int Last) {
    App.StatusParts = {187, 320, Last};
    SendMessageA(App.StatusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(App.StatusParts.data()));
}

WNDPROC ReplaceWindowProc(HWND Window, WNDPROC Procedure) {
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure)));
}

// The list shares the retail image list: App owns it and frees it at exit,
// so the list view must not destroy it as well.
void CreatePackageList() {
    App.PackageList =
        CreateChild(WC_LISTVIEWA, "", WS_EX_CLIENTEDGE,
                    WS_BORDER | WS_VSCROLL | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                        LVS_OWNERDATA | LVS_NOCOLUMNHEADER | LVS_SHAREIMAGELISTS,
                    -1, 22, 0, 0);
    SendMessageA(App.PackageList, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    App.OldPackageListProc = ReplaceWindowProc(App.PackageList, PackageListProc);
    LVCOLUMNA Column{};
    Column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    Column.fmt = LVCFMT_LEFT;
    Column.cx = 200;
    Column.pszText = const_cast<char*>("");
    SendMessageA(App.PackageList, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&Column));
}

void CreateTexturePanel() {
    App.TexturePanel = CreateChild("BUTTON", "", WS_EX_CLIENTEDGE,
                                   WS_BORDER | WS_VSCROLL | BS_OWNERDRAW, 187, 0, 0, 0);
    App.OldTexturePanelProc = ReplaceWindowProc(App.TexturePanel, TexturePanelProc);

    App.PanelScroll = {};
    App.PanelScroll.cbSize = sizeof(SCROLLINFO);
    App.PanelScroll.fMask = SIF_ALL;
    App.PanelScroll.nMin = 0;
    App.PanelScroll.nMax = 1000;
    App.PanelScroll.nPage = static_cast<UINT>(App.CellHeight);
    App.PanelScroll.nPos = 0;
    SetScrollInfo(App.TexturePanel, SB_VERT, &App.PanelScroll, TRUE);
}

void AddSystemMenuItems() {
    HMENU Menu = GetSystemMenu(App.MainWnd, FALSE);
    AppendMenuA(Menu, MF_SEPARATOR, 0, nullptr);
    const UINT HelpState = HelpFileExists() ? MF_ENABLED : MF_GRAYED | MF_DISABLED;
    AppendMenuA(Menu, MF_STRING | HelpState, CMD_SYS_HELP, "&Help\tF1");
    AppendMenuA(Menu, MF_STRING, CMD_SYS_ABOUT, "&About");
}

bool SettingsFileExists() {
    const DWORD Attributes = GetFileAttributesA(SettingsFileName().c_str());
    return Attributes != INVALID_FILE_ATTRIBUTES;
}

} // namespace

BOOL OnMainWindowCreate(HWND Window, LPCREATESTRUCT) {
    App.MainWnd = Window;
    RECT Client{};
    GetClientRect(Window, &Client);

    App.UIFont.Reset(CreateFontA(-12, 0, 0, 0, 0, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH, "MS Shell Dlg"));

    App.StatusBar = CreateChild(STATUSCLASSNAMEA, "", 0, 0, 0, 0, 0, 0);
    SetStatusParts(Client.right - 1);

    App.GameLabel = CreateChild("STATIC", "Game", 0, 0, 6, 4, 63, 13);
    UseUIFont(App.GameLabel);
    App.GameCombo = CreateChild("COMBOBOX", "", 0, CBS_DROPDOWNLIST, 70, 1, 117, 0);
    UseUIFont(App.GameCombo);

    CreatePackageList();

    App.GroupLabel = CreateChild("STATIC", "Group", 0, SS_NOTIFY, 0, 0, 63, 13);
    UseUIFont(App.GroupLabel);
    App.GroupCombo = CreateChild("COMBOBOX", "", 0, CBS_DROPDOWNLIST | CBS_SORT, 0, 0, 117, 0);
    UseUIFont(App.GroupCombo);

    CreateTexturePanel();

    // Without a context the program can't show anything. The message has been
    // shown; creation stops here, which destroys the window, and start-up ends
    // without a second message about the missing extension.
    if (!CreateGLContext(App.PanelPresenter.Attach(App.TexturePanel), App.PanelDC,
                         App.PanelGLContext)) {
        App.PanelPresenter.Detach();
        return FALSE;
    }
    BuildFontLists(Settings.FontName, Settings.FontSize);

    AddSystemMenuItems();

    App.PanelBrush.Reset(CreateSolidBrush(Settings.BackgroundColor));
    App.Accelerators = LoadAcceleratorsA(App.Instance, "APPSHORTCUTS");
    InitPackageListData();
    App.PackageFiles.clear();
    App.AllTextures.clear();
    App.ShownTextures.clear();

    if (!App.CommandLineFiles.empty())
        AddCommandLineFiles();

    SetTimer(Window, RenderTimerId, static_cast<UINT>(Settings.RenderTime), nullptr);

    if (Settings.WindowState != 0)
        ShowWindow(Window, SW_SHOWMAXIMIZED);

    if (!SettingsFileExists())
        SendMessageA(Window, WM_SYSCOMMAND, CMD_SYS_HELP, 0);
    return TRUE;
}

void LayoutMainWindow() {
    RECT Client{};
    GetClientRect(App.MainWnd, &Client);
    RECT Status{};
    GetClientRect(App.StatusBar, &Status);
    const int W = Client.right;
    const int H = Client.bottom;
    const int S = Status.bottom;

    SetWindowPos(App.PackageList, nullptr, 0, 0, 189, H - S - 43, SWP_NOZORDER | SWP_NOMOVE);
    SetWindowPos(App.GroupLabel, nullptr, 6, H - S - 17, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    SetWindowPos(App.GroupCombo, nullptr, 70, H - S - 21, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    SetWindowPos(App.TexturePanel, nullptr, 0, 0, W - 184, H - S + 1, SWP_NOZORDER | SWP_NOMOVE);
    MoveWindow(App.StatusBar, 0, 0, 0, 0, TRUE);
    SetStatusParts(-1);
}

} // namespace swatchbox
