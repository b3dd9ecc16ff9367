#pragma once

#include "display/OpenGLTexture.h"

#include <windows.h>

namespace swatchbox {

// The texture's pixels as a 32-bit bitmap (blue, green, red, alpha), read
// back from OpenGL, upright as stored. The caller owns the bitmap. A texture
// without an OpenGL image gives a cleared (black, transparent) bitmap.
HBITMAP CreateBitmapFromTexture(const TOpenGLTexture& Texture);

} // namespace swatchbox
