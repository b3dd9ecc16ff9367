#pragma once

#include <windows.h>

#include <shlobj.h>

#include "export/DecodedExport.h"

#include <string>

namespace swatchbox {

// Asks for a folder of packages with the shell's folder browser. True and the
// folder's path when the user confirmed; false when they cancelled or the
// browser couldn't be shown (then with an error message).
bool BrowseForPackageFolder(std::string& Path);

// The format list the browser gains for "Export all shown", beside its buttons;
// its items follow the order of TExportFormat.
constexpr int ExportFormatComboId = 0x5B01;

// Asks for the folder and the format of "Export all shown" in one browser,
// opened at StartFolder (when there is one) with Format chosen. True with
// both when the user confirmed.
bool BrowseForExportFolder(const std::string& StartFolder, std::string& Folder,
                           TExportFormat& Format);

// The browser's callback: program icon and a simpler tree when it opens, the
// selected folder's path in its status line. Parameter points to a bool that
// is set once the browser has opened. Always 0.
int CALLBACK BrowseCallback(HWND Dialog, UINT Event, LPARAM EventData, LPARAM Parameter);

// Frees a shell item-id list with the shell's task allocator and clears List.
void FreeItemIdList(LPITEMIDLIST& List);

} // namespace swatchbox
