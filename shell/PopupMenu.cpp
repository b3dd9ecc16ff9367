#include "shell/PopupMenu.h"

#include "shell/ExportAll.h"
#include "shell/Games.h"
#include "shell/MainWindowState.h"
#include "shell/Settings.h"

#include <commctrl.h>

namespace swatchbox {

namespace {

constexpr UINT ClearListPosition = 1;
constexpr UINT RetailMenuPosition = 3;

constexpr UINT SizeMenuPosition = 7;
// Preview, both exports and the clipboard need a selected texture.
constexpr UINT TextureCommandPositions[] = {0, 2, 3, 4};
// "Export all shown" needs shown textures, and one export at a time.
constexpr UINT ExportAllPosition = 10;

} // namespace

void PrepareRenderPanelPopup(HMENU Popup) {
    SetMenuDefaultItem(Popup, 0, TRUE);
    HMENU Sizes = GetSubMenu(Popup, SizeMenuPosition);
    for (UINT Position = 0; Position < 3; ++Position)
        CheckMenuItem(Sizes, Position, MF_BYPOSITION | MF_UNCHECKED);
    const int Checked = Settings.TextureSize == 128   ? 0
                        : Settings.TextureSize == 256 ? 1
                        : Settings.TextureSize == 512 ? 2
                                                      : -1;
    if (Checked >= 0)
        CheckMenuItem(Sizes, static_cast<UINT>(Checked), MF_BYPOSITION | MF_CHECKED);
    if (App.SelectedIndex == -1)
        for (UINT Position : TextureCommandPositions)
            EnableMenuItem(Popup, Position, MF_BYPOSITION | MF_GRAYED);
    if (App.ShownTextures.empty() || ExportAllRunning())
        EnableMenuItem(Popup, ExportAllPosition, MF_BYPOSITION | MF_GRAYED);
}

std::vector<TBitmapHandle> PreparePackageListMenu(HMENU Popup) {
    std::vector<TBitmapHandle> Bitmaps;
    HMENU Retail = GetSubMenu(Popup, RetailMenuPosition);
    for (UINT Position = 0; Position < GameTable.size(); ++Position) {
        const TGame& Game = GameTable[Position];
        auto& Bitmap = Bitmaps.emplace_back(static_cast<HBITMAP>(
            LoadImageA(App.Instance, Game.MenuBitmap, IMAGE_BITMAP, 0, 0, Game.MenuBitmapFlags)));
        SetMenuItemBitmaps(Retail, Position, MF_BYPOSITION, Bitmap.Get(), Bitmap.Get());
    }
    if (SendMessageA(App.PackageList, LVM_GETITEMCOUNT, 0, 0) == 0) {
        EnableMenuItem(Popup, ClearListPosition, MF_BYPOSITION | MF_GRAYED);
        EnableMenuItem(Popup, RetailMenuPosition, MF_BYPOSITION | MF_GRAYED);
    }
    return Bitmaps;
}

void ShowPopupMenu(const std::string& Name, int X, int Y, HWND Owner) {
    const TMenuHandle Menu(LoadMenuA(App.Instance, Name.c_str()));
    HMENU Popup = Menu ? GetSubMenu(Menu.Get(), 0) : nullptr;
    if (!Popup)
        return;
    std::vector<TBitmapHandle> Bitmaps;
    if (Name == "POP_PACKAGELIST")
        Bitmaps = PreparePackageListMenu(Popup);
    else if (Name == "POP_RENDERPANEL")
        PrepareRenderPanelPopup(Popup);
    TrackPopupMenu(Popup, 0, X, Y, 0, Owner, nullptr);
}

} // namespace swatchbox
