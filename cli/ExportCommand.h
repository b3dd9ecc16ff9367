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
};

// Writes every texture of each package "as is" to
// OutDir/<package>/<Group>/<Name>.BMP or .DDS, with every component made safe
// (SafePathComponent). Formats without an "as is" writer are skipped with a
// warning. A summary goes to Out, messages and progress to Err. Returns 0
// when every package was read and every writable texture written, else 1.
int RunExport(const TExportOptions& Options, std::ostream& Out, std::ostream& Err);

} // namespace swatchbox::cli
