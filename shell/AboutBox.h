#pragma once

#include <windows.h>

namespace swatchbox {

// Shows "DLG_ABOUT" modally, owned by the main window.
void ShowAboutBox();

INT_PTR CALLBACK AboutDialogProc(HWND Dialog, UINT Message, WPARAM WParam, LPARAM LParam);

} // namespace swatchbox
