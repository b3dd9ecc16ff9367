#pragma once

#include "shell/WinHandles.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace swatchbox {

// Puts the texture panel's frames on the screen.
//
// On Windows OpenGL draws into the panel itself and a frame is shown by
// swapping the panel's buffers. Wine 8 never shows OpenGL output drawn into a
// child window, and a child window that has a pixel format shows no GDI
// drawing either. So under Wine the panel keeps no pixel format: the context
// lives on a hidden top-level window of the panel's size, and every frame is
// read back from its back buffer and copied into the panel with GDI, which the
// window system clips like any other drawing (a preview, menu or dialog above
// the panel stays untouched). The copy is kept, so the frame can be shown
// again without OpenGL.
class TPanelPresenter {
public:
    // The window OpenGL draws the panel's frames into: the panel itself, or
    // under Wine a hidden window made here. Null without a panel, or when the
    // hidden window can't be made.
    HWND Attach(HWND Panel);
    // Destroys the hidden window, once the context on it is gone, and the frame.
    void Detach();
    HWND DrawingWindow() const;

    // True when frames are copied into the panel (under Wine).
    bool CopiesFrames() const { return static_cast<bool>(Surface); }

    // Follows the panel's client size. The context must be current on DC.
    void Resize(HDC DC, int32_t Width, int32_t Height);
    // Shows the frame just drawn into the back buffer of DC, which is current.
    void Present(HDC DC);
    // Shows the last frame again, without OpenGL, into a device context of the
    // panel. False when frames aren't copied or none of the panel's present
    // size is held.
    bool PresentAgain(HDC PanelDC);

private:
    void Show(HDC PanelDC) const;

    HWND Panel = nullptr;
    TWindowHandle Surface;
    // The last frame, bottom row first, as OpenGL reads it and GDI takes it.
    std::vector<uint32_t> Pixels;
    BITMAPINFO Format{};
    int32_t Width = 0;
    int32_t Height = 0;
    bool HoldsFrame = false;
};

} // namespace swatchbox
