#include "export/BatchRun.h"

#include <algorithm>
#include <unordered_set>

namespace swatchbox {

namespace {

// Keeps the first error of a write.
class TFirstError final : public IReporter {
public:
    void Report(TMessageKind Kind, const std::string&, const std::string& Text) override {
        if (Kind == TMessageKind::Error && First.empty())
            First = Text;
    }
    std::string First;
};

} // namespace

TBatchRun::TBatchRun(const std::string& Root, TExportFormat Format,
                     const std::vector<const TTextureObject*>& Package,
                     const std::vector<const TTextureObject*>& Chosen)
    : Layout(Root), Format(Format) {
    std::vector<const TTextureObject*> InExportOrder = Package;
    std::sort(InExportOrder.begin(), InExportOrder.end(),
              [](const auto* A, const auto* B) { return A->ExportIndex < B->ExportIndex; });
    if (!InExportOrder.empty())
        PackageFolder = Layout.BeginPackage(*InExportOrder.front()->Owner);
    const std::unordered_set<const TTextureObject*> Wanted(Chosen.begin(), Chosen.end());
    for (const TTextureObject* Texture : InExportOrder) {
        TItem Item{Texture, BatchSkipReason(*Texture, Format), {}, {}};
        // Every writable texture takes its name, chosen or not, so that the
        // numbers of clashing names are the ones a whole export gives.
        if (Item.Skip == TBatchSkip::None)
            Item.Target = Layout.Place(*Texture, BatchExtension(*Texture, Format));
        if (Item.Skip == TBatchSkip::None && Format == TExportFormat::AsIs && Texture->Comp &&
            BatchSkipReason(*Texture, Format, true) == TBatchSkip::None)
            Item.CompTarget = Layout.Place(*Texture, BatchExtension(*Texture, Format, true));
        if (Wanted.count(Texture))
            Items.push_back(std::move(Item));
    }
}

bool TBatchRun::MakePackageFolder(std::string& Error) {
    if (PackageFolder.empty() || Layout.EnsureFolder(PackageFolder, &Error))
        return true;
    if (Error.empty())
        Error = "the folder can't be made";
    return false;
}

bool TBatchRun::Write(const TItem& Item, const TBatchTarget& Target, bool Compressed) {
    TFirstError Errors;
    std::string FolderError;
    bool Written = false;
    if (Layout.EnsureFolder(Target.Folder, &FolderError))
        Written = WriteExportFile(*Item.Texture, Target.File, Format, TAlphaMode::Engine, Errors,
                                  Compressed);
    else
        Errors.First = "Cannot create folder \"" + Target.Folder + "\"!" +
                       (FolderError.empty() ? "" : "\r\n(" + FolderError + ")");
    if (FirstErrorText.empty())
        FirstErrorText = Errors.First;
    return Written;
}

bool TBatchRun::Step() {
    if (Done())
        return false;
    const TItem& Item = Items[Next++];
    const std::string Name = Item.Texture->Group + "." + Item.Texture->Name;
    if (Item.Skip == TBatchSkip::None && Write(Item, Item.Target, false))
        ++WrittenCount;
    else
        Missed.push_back(Name);
    if (!Item.CompTarget.File.empty() && !Write(Item, Item.CompTarget, true))
        Missed.push_back(Name + " (compressed picture)");
    return true;
}

} // namespace swatchbox
