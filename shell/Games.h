#pragma once

#include "shell/MainWindowState.h"

#include <array>
#include <string>

namespace swatchbox {

// One of the five games whose install folder and retail packages the package
// list knows. The order of GameTable is the order of every game list: the
// combo box, RetailLists, RetailImages and the retail sub-menu.
struct TGame {
    const char* Name;           // combo item text
    const char* RegistryKey;    // under HKEY_LOCAL_MACHINE
    const char* RegistryValue;  // the install folder
    const char* RetailResource; // RT_RCDATA text of retail names
    int Command;                // retail marker and menu command
    const char* MenuBitmap;
    UINT MenuBitmapFlags; // how LoadImageA loads MenuBitmap
    std::string TTextureFolders::*Folder;
};

extern const std::array<TGame, 5> GameTable;

// The first command of the game table; image i belongs to command FirstRetailCommand + i.
constexpr int FirstRetailCommand = 10011;

bool IsRetailCommand(int Command);

} // namespace swatchbox
