#pragma once

#include <windows.h>

#include <string>

namespace swatchbox {

// The whole text of one item of a combo box; empty for an item that isn't there.
std::string ComboItemText(HWND Combo, LRESULT Index);
// The whole text of the chosen item; empty when none is chosen.
std::string ChosenComboText(HWND Combo);

} // namespace swatchbox
