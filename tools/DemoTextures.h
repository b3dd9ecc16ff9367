#pragma once

#include "tools/DemoImage.h"

#include <cstdint>
#include <vector>

namespace swatchbox::demo {

// Procedural pictures for the demo package. Each is made from fixed seeds, so
// every run paints the same pixels. Sizes are the ones the package uses.

// Surfaces (DemoSurfaces.cpp)
TIndexedImage PaintBricks();                              // 256 x 256, paletted
TImage PaintTiles();                                      // 256 x 256
TImage PaintWoodPlanks();                                 // 128 x 64
TImage PaintMetalPlate();                                 // 128 x 128
TImage PaintGrass();                                      // 128 x 128
TIndexedImage PaintSand();                                // 64 x 64, paletted
TIndexedImage PaintLava();                                // 128 x 128, paletted
TImage PaintMarble();                                     // 64 x 64
std::vector<float> PaintHeightMap(int Width, int Height); // heights in [0, 1]

// Normal maps (DemoNormals.cpp): X, Y and Z as red, green and blue, 0..255
// for -1..1.
TImage PaintBrickNormals(int Width, int Height); // sides multiples of 32 and 16

// Skies, glass, lettering and small swatches (DemoPictures.cpp)
TImage PaintSkyClouds();          // 256 x 128
TIndexedImage PaintNightSky();    // 128 x 128, paletted
TImage PaintBlueGlass();          // 128 x 128, translucent
TImage PaintWindowPane();         // 128 x 128, translucent panes in an opaque frame
TImage PaintBubbles();            // 64 x 64, translucent
TImage PaintRainbow();            // 64 x 64, fading out towards the rim
TIndexedImage PaintFontSheet();   // 256 x 128, index 0 is the see-through background
TIndexedImage PaintChecker();     // 64 x 64, paletted
TImage PaintNoise();              // 128 x 64
TIndexedImage PaintSinglePixel(); // 1 x 1, paletted
TIndexedImage PaintFourPixels();  // 2 x 2, paletted
TImage PaintGradient(int Width, int Height, uint32_t Seed);

} // namespace swatchbox::demo
