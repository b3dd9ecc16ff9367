#include "shell/PackageList.h"

#include "package/Errors.h"
#include "package/PackageNames.h"
#include "package/UnrealPackage.h"
#include "shell/ComboText.h"
#include "shell/Games.h"
#include "shell/MainWindowState.h"
#include "shell/PackageAnalysis.h"

#include <algorithm>
#include <cstring>

namespace swatchbox {

namespace {

LRESULT SendToList(UINT Message, WPARAM WParam = 0, LPARAM LParam = 0) {
    return SendMessageA(App.PackageList, Message, WParam, LParam);
}

WPARAM RowCount() {
    return static_cast<WPARAM>(App.PackageFiles.size());
}

void RedrawAllRows() {
    SendToList(LVM_REDRAWITEMS, 0, static_cast<LPARAM>(RowCount()));
}

bool IsRow(int Item) {
    return Item >= 0 && static_cast<std::size_t>(Item) < RowCount();
}

void ShowRow(LVITEMA& Item) {
    if (!IsRow(Item.iItem))
        return;
    const std::string& Path = App.PackageFiles[static_cast<std::size_t>(Item.iItem)];
    if ((Item.mask & LVIF_TEXT) && Item.pszText && Item.cchTextMax > 0) {
        const std::string_view Name = FileNamePart(Path);
        const std::size_t Count =
            std::min(Name.size(), static_cast<std::size_t>(Item.cchTextMax) - 1);
        std::memcpy(Item.pszText, Name.data(), Count);
        Item.pszText[Count] = '\0';
    }
    if (Item.mask & LVIF_IMAGE)
        Item.iImage = GetRetailImage(Path);
}

// A file that can't be opened any more (deleted, moved, locked) is no use in
// the list either, so it counts as no package.
bool OpensAsPackage(const std::string& Path) {
    try {
        return TUnrealPackage::IsPackageFile(Path);
    } catch (const EPackageError&) {
        return false;
    }
}

// Drops a row and puts the selection back on the shown package's row.
void RemoveRow(int Item) {
    SendToList(LVM_SETITEMCOUNT, 0, 0);
    App.PackageFiles.erase(App.PackageFiles.begin() + Item);
    SendToList(LVM_SETITEMCOUNT, RowCount(), 0);
    RedrawAllRows();

    LVITEMA State{};
    State.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    const auto Shown = std::find(App.PackageFiles.begin(), App.PackageFiles.end(), App.PackagePath);
    if (Shown == App.PackageFiles.end()) {
        SendToList(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&State));
        return;
    }
    const auto Index = static_cast<WPARAM>(Shown - App.PackageFiles.begin());
    SendToList(LVM_ENSUREVISIBLE, Index, TRUE);
    State.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendToList(LVM_SETITEMSTATE, Index, reinterpret_cast<LPARAM>(&State));
}

void OnRowClick(int Item) {
    if (!IsRow(Item))
        return;
    const std::string Path = App.PackageFiles[static_cast<std::size_t>(Item)];
    if (Path == App.PackagePath)
        return;
    if (!OpensAsPackage(Path)) {
        RemoveRow(Item);
        return;
    }
    App.PackagePath = Path;
    AnalysePackage(Path);
}

void ForgetShownPackage() {
    if (App.Package)
        ReleasePackage();
    App.PackagePath.clear();
}

} // namespace

void AddFolderFiles(const std::string& Folder, bool Append) {
    SendToList(LVM_DELETEALLITEMS);
    if (!Append)
        App.PackageFiles.clear();
    WIN32_FIND_DATAA Found{};
    const TFindHandle Search(FindFirstFileA((Folder + "\\*.*").c_str(), &Found));
    if (Search) {
        do {
            if (!(Found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                App.PackageFiles.push_back(Folder + "\\" + Found.cFileName);
        } while (FindNextFileA(Search.Get(), &Found));
    }
    RefreshPackageList();
}

void AddPackageFile(const std::string& Path) {
    SendToList(LVM_DELETEALLITEMS);
    App.PackageFiles.push_back(Path);
    RefreshPackageList();
}

void AddCommandLineFiles() {
    for (const std::string& Argument : App.CommandLineFiles) {
        WIN32_FIND_DATAA Found{};
        const TFindHandle Search(FindFirstFileA(Argument.c_str(), &Found));
        // The name as the file system spells it. An argument that names
        // nothing is listed as given; clicking it drops it again.
        App.PackageFiles.push_back(Search ? ReplaceFileName(Argument, Found.cFileName) : Argument);
    }
    RefreshPackageList();
}

void RefreshPackageList() {
    std::sort(
        App.PackageFiles.begin(), App.PackageFiles.end(),
        [](const std::string& A, const std::string& B) { return ComparePackageFiles(A, B) < 0; });
    SendToList(LVM_SETITEMCOUNT, RowCount(), 0);
    RedrawAllRows();
}

LRESULT OnPackageListNotify(const NMHDR& Header) {
    switch (Header.code) {
    case LVN_GETDISPINFOA:
        // The list view hands over its own item record to be filled in.
        ShowRow(const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(Header)).item);
        break;
    case NM_CLICK:
        OnRowClick(reinterpret_cast<const NMITEMACTIVATE&>(Header).iItem);
        break;
    default:
        break;
    }
    return 0;
}

void OnGameChoice() {
    const std::string Chosen = ChosenComboText(App.GameCombo);
    const auto Game = std::find_if(GameTable.begin(), GameTable.end(),
                                   [&](const TGame& Entry) { return Chosen == Entry.Name; });
    if (Game != GameTable.end()) {
        AddFolderFiles(App.TextureFolders.*Game->Folder, false);
        App.RetailMarker = Game->Command;
    }
    ForgetShownPackage();
    ClearGroupsAndStatus();
}

void ClearPackageList() {
    if (App.Package)
        ReleasePackage();
    SendToList(LVM_DELETEALLITEMS);
    App.PackageFiles.clear();
    App.PackagePath.clear();
    ClearGroupsAndStatus();
    App.RetailMarker = 0;
}

} // namespace swatchbox
