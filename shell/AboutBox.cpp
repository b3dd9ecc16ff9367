#include "shell/AboutBox.h"

namespace swatchbox {

void ShowAboutBox() {}

INT_PTR CALLBACK AboutDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

} // namespace swatchbox
