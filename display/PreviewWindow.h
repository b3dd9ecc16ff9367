#pragma once

#include <windows.h>

namespace swatchbox {

// Opens the preview of ShownTextures[SelectedIndex], which must be valid.
void OpenPreview();

LRESULT CALLBACK PreviewProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);

} // namespace swatchbox
