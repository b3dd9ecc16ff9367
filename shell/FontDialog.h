#pragma once

#include <windows.h>

namespace swatchbox {

// Asks for the panel's label font; on confirmation sets Settings.FontName and
// Settings.FontSize and rebuilds the panel's glyph lists.
void ChoosePanelFont();

// Centres the dialog over the main window and gives it the program icon.
// Nonzero for WM_INITDIALOG, else 0.
UINT_PTR CALLBACK FontDialogHook(HWND Dialog, UINT Message, WPARAM WParam, LPARAM LParam);

} // namespace swatchbox
