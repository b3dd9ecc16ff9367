#pragma once

#include <cstdint>
#include <string>

namespace swatchbox {

// Makes the label font and the glyph lists for character codes 0 to 254,
// replacing (and deleting) the ones made before.
void BuildFontLists(const std::string& FontName, int32_t FontSize);

// One OpenGL unit per pixel of the panel, origin top left, y downwards.
void SetPanelProjection();

// One full drawing pass into the back buffer: background, highlight,
// thumbnails and labels, and the selected texture's name in the status bar.
// Returns false, having touched nothing, when no texture is shown.
bool DrawTexturePanel();

// DrawTexturePanel, then puts the result on the screen.
void RenderTexturePanel();

// The four label lines of ShownTextures[Index], the first on Baseline.
void DrawTextureLabel(int32_t Index, float X, float Baseline);

// Selects the texture under a point of the panel's client area (scrolling
// included); a point beside or below the textures clears the selection, one
// in the top or left margin leaves it as it is.
void HitTestPanel(int32_t X, int32_t Y);

// Thumbnail cells in one row of the panel at its present width.
int32_t PanelColumnCount();

} // namespace swatchbox
