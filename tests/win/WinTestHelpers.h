#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace swatchbox::testing {

// Text of one status bar part, without the tabs that align it.
std::string StatusText(int Part);
std::string WindowText(HWND Window);
std::vector<std::string> ComboItems(HWND Combo);
std::vector<std::string> ShownNames();

} // namespace swatchbox::testing
