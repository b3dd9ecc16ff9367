#include "display/TextureReadback.h"

namespace swatchbox {

HBITMAP CreateBitmapFromTexture(const TOpenGLTexture&) {
    return nullptr;
}

} // namespace swatchbox
