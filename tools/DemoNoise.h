#pragma once

#include "tools/DemoImage.h"

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace swatchbox::demo {

// Integer hash of a lattice point: the same numbers on every run and platform.
uint32_t Hash(int32_t X, int32_t Y, uint32_t Seed);
// Hash as a number in [0, 1).
float Random01(int32_t X, int32_t Y, uint32_t Seed);

// Smooth value noise in [0, 1] that repeats every Period lattice cells, so
// textures made from it tile.
float ValueNoise(float X, float Y, int Period, uint32_t Seed);
// Octaves of ValueNoise, each at twice the frequency and half the weight.
float Fractal(float X, float Y, int Period, int Octaves, uint32_t Seed);

float Clamp01(float Value);
float SmoothStep(float Edge0, float Edge1, float Value);
TColour Mix(TColour From, TColour To, float Amount);
TColour Scale(TColour Colour, float Factor);

// 256 palette entries blended between stops given as (index, colour), which
// must start at 0, end at 255 and rise.
std::vector<TColour> Ramp(std::initializer_list<std::pair<int, TColour>> Stops);

} // namespace swatchbox::demo
