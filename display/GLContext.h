#pragma once

#include <windows.h>

#include <GL/gl.h>
#include <GL/glext.h>

namespace swatchbox {

// The compressed-texture upload, looked up by LoadGLExtensions; null before.
extern PFNGLCOMPRESSEDTEXIMAGE2DARBPROC glCompressedTexImage2DARB;

// Masks every floating-point exception for the process, so neither the driver
// nor the display's own float arithmetic can fault: a division by zero gives
// an infinity or NaN instead.
void SetFloatingPointControl();

// Takes the window's device context, gives it a double-buffered RGBA pixel
// format with a depth buffer and creates a rendering context on it, without
// making it current. On failure shows the initialisation error, releases what
// it took and returns false with both handles null.
bool CreateGLContext(HWND Window, HDC& DC, HGLRC& Context);

// Releases the context from the thread, deletes it and gives the device
// context back. Every step is tried; a failing one is reported once.
void DestroyGLContext(HWND Window, HDC DC, HGLRC Context);

// Looks up glCompressedTexImage2DARB in the current context. Without it the
// program can't show compressed textures: the error is shown and the main
// window is sent WM_DESTROY, which shuts the program down.
bool LoadGLExtensions();

} // namespace swatchbox
