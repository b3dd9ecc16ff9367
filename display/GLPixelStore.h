#pragma once

#include <windows.h>

#include <GL/gl.h>

namespace swatchbox {

// Pixel-store state for reading tightly addressed rows padded to 4 bytes,
// whatever another part of the program set; restored afterwards.
class TPackState {
public:
    TPackState() {
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glPixelStorei(GL_PACK_ROW_LENGTH, 0);
        glPixelStorei(GL_PACK_SKIP_ROWS, 0);
        glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
        glPixelStorei(GL_PACK_SWAP_BYTES, GL_FALSE);
    }
    ~TPackState() { glPopClientAttrib(); }
    TPackState(const TPackState&) = delete;
    TPackState& operator=(const TPackState&) = delete;
};

} // namespace swatchbox
