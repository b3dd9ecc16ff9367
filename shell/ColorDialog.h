#pragma once

#include <windows.h>

#include <cstdint>

namespace swatchbox {

// Asks for one of the panel's colours (command 11011 background, 11012
// selection, 11013 text). The chosen colour, or Current when the user
// cancelled. Colours are 0x00BBGGRR.
uint32_t ChoosePanelColor(int Command, uint32_t Current);

// Centres the dialog over the main window, gives it the program icon and
// names the colour in its caption. Nonzero for WM_INITDIALOG, else 0.
UINT_PTR CALLBACK ColorDialogHook(HWND Dialog, UINT Message, WPARAM WParam, LPARAM LParam);

} // namespace swatchbox
