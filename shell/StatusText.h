#pragma once

#include <string>

namespace swatchbox {

enum TStatusAlignment { saLeft = 0, saCentre = 1, saRight = 2 };

// Part -1 clears all three parts.
void SetStatusText(int Part, const std::string& Text = {}, TStatusAlignment Alignment = saLeft);

} // namespace swatchbox
