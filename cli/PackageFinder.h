#pragma once

#include "package/Reporter.h"

#include <cstddef>
#include <string>
#include <vector>

namespace swatchbox::cli {

struct TFoundPackages {
    // Files named directly and the packages found in the folders, in the
    // order named; a folder's files sorted by path.
    std::vector<std::string> Packages;
    // Files in the folders that are no packages.
    std::size_t OtherFiles = 0;
};

// Expands the paths named on the command line: a file stays as it is, a
// folder gives every file under it, at any depth, that begins with the
// package signature, whatever its name. Symbolic links are not followed, so
// a link loop can't make the walk go round. A folder or file that can't be
// read is reported as a warning and skipped.
TFoundPackages FindPackages(const std::vector<std::string>& Paths, IReporter& Reporter);

// "3 files in the folders are no packages." for the commands' summaries.
std::string OtherFilesText(std::size_t Count);

} // namespace swatchbox::cli
