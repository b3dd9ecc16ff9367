#include "shell/PopupMenu.h"

#include "shell/Games.h"
#include "shell/MainWindowState.h"

#include <commctrl.h>

namespace swatchbox {

namespace {

constexpr UINT ClearListPosition = 1;
constexpr UINT RetailMenuPosition = 3;

// The texture panel's menu is shown as the resource has it.
void PrepareRenderPanelPopup(HMENU) {}

} // namespace

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
