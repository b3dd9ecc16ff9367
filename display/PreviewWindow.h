#pragma once

#include <windows.h>

namespace swatchbox {

// Opens the preview of ShownTextures[SelectedIndex], which must be valid. The
// main window takes no input while the preview is open.
void OpenPreview();

// The outer rectangle of a preview window whose client area is exactly the
// size of the selected texture's picture shown (its compressed one, when the
// preview shows that); left and top come out negative.
void PreviewWindowRect(RECT& Rect);

// Bitmap scaled with halftone stretching so that its longer side is 128
// pixels (the shorter one at least 1), compatible with the screen. The
// source is not changed; the caller owns the result.
HBITMAP MakeTileBitmap(HBITMAP Bitmap, int Width, int Height);

// The tile's size for a Width x Height texture.
SIZE TileSize(int Width, int Height);

LRESULT CALLBACK PreviewProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);

} // namespace swatchbox
