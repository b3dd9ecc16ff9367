#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace swatchbox::cli {

struct TListOptions {
    // Package files, and folders to search for packages.
    std::vector<std::string> Packages;
    bool Json = false;
    // Shown when there is more than one package.
    bool ShowProgress = false;
    // Only the textures whose Name or Group.Name matches this pattern; then
    // packages without such textures are left out of the table.
    std::optional<std::string> Name{};
};

// Lists the texture exports of each package on Out, as an aligned table or as
// one JSON array over all packages; folders are searched for packages at any
// depth. Messages, progress and the count of files in the folders that are no
// packages go to Err. Returns 0 when everything could be read, 1 when
// anything failed.
int RunList(const TListOptions& Options, std::ostream& Out, std::ostream& Err);

} // namespace swatchbox::cli
