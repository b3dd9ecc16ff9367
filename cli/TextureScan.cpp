#include "cli/TextureScan.h"

#include "cli/DisplayText.h"
#include "package/Errors.h"
#include "package/TextureWalk.h"

#include <exception>

namespace swatchbox::cli {

namespace {

std::string ExportContext(const TUnrealPackage& Package, int32_t Index) {
    std::string Context = EscapeControls(Package.FileName) + ", export " + std::to_string(Index);
    const std::string Name = Package.Exports[static_cast<std::size_t>(Index)].GetObjectName();
    if (!Name.empty())
        Context += " (" + DisplayText(Name) + ")";
    return Context;
}

} // namespace

std::unique_ptr<TUnrealPackage> OpenPackage(const std::string& Path, TConsoleReporter& Reporter) {
    try {
        if (!TUnrealPackage::IsPackageFile(Path)) {
            ReportError(Reporter, EscapeControls(Path) + ": not a package file");
            return nullptr;
        }
        TReportContext Context(Reporter, EscapeControls(Path));
        return std::make_unique<TUnrealPackage>(Path, Reporter);
    } catch (const EPackageError& Error) {
        ReportError(Reporter, Error.what());
    } catch (const std::exception& Error) {
        ReportError(Reporter, EscapeControls(Path) + ": " + Error.what());
    }
    return nullptr;
}

void ScanTextures(TUnrealPackage& Package, TConsoleReporter& Reporter,
                  const std::function<void(const TTextureObject&)>& Visit) {
    // The walk sets each export's context; the caller's comes back after it.
    TReportContext Restored(Reporter, Reporter.Context());
    int MessagesBefore = 0;
    TTextureWalk Walk;
    Walk.Errors = TWalkErrors::Skip;
    Walk.OnTexture = [&](int32_t Index, std::size_t, std::size_t) {
        Reporter.SetContext(ExportContext(Package, Index));
        MessagesBefore = Reporter.Messages();
    };
    Walk.OnError = [&](int32_t Index, const std::exception& Error) {
        Reporter.SetContext(ExportContext(Package, Index));
        ReportError(Reporter, Error.what());
    };
    try {
        Walk.Run(Package, [&](std::unique_ptr<TTextureObject> Texture) {
            if (Texture->IsIgnored() && Reporter.Messages() == MessagesBefore)
                ReportWarning(Reporter, "the texture is ignored.");
            Visit(*Texture);
        });
    } catch (const EFileOpenError& Error) {
        ReportError(Reporter, Error.what());
    }
}

} // namespace swatchbox::cli
