#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace swatchbox {

// A normal map texel as colour: X in red, Y in green, Z in blue, each -1..1
// drawn as 0..255.
struct TNormal {
    uint8_t R, G, B;
};

inline uint8_t NormalByte(double Value) {
    return static_cast<uint8_t>(std::lround((std::clamp(Value, -1.0, 1.0) + 1) * 127.5));
}

// Z rebuilt from X and Y as the unit length leaves it (0 past the circle).
inline TNormal NormalFromXY(double X, double Y) {
    const double Z = std::sqrt(std::max(0.0, 1 - X * X - Y * Y));
    return {NormalByte(X), NormalByte(Y), NormalByte(Z)};
}

// X and Y stored as unsigned bytes, 0..255 for -1..1; the bytes stay as stored.
inline TNormal NormalFromUnsigned(uint8_t R, uint8_t G) {
    TNormal Normal = NormalFromXY(R / 127.5 - 1, G / 127.5 - 1);
    Normal.R = R;
    Normal.G = G;
    return Normal;
}

// X and Y stored as signed bytes, -127..127 for -1..1 (-128 as -127).
inline TNormal NormalFromSigned(int8_t X, int8_t Y) {
    return NormalFromXY(std::max(X / 127.0, -1.0), std::max(Y / 127.0, -1.0));
}

} // namespace swatchbox
