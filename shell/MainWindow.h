#pragma once

#include <windows.h>

namespace swatchbox {

constexpr UINT_PTR RenderTimerId = 96;

LRESULT CALLBACK MainWindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);

// Handlers of the main window with more than a few lines of their own.
// FALSE stops the creation.
BOOL OnMainWindowCreate(HWND Window, LPCREATESTRUCT Create);
LRESULT OnMainWindowDestroy(HWND Window, WPARAM WParam);
void LayoutMainWindow();

} // namespace swatchbox
