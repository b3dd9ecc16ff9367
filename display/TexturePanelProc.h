#pragma once

#include <windows.h>

namespace swatchbox {

// Window procedure of the texture panel: selection by the left button,
// scrolling by the scroll bar and the wheel, size steps by Ctrl with the
// wheel. Everything else goes to the button's own procedure.
LRESULT CALLBACK TexturePanelProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);

} // namespace swatchbox
