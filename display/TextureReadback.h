#pragma once

#include "display/OpenGLTexture.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace swatchbox {

// The texture's pixels as a 32-bit bitmap (blue, green, red, alpha), read
// back from OpenGL, upright as stored. The caller owns the bitmap. A texture
// without an OpenGL image gives a cleared (black, transparent) bitmap; null
// when the pixels don't fit in memory or GDI makes no bitmap.
HBITMAP CreateBitmapFromTexture(const TOpenGLTexture& Texture);

// Largest read-back buffer, in bytes; it also keeps a bitmap's 32-bit size
// fields from overflowing.
inline constexpr int64_t LargestReadback = INT32_MAX;

// Bytes of the texture read back with 4 bytes a pixel; 0 when the size is not
// positive or exceeds LargestReadback.
int64_t ReadbackSize(const TOpenGLTexture& Texture);

// True when OpenGL holds a level-0 image of the texture's stated size, so a
// read-back fills exactly ReadbackSize bytes.
bool HasOpenGLImage(const TOpenGLTexture& Texture);

// Level 0 of the texture, 4 bytes a pixel in the order Format gives
// (GL_BGRA_EXT for bitmaps, GL_RGBA for the image writers), first stored row
// first. A texture without an OpenGL image gives zeros; empty when
// ReadbackSize is 0. The rendering context that owns the texture must be
// current; bindings and pixel-store settings are left as they were.
std::vector<uint8_t> ReadTextureImage(const TOpenGLTexture& Texture, GLenum Format);

} // namespace swatchbox
