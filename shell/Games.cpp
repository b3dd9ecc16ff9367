#include "shell/Games.h"

#include "resources/ResourceIds.h"

namespace swatchbox {

namespace {
// The symbol's background takes the menu's colour.
constexpr UINT Transparent = LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS;
} // namespace

const std::array<TGame, 5> GameTable = {{
    {"Unreal", "SOFTWARE\\Unreal Technology\\Installed Apps\\Unreal", "Folder",
     "TXT_RETAILUTX_UNREAL", CMD_RETAIL_UNREAL, "BMP_MENU_UNREAL", Transparent,
     &TTextureFolders::Unreal},
    {"Unreal2",
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
     "{626F32D6-007C-41D5-8157-9509AB1428BE}",
     "InstallLocation", "TXT_RETAILUTX_UNREAL2", CMD_RETAIL_UNREAL2, "BMP_MENU_UNREAL2",
     Transparent, &TTextureFolders::Unreal2},
    {"UT99", "SOFTWARE\\Unreal Technology\\Installed Apps\\UnrealTournament", "Folder",
     "TXT_RETAILUTX_UT99", CMD_RETAIL_UT99, "BMP_MENU_UT99", LR_DEFAULTCOLOR,
     &TTextureFolders::UT99},
    {"UT2003", "SOFTWARE\\Unreal Technology\\Installed Apps\\UT2003", "Folder",
     "TXT_RETAILUTX_UT2003", CMD_RETAIL_UT2003, "BMP_MENU_UT2003", Transparent,
     &TTextureFolders::UT2003},
    {"UT2004", "SOFTWARE\\Unreal Technology\\Installed Apps\\UT2004", "Folder",
     "TXT_RETAILUTX_UT2004", CMD_RETAIL_UT2004, "BMP_MENU_UT2004", Transparent,
     &TTextureFolders::UT2004},
}};

bool IsRetailCommand(int Command) {
    return Command >= FirstRetailCommand &&
           Command < FirstRetailCommand + static_cast<int>(GameTable.size());
}

} // namespace swatchbox
