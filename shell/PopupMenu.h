#pragma once

#include "shell/WinHandles.h"

#include <windows.h>

#include <string>
#include <vector>

namespace swatchbox {

// Shows sub-menu 0 of a menu resource at a screen point until it closes; the
// chosen command then reaches Owner as WM_COMMAND.
void ShowPopupMenu(const std::string& Name, int X, int Y, HWND Owner);

// Gives the retail items of the package list menu their game symbols and
// greys "&Clear list" and the retail sub-menu while the list is empty. The
// returned bitmaps must live as long as the menu is shown.
std::vector<TBitmapHandle> PreparePackageListMenu(HMENU Popup);

// Makes "&Preview" the default item, checks the present size and greys the
// texture commands while nothing is selected.
void PrepareRenderPanelPopup(HMENU Popup);

} // namespace swatchbox
