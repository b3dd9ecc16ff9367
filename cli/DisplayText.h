#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace swatchbox::cli {

// 8-bit text from a package made safe to print: Latin-1 letters become UTF-8,
// control characters (C0, DEL and C1, which could drive a terminal) become
// "\xNN". Used for names in the listing and in messages.
std::string DisplayText(std::string_view Latin1);

// Text from the command line or the system made safe to print: control
// characters become "\xNN", all other bytes stay (they are in the console's
// own encoding already).
std::string EscapeControls(std::string_view Text);

// Columns a UTF-8 text takes on a terminal, counting one per character.
std::size_t DisplayWidth(std::string_view Utf8);

} // namespace swatchbox::cli
