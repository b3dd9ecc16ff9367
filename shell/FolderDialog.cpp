#include "shell/FolderDialog.h"

#include "shell/MainWindowState.h"
#include "shell/ProgramIcon.h"

#include <commctrl.h>
#include <objbase.h>

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

} // namespace

bool BrowseForPackageFolder(std::string& Path) {
    const TComApartment Com;
    char DisplayName[MAX_PATH + 1] = {};
    bool Opened = false;
    BROWSEINFOA Info{};
    Info.hwndOwner = App.MainWnd;
    Info.pidlRoot = nullptr;
    Info.pszDisplayName = DisplayName;
    Info.lpszTitle = "Select a folder containing package files.";
    Info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    Info.lpfn = BrowseCallback;
    Info.lParam = reinterpret_cast<LPARAM>(&Opened);

    const TItemIdList Chosen(SHBrowseForFolderA(&Info));
    if (!Chosen.Get()) {
        // No list and no opening: the browser failed, it wasn't cancelled.
        if (!Opened)
            ShowError("[DIALOG]\r\nError while opening \"BrowseForFolder\" dialog!");
        return false;
    }
    std::string Folder = FolderPathOf(Chosen.Get());
    if (Folder.empty())
        return false;
    Path = std::move(Folder);
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
