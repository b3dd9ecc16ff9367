#pragma once

#include "package/Reporter.h"
#include "package/TextureObject.h"
#include "package/UnrealPackage.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>

namespace swatchbox {

// True when the export's class is named Texture, in any letter case. A class
// of any other name, even one derived from Texture, doesn't count. Throws
// EReferenceOutOfRange for a class reference outside the tables.
bool IsTextureExport(const TExportObject& Export);

// What a texture walk does when an export can't be read.
enum class TWalkErrors {
    Stop, // the error leaves the walk, which ends there
    Skip, // a package error or a failed allocation goes to OnError, and the
          // walk goes on with the next export
};

// One pass over the texture exports of a package, in export-table order:
// each becomes a texture object that is handed to the caller. The package
// file is opened once and held for the whole walk, and the header of each
// palette is read once, however many textures share it. What callers do
// differently is theirs to choose in the fields below. Whether a texture has
// pixels is the texture object's to say (HasMipData, IsIgnored).
//
//   TTextureWalk Walk;
//   Walk.Errors = TWalkErrors::Skip;
//   Walk.OnError = [&](int32_t Export, const std::exception& Error) { ... };
//   Walk.Run(Package, [&](std::unique_ptr<TTextureObject> Texture) { ... });
struct TTextureWalk {
    using TVisit = std::function<void(std::unique_ptr<TTextureObject> Texture)>;

    TWalkErrors Errors = TWalkErrors::Stop;
    // The upload each texture with mip data runs; none: textures are decoded
    // only and no pixels are read.
    TTextureUploader Uploader;
    // Where the messages of the textures go during the walk; none: the
    // package's own reporter.
    IReporter* Messages = nullptr;
    // Before each texture export is decoded: its export number, how many
    // texture exports came before it, and how many there are in all.
    std::function<void(int32_t ExportIndex, std::size_t Before, std::size_t Count)> OnTexture;
    // With Skip: an export whose class, texture or visit failed, and why.
    std::function<void(int32_t ExportIndex, const std::exception& Error)> OnError;

    // Throws EFileOpenError when the file can't be opened, and with Stop the
    // first error of any export.
    void Run(TUnrealPackage& Package, const TVisit& Visit) const;
};

} // namespace swatchbox
