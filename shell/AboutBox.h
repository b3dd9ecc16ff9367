#pragma once

#include <windows.h>

namespace swatchbox {

// Shows "DLG_ABOUT" modally, owned by the main window.
void ShowAboutBox();

INT_PTR CALLBACK AboutDialogProc(HWND Dialog, UINT Message, WPARAM WParam, LPARAM LParam);

// Registers Control with the tooltip window ToolTips, showing Text while the
// mouse rests on the control.
void AddToolTip(HWND ToolTips, HWND Control, const char* Text);

} // namespace swatchbox
