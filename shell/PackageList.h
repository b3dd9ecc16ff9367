#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace swatchbox {

// The package list: the left column of the main window, a virtual list view
// whose rows are App.PackageFiles, sorted by file name, with the retail
// packages of the marked game flagged by that game's symbol.

// The list's part of the main window's creation: retail images, game folders
// and combo box, retail lists.
void InitPackageListData();

// One game's install folder from HKEY_LOCAL_MACHINE as its texture folder;
// Folder stays unchanged when the key or the value isn't there.
void ReadGameFolder(const char* Key, const char* ValueName, std::string& Folder);
// The retail names of a text resource of the program; empty when it is missing.
void LoadRetailList(const char* ResourceName, std::vector<std::string>& List);

// Lists every file of Folder, replacing the list or adding to it.
void AddFolderFiles(const std::string& Folder, bool Append);
// Adds one path as it stands (it may name a folder or a missing file).
void AddPackageFile(const std::string& Path);
// Adds App.CommandLineFiles, each spelled as the file system stores it.
void AddCommandLineFiles();
// Sorts App.PackageFiles and tells the list view the new count.
void RefreshPackageList();
// Image of the marked game for a retail package, -1 for none.
int GetRetailImage(const std::string& Path);

// WM_NOTIFY from the list view: LVN_GETDISPINFOA (a row's text and image)
// and NM_CLICK (a row clicked: analyse it). Writes the answer into the
// notification the list view passed.
LRESULT OnPackageListNotify(const NMHDR& Header);
// The game combo box's CBN_SELCHANGE: list that game's texture folder.
void OnGameChoice();
// "&Clear list": no rows, no package, no retail marker.
void ClearPackageList();

// Replaces the list view's own window procedure (App.OldPackageListProc).
LRESULT CALLBACK PackageListProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);

} // namespace swatchbox
