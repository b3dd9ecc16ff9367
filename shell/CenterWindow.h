#pragma once

#include <windows.h>

namespace swatchbox {

// Window's rectangle, with left and top moved so that a window of Window's
// size is centred over Reference; right and bottom are left as they were.
// Halves are truncated toward zero, so a window larger than the reference
// starts before it.
RECT CenteredRect(const RECT& Reference, const RECT& Window);

// Rect := Window's outer rectangle in screen coordinates, its left and top
// centring it over MainWnd, or over the desktop when OverDesktop is true.
void CenterWindowRect(HWND Window, bool OverDesktop, RECT& Rect);

// Moves Window, keeping its size, to the centre of MainWnd.
void CenterOverMainWindow(HWND Window);

} // namespace swatchbox
