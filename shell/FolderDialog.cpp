#include "shell/FolderDialog.h"

#include "shell/CenterWindow.h"
#include "shell/MainWindowState.h"
#include "shell/ProgramIcon.h"

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <cstring>

namespace swatchbox {

namespace {

// Owns the item-id list the browser returns.
class TItemIdList {
public:
    explicit TItemIdList(LPITEMIDLIST List) : List(List) {}
    ~TItemIdList() { FreeItemIdList(List); }
    TItemIdList(const TItemIdList&) = delete;
    TItemIdList& operator=(const TItemIdList&) = delete;
    LPCITEMIDLIST Get() const { return List; }

private:
    LPITEMIDLIST List;
};

// The browser is a COM client; balanced when this thread's COM was already set up.
class TComApartment {
public:
    TComApartment() : Result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~TComApartment() {
        if (SUCCEEDED(Result))
            CoUninitialize();
    }
    TComApartment(const TComApartment&) = delete;
    TComApartment& operator=(const TComApartment&) = delete;

private:
    HRESULT Result;
};

// Empty for an item that is no file-system folder.
std::string FolderPathOf(LPCITEMIDLIST Item) {
    char Buffer[MAX_PATH + 1] = {};
    if (!Item || !SHGetPathFromIDListA(Item, Buffer))
        return {};
    return Buffer;
}

BOOL CALLBACK FindTreeView(HWND Child, LPARAM Found) {
    char Class[32] = {};
    GetClassNameA(Child, Class, sizeof(Class));
    if (std::strcmp(Class, WC_TREEVIEWA) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(Found) = Child;
    return FALSE;
}

// No connecting lines; selecting a folder opens it and closes the one left.
void SimplifyTree(HWND Dialog) {
    HWND Tree = nullptr;
    EnumChildWindows(Dialog, FindTreeView, reinterpret_cast<LPARAM>(&Tree));
    if (!Tree)
        return;
    const LONG_PTR Style = GetWindowLongPtrA(Tree, GWL_STYLE);
    SetWindowLongPtrA(Tree, GWL_STYLE, (Style & ~LONG_PTR{TVS_HASLINES}) | TVS_SINGLEEXPAND);
}

// What the export browser's callback works with.
struct TExportBrowse {
    bool Opened = false;
    const std::string* StartFolder = nullptr;
    int Format = 0;
};

constexpr const char* ExportFormatNames[] = {"As is (BMP/DDS)", "PNG", "TGA 32-bit", "BMP 24-bit",
                                             "BMP 32-bit"};

// The list goes with the browser: its choice is taken as it is destroyed.
LRESULT CALLBACK FormatComboProc(HWND Combo, UINT Message, WPARAM WParam, LPARAM LParam,
                                 UINT_PTR Id, DWORD_PTR Data) {
    if (Message == WM_DESTROY) {
        const LRESULT Chosen = SendMessageA(Combo, CB_GETCURSEL, 0, 0);
        if (Chosen >= 0)
            reinterpret_cast<TExportBrowse*>(Data)->Format = static_cast<int>(Chosen);
        RemoveWindowSubclass(Combo, FormatComboProc, Id);
    }
    return DefSubclassProc(Combo, Message, WParam, LParam);
}

RECT ChildRectOf(HWND Dialog, HWND Child) {
    RECT Rect{};
    GetWindowRect(Child, &Rect);
    MapWindowPoints(nullptr, Dialog, reinterpret_cast<POINT*>(&Rect), 2);
    return Rect;
}

// The list stands left of the OK button, on its line, from the tree's left edge.
void AddFormatCombo(HWND Dialog, TExportBrowse& Browse) {
    const HWND Ok = GetDlgItem(Dialog, IDOK);
    if (!Ok)
        return;
    const RECT Button = ChildRectOf(Dialog, Ok);
    HWND Tree = nullptr;
    EnumChildWindows(Dialog, FindTreeView, reinterpret_cast<LPARAM>(&Tree));
    const LONG Left = Tree ? ChildRectOf(Dialog, Tree).left : 8;
    const LONG Width = std::max<LONG>(Button.left - Left - 8, 60);
    HWND Combo = CreateWindowExA(
        0, WC_COMBOBOXA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
        Left, Button.top, Width, 200, Dialog, reinterpret_cast<HMENU>(ExportFormatComboId),
        App.Instance, nullptr);
    if (!Combo)
        return;
    SendMessageA(Combo, WM_SETFONT, SendMessageA(Dialog, WM_GETFONT, 0, 0), TRUE);
    for (const char* Name : ExportFormatNames)
        SendMessageA(Combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Name));
    SendMessageA(Combo, CB_SETCURSEL, static_cast<WPARAM>(Browse.Format), 0);
    SetWindowSubclass(Combo, FormatComboProc, 0, reinterpret_cast<DWORD_PTR>(&Browse));
}

int CALLBACK ExportBrowseCallback(HWND Dialog, UINT Event, LPARAM EventData, LPARAM Parameter) {
    auto& Browse = *reinterpret_cast<TExportBrowse*>(Parameter);
    if (Event == BFFM_INITIALIZED) {
        BrowseCallback(Dialog, Event, EventData, reinterpret_cast<LPARAM>(&Browse.Opened));
        // Over the window whose textures it exports, as the save dialog is.
        RECT Rect{};
        CenterWindowRect(Dialog, false, Rect);
        SetWindowPos(Dialog, nullptr, Rect.left, Rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        AddFormatCombo(Dialog, Browse);
        if (!Browse.StartFolder->empty())
            SendMessageA(Dialog, BFFM_SETSELECTIONA, TRUE,
                         reinterpret_cast<LPARAM>(Browse.StartFolder->c_str()));
        return 0;
    }
    return BrowseCallback(Dialog, Event, EventData, 0);
}

// Shows the browser; the chosen folder, or empty when there is none. Opened
// tells a cancel from a browser that could not be shown.
std::string BrowseFolder(BROWSEINFOA& Info, const bool& Opened) {
    const TComApartment Com;
    char DisplayName[MAX_PATH + 1] = {};
    Info.hwndOwner = App.MainWnd;
    Info.pidlRoot = nullptr;
    Info.pszDisplayName = DisplayName;
    Info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    const TItemIdList Chosen(SHBrowseForFolderA(&Info));
    if (!Chosen.Get()) {
        // No list and no opening: the browser failed, it wasn't cancelled.
        if (!Opened)
            ShowError("[DIALOG]\r\nError while opening \"BrowseForFolder\" dialog!");
        return {};
    }
    return FolderPathOf(Chosen.Get());
}

} // namespace

bool BrowseForPackageFolder(std::string& Path) {
    bool Opened = false;
    BROWSEINFOA Info{};
    Info.lpszTitle = "Select a folder containing package files.";
    Info.lpfn = BrowseCallback;
    Info.lParam = reinterpret_cast<LPARAM>(&Opened);
    std::string Folder = BrowseFolder(Info, Opened);
    if (Folder.empty())
        return false;
    Path = std::move(Folder);
    return true;
}

bool BrowseForExportFolder(const std::string& StartFolder, std::string& Folder,
                           TExportFormat& Format) {
    TExportBrowse Browse;
    Browse.StartFolder = &StartFolder;
    Browse.Format = static_cast<int>(Format);
    BROWSEINFOA Info{};
    Info.lpszTitle = "Select the folder to export the shown textures to.";
    Info.lpfn = ExportBrowseCallback;
    Info.lParam = reinterpret_cast<LPARAM>(&Browse);
    std::string Chosen = BrowseFolder(Info, Browse.Opened);
    if (Chosen.empty())
        return false;
    Folder = std::move(Chosen);
    Format = static_cast<TExportFormat>(Browse.Format);
    return true;
}

int CALLBACK BrowseCallback(HWND Dialog, UINT Event, LPARAM EventData, LPARAM Parameter) {
    if (Event == BFFM_INITIALIZED) {
        if (Parameter)
            *reinterpret_cast<bool*>(Parameter) = true;
        SetSmallProgramIcon(Dialog);
        SimplifyTree(Dialog);
    } else if (Event == BFFM_SELCHANGED) {
        const std::string Folder = FolderPathOf(reinterpret_cast<LPCITEMIDLIST>(EventData));
        SendMessageA(Dialog, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(Folder.c_str()));
    }
    return 0;
}

void FreeItemIdList(LPITEMIDLIST& List) {
    if (List)
        CoTaskMemFree(List);
    List = nullptr;
}

} // namespace swatchbox
