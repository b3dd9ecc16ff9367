#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace swatchbox {

// Rules for the names behind the package list's rows. Paths are Windows
// paths; nothing here touches the file system.

// The text after the last "\" or ":", the whole path when there is neither.
std::string_view FileNamePart(std::string_view Path);

// The row order: file-name parts only, a to z compared as upper case, byte by
// byte, a prefix before the longer name. <0, 0 or >0.
int ComparePackageFiles(std::string_view A, std::string_view B);

// The entries of a retail list's text: runs of bytes 1 to 32 (blanks, CR, LF
// and every other control character) separate them and yield none; a zero
// byte ends the text.
std::vector<std::string> ParseRetailList(std::string_view Text);

// The name a retail list holds for a path: the file-name part without its
// extension (from its last "." on), a to z upper-cased.
std::string RetailName(std::string_view Path);

// A game's texture folder from its install folder as the registry holds it:
// blanks and control characters trimmed off both ends, then "\Textures".
std::string TextureFolderOf(std::string_view InstallFolder);

// The argument's folder part, up to and including its last "\", "/" or ":",
// joined with a found name; a bare name stays bare, so a relative argument
// stays relative.
std::string ReplaceFileName(std::string_view Path, std::string_view Name);

// A folder without the separators at its end ("C:\" gives "C:"), so that
// appending "\" and a name makes a path with one separator.
std::string WithoutTrailingSeparator(std::string_view Folder);

} // namespace swatchbox
