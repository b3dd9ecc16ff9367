#pragma once

#include "export/BatchLayout.h"
#include "export/DecodedExport.h"
#include "package/TextureObject.h"

#include <cstddef>
#include <string>
#include <vector>

namespace swatchbox {

// A batch export of some textures of one package, one file per step, so
// that a caller with a user interface can interleave it with its messages.
// The files are those the command-line export writes for the same package:
// the names are planned over all the package's textures in export-table
// order, and the chosen ones are written in that order, each with its
// compressed picture where the command line writes one.
class TBatchRun {
public:
    // Package holds every texture of the package (in any order), Chosen the
    // ones to write, a subset of them. The textures must outlive the run.
    TBatchRun(const std::string& Root, TExportFormat Format,
              const std::vector<const TTextureObject*>& Package,
              const std::vector<const TTextureObject*>& Chosen);

    // Root/<package>, made (with Root) before anything is written. False with
    // the reason in Error when it can't be made.
    bool MakePackageFolder(std::string& Error);
    // Writes or skips the next texture; false when none was left.
    bool Step();

    bool Done() const { return Next >= Items.size(); }
    std::size_t Position() const { return Next; }
    std::size_t Total() const { return Items.size(); }
    std::size_t Written() const { return WrittenCount; }
    // Names of the textures skipped (stored without pixels, no writer for
    // their format) or failed, in export order, and the first failure's
    // message.
    const std::vector<std::string>& NotWritten() const { return Missed; }
    const std::string& FirstError() const { return FirstErrorText; }

private:
    struct TItem {
        const TTextureObject* Texture;
        TBatchSkip Skip;
        TBatchTarget Target;
        // As is, a texture's compressed picture goes beside it; no File when
        // it has none.
        TBatchTarget CompTarget;
    };

    // Writes one file of the item; false when it could not be written.
    bool Write(const TItem& Item, const TBatchTarget& Target, bool Compressed);

    TBatchLayout Layout;
    TExportFormat Format;
    std::string PackageFolder;
    std::vector<TItem> Items;
    std::size_t Next = 0;
    std::size_t WrittenCount = 0;
    std::vector<std::string> Missed;
    std::string FirstErrorText;
};

} // namespace swatchbox
