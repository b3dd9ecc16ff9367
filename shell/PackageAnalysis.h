#pragma once

#include "package/TextureObject.h"

#include <string>

namespace swatchbox {

// Reads the package into the texture set: every texture uploaded, sorted by
// name, the groups in the group box, the counts in the status bar. A package
// that can't be read leaves no texture set and shows an error.
void AnalysePackage(const std::string& Path);
// Frees the texture set and the package.
void ReleasePackage();
// Shows the textures of one group, or all for "(All)".
void FilterByGroup(const std::string& Name);
void UpdatePanelScrollRange();
// Locale order of the names, case ignored: <0, 0 or >0.
int CompareTextures(const TTextureObject& A, const TTextureObject& B);

// The group box's choice and a click on the group label.
void OnGroupChoice();
void OnGroupLabelClick();
// Back to "no package": empty group box, plain group label, empty status bar.
void ClearGroupsAndStatus();

} // namespace swatchbox
