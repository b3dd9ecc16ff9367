#pragma once

#include <windows.h>

#include <shlobj.h>

#include <string>

namespace swatchbox {

// Asks for a folder of packages with the shell's folder browser. True and the
// folder's path when the user confirmed; false when they cancelled or the
// browser couldn't be shown (then with an error message).
bool BrowseForPackageFolder(std::string& Path);

// The browser's callback: program icon and a simpler tree when it opens, the
// selected folder's path in its status line. Parameter points to a bool that
// is set once the browser has opened. Always 0.
int CALLBACK BrowseCallback(HWND Dialog, UINT Event, LPARAM EventData, LPARAM Parameter);

// Frees a shell item-id list with the shell's task allocator and clears List.
void FreeItemIdList(LPITEMIDLIST& List);

} // namespace swatchbox
