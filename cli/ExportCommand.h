#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace swatchbox::cli {

struct TExportOptions {
    std::vector<std::string> Packages;
    // Folder the package folders are made in; empty for the current folder.
    std::string OutDir;
    bool ShowProgress = false;
    // Name every texture skipped for having no stored mip map, however many.
    bool Verbose = false;
};

// Writes every texture of each package "as is" to
// OutDir/<package>/<Group>/<Name>.BMP or .DDS, with every component made safe
// (SafePathComponent). Formats without an "as is" writer and textures stored
// without mip maps are skipped with a warning; a package with many of the
// latter gets one line for them all unless Verbose. A summary goes to Out,
// messages and progress to Err. Returns 0 when every package was read and
// every writable texture written, else 1.
int RunExport(const TExportOptions& Options, std::ostream& Out, std::ostream& Err);

} // namespace swatchbox::cli
