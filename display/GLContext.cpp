#include "display/GLContext.h"

#include "shell/MainWindowState.h"

#include <float.h>

#include <cstdint>

namespace swatchbox {

PFNGLCOMPRESSEDTEXIMAGE2DARBPROC glCompressedTexImage2DARB = nullptr;

namespace {

const char* const InitialisationFailed = "[OPENGL]\r\nInitialisation of OpenGL failed!";
const char* const CloseDownFailed = "[OPENGL]\r\nFailed to close down OpenGL properly!";
const char* const ExtensionsMissing =
    "[OPENGL]\r\nCould not load extensions!\r\n(OpenGL v1.3 or higher is needed)";

PIXELFORMATDESCRIPTOR PanelPixelFormat() {
    PIXELFORMATDESCRIPTOR Descriptor{};
    Descriptor.nSize = sizeof(Descriptor);
    Descriptor.nVersion = 1;
    Descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    Descriptor.iPixelType = PFD_TYPE_RGBA;
    Descriptor.cColorBits = 24;
    Descriptor.cDepthBits = 32;
    Descriptor.iLayerType = PFD_MAIN_PLANE;
    return Descriptor;
}

// Some drivers answer a failed lookup with a small number instead of null.
bool IsEntryPoint(PROC Address) {
    const auto Value = reinterpret_cast<intptr_t>(Address);
    return Value != 0 && Value != 1 && Value != 2 && Value != 3 && Value != -1;
}

} // namespace

void SetFloatingPointControl() {
    _controlfp(_MCW_EM | _RC_NEAR, _MCW_EM | _MCW_RC);
}

bool CreateGLContext(HWND Window, HDC& DC, HGLRC& Context) {
    DC = nullptr;
    Context = nullptr;
    // GetDC of no window would give the screen's context.
    const HDC WindowDC = Window ? GetDC(Window) : nullptr;
    if (WindowDC) {
        PIXELFORMATDESCRIPTOR Descriptor = PanelPixelFormat();
        const int Format = ChoosePixelFormat(WindowDC, &Descriptor);
        if (Format != 0 && SetPixelFormat(WindowDC, Format, &Descriptor)) {
            DescribePixelFormat(WindowDC, Format, sizeof(Descriptor), &Descriptor);
            if (const HGLRC Created = wglCreateContext(WindowDC)) {
                DC = WindowDC;
                Context = Created;
                return true;
            }
        }
        ReleaseDC(Window, WindowDC);
    }
    ShowError(InitialisationFailed);
    return false;
}

void DestroyGLContext(HWND Window, HDC DC, HGLRC Context) {
    bool Failed = false;
    if (wglGetCurrentContext() && !wglMakeCurrent(nullptr, nullptr))
        Failed = true;
    if (Context && !wglDeleteContext(Context))
        Failed = true;
    if (DC && !ReleaseDC(Window, DC))
        Failed = true;
    if (Failed)
        ShowError(CloseDownFailed);
}

bool LoadGLExtensions() {
    const PROC Address = wglGetProcAddress("glCompressedTexImage2DARB");
    glCompressedTexImage2DARB =
        IsEntryPoint(Address)
            ? reinterpret_cast<PFNGLCOMPRESSEDTEXIMAGE2DARBPROC>(reinterpret_cast<void*>(Address))
            : nullptr;
    if (glCompressedTexImage2DARB)
        return true;
    ShowError(ExtensionsMissing);
    SendMessageA(App.MainWnd, WM_DESTROY, 0, 0);
    return false;
}

} // namespace swatchbox
