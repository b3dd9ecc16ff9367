#pragma once

#include "export/DecodedExport.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace swatchbox::cli {

struct TExportOptions {
    // Package files, and folders to search for packages.
    std::vector<std::string> Packages;
    // Folder the package folders are made in; empty for the current folder.
    std::string OutDir;
    // Shown when there is more than one package.
    bool ShowProgress = false;
    // Name every texture skipped for having no stored mip map, however many.
    bool Verbose = false;
    TExportFormat Format = TExportFormat::AsIs;
    // Decoded formats: alpha 255 everywhere instead of the engine's alpha.
    bool Opaque = false;
    // Decoded formats: write a texture's compressed picture where it has one.
    bool PreferCompressed = false;
    // Threads that decode and write.
    unsigned Jobs = 1;
    // Only the textures whose Name or Group.Name matches this pattern.
    std::optional<std::string> Name{};
};

// Writes every texture of each package to OutDir/<package>/<Group>/<Name>,
// with every component made safe (SafePathComponent): "as is" as .BMP or
// .DDS, or decoded as .PNG, .TGA or .BMP. Folders are searched for packages
// at any depth. Formats without an "as is" writer or a decoder and textures
// stored without mip maps are skipped with a warning; a package with many of
// the latter gets one line for them all unless Verbose. The files are the
// same whatever the number of Jobs. A summary goes to Out, messages and
// progress to Err. Returns 0 when every package was read and every writable
// texture written, else 1.
int RunExport(const TExportOptions& Options, std::ostream& Out, std::ostream& Err);

} // namespace swatchbox::cli
