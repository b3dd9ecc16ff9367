#pragma once

#include <windows.h>

#include <string>

namespace swatchbox {

enum TStatusAlignment { saLeft = 0, saCentre = 1, saRight = 2 };

// Part -1 clears all three parts.
void SetStatusText(int Part, const std::string& Text = {}, TStatusAlignment Alignment = saLeft);

// While a menu item is highlighted, the status bar shows its help text from
// the string table (WM_MENUSELECT's parameters as the message cracker gives
// them); items that can't be chosen, and a closing menu, show none.
void ShowMenuItemHelp(HMENU Menu, int Item, UINT Flags);
void EndMenuItemHelp();

} // namespace swatchbox
