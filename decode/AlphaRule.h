#pragma once

#include "package/PixelFormat.h"

namespace swatchbox {

enum class TAlphaMode {
    // The alpha the engine draws with: textures marked masked or alpha keep
    // their own (P8, RGBA8, BC7), DXT always keeps its decoded alpha, the
    // rest is opaque.
    Engine,
    // Alpha 255 everywhere.
    Opaque,
};

struct TAlphaRule {
    // Keep the alpha the format stores: decoded DXT or BC7 alpha, the RGBA8
    // alpha byte, the palette's alpha byte.
    bool KeepStored = false;
    // P8: palette index 0 is transparent.
    bool IndexZeroClear = false;
};

TAlphaRule AlphaRuleFor(TPixelFormat Format, bool bMasked, bool bAlphaTexture, TAlphaMode Mode);

} // namespace swatchbox
