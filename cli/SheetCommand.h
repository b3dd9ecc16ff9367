#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace swatchbox::cli {

struct TSheetOptions {
    std::string Package;
    // The PNG file to write; empty: <package>.PNG in the current folder.
    std::string OutFile;
    // Edge of each thumbnail's square, in pixels.
    int32_t Size = 128;
    // Only the textures of this group (any case) or matching this pattern.
    std::optional<std::string> Group;
    std::optional<std::string> Name;
    bool Opaque = false;
    unsigned Jobs = 1;
};

// Writes one PNG picture of the package's textures, sorted by name like the
// program's panel, each as a labelled thumbnail. Textures the program doesn't
// show (ignored ones, those without pixels) are left out; formats without a
// decoder show as plain areas. The written file is named on Out; messages go
// to Err. Returns 0 when the picture was written without errors, else 1.
int RunSheet(const TSheetOptions& Options, std::ostream& Out, std::ostream& Err);

} // namespace swatchbox::cli
