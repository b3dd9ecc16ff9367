#pragma once

#include "export/DecodedExport.h"
#include "package/TextureObject.h"
#include "package/UnrealPackage.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace swatchbox {

// Why a batch export writes no file for a texture.
enum class TBatchSkip {
    None,
    Ignored,   // unreadable, or its palette is no export of the package
    NoMipData, // stored without mip maps: the package carries no pixels for it
    NoWriter,  // no "as is" writer, or no decoder, for its format
};

// Compressed: the texture's compressed picture (Comp must be set), which is
// written as is only as its blocks (.DDS).
TBatchSkip BatchSkipReason(const TTextureObject& Texture, TExportFormat Format,
                           bool Compressed = false);
// ".BMP" or ".DDS" by pixel format for AsIs, else the decoded format's; empty
// when there is no file for it.
std::string_view BatchExtension(const TTextureObject& Texture, TExportFormat Format,
                                bool Compressed = false);

// Where a texture of a batch export goes.
struct TBatchTarget {
    std::string Folder; // Root/<package>/<group>
    std::string File;   // Folder/<name>.<EXT>
    std::string Shown;  // "<group>/<name>.<EXT>"
    // The export whose file took the plain name first, or -1 when the plain
    // name was free.
    int32_t SameNameAs = -1;
};

// The folders and file names of a batch export: Root/<package>/<group>/<name>.<EXT>,
// every component made safe. Names that would collide (two packages of one
// base name, two textures of one group and name; case is ignored, as
// Windows and macOS do) get a number: the later package "_2", "_3", ...; the
// later texture its export number. Textures must be placed in export-table
// order for the numbers to stay the same from one run to the next.
class TBatchLayout {
public:
    explicit TBatchLayout(std::string Root);

    // The trimmed root; empty for the current folder.
    const std::string& Root() const { return RootFolder; }
    // Starts the next package and gives its folder. Taken gets the package's
    // own folder name when an earlier package took it.
    std::string BeginPackage(const TUnrealPackage& Package, std::string* Taken = nullptr);
    // Names the texture's file in the current package's folder; nothing is
    // made on disk.
    TBatchTarget Place(const TTextureObject& Texture, std::string_view Extension);
    // Makes Folder and its parents once. False when it can't be made; Error
    // then gets the reason the first time only.
    bool EnsureFolder(const std::string& Folder, std::string* Error = nullptr);

    static std::string Join(const std::string& Folder, const std::string& Name);

private:
    std::string RootFolder;
    std::string PackageFolder;
    std::unordered_set<std::string> UsedPackageFolders;
    // Files of the current package by folded "Group/File" key, with the export
    // that took the name.
    std::unordered_map<std::string, int32_t> UsedFiles;
    // Folders already made (true) or found impossible to make (false).
    std::unordered_map<std::string, bool> Folders;
};

} // namespace swatchbox
