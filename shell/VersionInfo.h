#pragma once

#include <string>

namespace swatchbox {

// A value of the string block "04410000" of the file's version record; empty
// when the file has no record, no such block or no such value.
std::string QueryVersionString(const std::string& FileName, const std::string& ValueName);

// "<ProductVersion> (<BuildDate>)" of the running program.
std::string MakeVersionText();

} // namespace swatchbox
