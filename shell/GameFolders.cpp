#include "package/PackageNames.h"
#include "shell/Games.h"
#include "shell/MainWindowState.h"
#include "shell/PackageList.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace swatchbox {

namespace {

void FillGameCombo() {
    for (const TGame& Game : GameTable)
        if (!(App.TextureFolders.*Game.Folder).empty())
            SendMessageA(App.GameCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Game.Name));
    const BOOL AnyGame = SendMessageA(App.GameCombo, CB_GETCOUNT, 0, 0) > 0;
    EnableWindow(App.GameCombo, AnyGame);
    EnableWindow(App.GameLabel, AnyGame);
}

} // namespace

void ReadGameFolder(const char* Key, const char* ValueName, std::string& Folder) {
    // The games' installers write to the 32-bit view of the registry, which a
    // 64-bit program only sees when it asks for it.
    HKEY Opened = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, Key, 0, KEY_READ | KEY_WOW64_32KEY, &Opened) !=
        ERROR_SUCCESS)
        return;
    const TRegistryKey Owned(Opened);

    DWORD Longest = 0;
    if (RegQueryInfoKeyA(Opened, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, &Longest, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    std::vector<char> Buffer(static_cast<std::size_t>(Longest) + 1, '\0');
    DWORD Size = Longest + 1;
    DWORD Type = 0;
    if (RegQueryValueExA(Opened, ValueName, nullptr, &Type, reinterpret_cast<BYTE*>(Buffer.data()),
                         &Size) != ERROR_SUCCESS)
        return;
    if (Type != REG_SZ && Type != REG_EXPAND_SZ)
        return;
    std::string_view Text(Buffer.data(), std::min<std::size_t>(Size, Buffer.size()));
    Folder = TextureFolderOf(Text.substr(0, Text.find('\0')));
}

void InitPackageListData() {
    App.RetailImages.Reset(ImageList_LoadImageA(App.Instance, "BMP_RETAILS", 16, 5, CLR_DEFAULT,
                                                IMAGE_BITMAP, LR_CREATEDIBSECTION));
    SendMessageA(App.PackageList, LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(App.RetailImages.Get()));

    App.TextureFolders = {};
    for (const TGame& Game : GameTable)
        ReadGameFolder(Game.RegistryKey, Game.RegistryValue, App.TextureFolders.*Game.Folder);
    FillGameCombo();

    for (std::size_t Index = 0; Index < GameTable.size(); ++Index)
        LoadRetailList(GameTable[Index].RetailResource, App.RetailLists[Index]);
}

} // namespace swatchbox
