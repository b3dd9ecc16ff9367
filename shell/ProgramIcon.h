#pragma once

#include <windows.h>

namespace swatchbox {

// Gives a dialog the program's icon "ICO_APP" as its small (caption) icon.
void SetSmallProgramIcon(HWND Window);

} // namespace swatchbox
