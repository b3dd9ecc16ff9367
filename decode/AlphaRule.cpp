#include "decode/AlphaRule.h"

namespace swatchbox {

TAlphaRule AlphaRuleFor(TPixelFormat Format, bool bMasked, bool bAlphaTexture, TAlphaMode Mode) {
    if (Mode == TAlphaMode::Opaque)
        return {};
    switch (Format) {
    case pfDXT1:
    case pfDXT3:
    case pfDXT5:
        return {.KeepStored = true};
    case pfP8:
        return {.KeepStored = bAlphaTexture, .IndexZeroClear = bMasked};
    case pfRGBA8:
    case pfBC7:
        return {.KeepStored = bMasked || bAlphaTexture};
    default:
        return {};
    }
}

} // namespace swatchbox
