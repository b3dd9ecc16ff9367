#pragma once

#include <string>

namespace swatchbox {

// The help file: Swatchbox.CHM beside the program, unless a test chose another
// with UseHelpFile.
std::string HelpFileName();
void UseHelpFile(const std::string& FileName);
bool HelpFileExists();
// Opens the help file's start page; does nothing without the file or without
// a usable HTML Help library.
void OpenHelp();

} // namespace swatchbox
