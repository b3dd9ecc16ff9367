#pragma once

#include <string>

namespace swatchbox {

std::string HelpFileName();
bool HelpFileExists();
// Opens the help file's start page; does nothing without the file or without
// a usable HTML Help library.
void OpenHelp();

} // namespace swatchbox
