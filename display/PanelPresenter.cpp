#include "display/PanelPresenter.h"

#include "display/GLPixelStore.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <new>

namespace swatchbox {

namespace {

constexpr char SurfaceClassName[] = "SWATCHBOX_PANELSURFACE";

// Wine's ntdll exports wine_get_version; the one of Windows doesn't.
bool RunningUnderWine() {
    static const bool UnderWine = [] {
        const HMODULE Ntdll = GetModuleHandleA("ntdll.dll");
        return Ntdll && GetProcAddress(Ntdll, "wine_get_version") != nullptr;
    }();
    return UnderWine;
}

// A never-shown top-level window that carries the context under Wine. It has
// no owner: an owned window would be destroyed before the main window's
// shutdown could take the context off it.
HWND CreateSurfaceWindow(int Width, int Height) {
    static const bool Registered = [] {
        WNDCLASSEXA Class{};
        Class.cbSize = sizeof(Class);
        Class.style = CS_OWNDC;
        Class.lpfnWndProc = DefWindowProcA;
        Class.hInstance = GetModuleHandleA(nullptr);
        Class.lpszClassName = SurfaceClassName;
        return RegisterClassExA(&Class) != 0;
    }();
    if (!Registered)
        return nullptr;
    return CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, SurfaceClassName, "", WS_POPUP, 0,
                           0, std::max(Width, 1), std::max(Height, 1), nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

} // namespace

HWND TPanelPresenter::Attach(HWND NewPanel) {
    Detach();
    Panel = NewPanel;
    if (!Panel || !RunningUnderWine())
        return Panel;
    RECT Client{};
    GetClientRect(Panel, &Client);
    Surface.Reset(CreateSurfaceWindow(Client.right, Client.bottom));
    return Surface.Get();
}

void TPanelPresenter::Detach() {
    Surface.Reset();
    Panel = nullptr;
    Pixels = {};
    Width = 0;
    Height = 0;
    HoldsFrame = false;
}

HWND TPanelPresenter::DrawingWindow() const {
    return Surface ? Surface.Get() : Panel;
}

void TPanelPresenter::Resize(HDC DC, int32_t NewWidth, int32_t NewHeight) {
    NewWidth = std::max(NewWidth, 0);
    NewHeight = std::max(NewHeight, 0);
    if (!Surface || (NewWidth == Width && NewHeight == Height))
        return;
    HoldsFrame = false;
    SetWindowPos(Surface.Get(), nullptr, 0, 0, std::max(NewWidth, 1), std::max(NewHeight, 1),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    // Mesa takes a window's new size for its buffers at the next swap.
    SwapBuffers(DC);
    try {
        Pixels.assign(static_cast<std::size_t>(NewWidth) * static_cast<std::size_t>(NewHeight), 0);
    } catch (const std::bad_alloc&) {
        NewWidth = 0;
        NewHeight = 0;
        Pixels = {};
    }
    Width = NewWidth;
    Height = NewHeight;
    Format.bmiHeader = {};
    Format.bmiHeader.biSize = sizeof(Format.bmiHeader);
    Format.bmiHeader.biWidth = Width;
    Format.bmiHeader.biHeight = Height; // positive: bottom row first, as OpenGL reads
    Format.bmiHeader.biPlanes = 1;
    Format.bmiHeader.biBitCount = 32;
    Format.bmiHeader.biCompression = BI_RGB;
}

void TPanelPresenter::Present(HDC DC) {
    if (!Surface) {
        SwapBuffers(DC);
        return;
    }
    if (Pixels.empty())
        return;
    {
        const TPackState PackState;
        glReadPixels(0, 0, Width, Height, GL_BGRA_EXT, GL_UNSIGNED_BYTE, Pixels.data());
    }
    HoldsFrame = true;
    const TWindowDC Target(Panel);
    if (Target.Get())
        Show(Target.Get());
}

bool TPanelPresenter::PresentAgain(HDC PanelDC) {
    if (!Surface || !HoldsFrame)
        return false;
    RECT Client{};
    GetClientRect(Panel, &Client);
    if (Client.right != Width || Client.bottom != Height)
        return false;
    Show(PanelDC);
    return true;
}

void TPanelPresenter::Show(HDC PanelDC) const {
    SetDIBitsToDevice(PanelDC, 0, 0, static_cast<DWORD>(Width), static_cast<DWORD>(Height), 0, 0, 0,
                      static_cast<UINT>(Height), Pixels.data(), &Format, DIB_RGB_COLORS);
}

} // namespace swatchbox
