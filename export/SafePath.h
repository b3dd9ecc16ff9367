#pragma once

#include <string>
#include <string_view>

namespace swatchbox {

// Longest component SafePathComponent returns, leaving room for an extension
// and a number suffix within the usual 255-byte limit of file systems.
inline constexpr std::size_t MaxComponentLength = 200;

// Turns an untrusted name into one file or folder name that stays where it is
// put, on POSIX and Windows alike: every character other than ASCII letters,
// digits, '_', '-', '.', ' ', '(' and ')' becomes '_'; an empty name, "." and
// ".." become "_"; trailing dots and blanks (which Windows drops) become '_';
// Windows device names (CON, NUL, COM1, ...) get a '_' in front; overlong
// names are cut to MaxComponentLength.
std::string SafePathComponent(std::string_view Name);

// The file name of Path without its folders and its last extension, as typed:
// "a/b/Walls.utx" gives "Walls". Both '/' and '\' count as folder separators.
// For a compressed package one more extension goes: "CTF-Foo.ut2.uz2" gives
// "CTF-Foo", the name of the package inside.
std::string PackageBaseName(std::string_view Path, bool Compressed = false);

} // namespace swatchbox
