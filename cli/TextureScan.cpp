#include "cli/TextureScan.h"

#include "cli/DisplayText.h"
#include "package/AsciiCase.h"
#include "package/Errors.h"

#include <exception>
#include <optional>

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

bool IsTextureExport(const TExportObject& Export) {
    return AsciiUpper(Export.GetClassName()) == "TEXTURE";
}

void ScanTextures(TUnrealPackage& Package, TConsoleReporter& Reporter,
                  const std::function<void(const TTextureObject&)>& Visit) {
    // One open file serves the whole scan: every read of every texture (and
    // its export) borrows it instead of reopening the package.
    std::optional<TInstalledStream> Held;
    try {
        Held.emplace(Package);
    } catch (const EFileOpenError& Error) {
        ReportError(Reporter, Error.what());
        return;
    }
    const auto Count = static_cast<int32_t>(Package.Exports.size());
    for (int32_t Index = 0; Index < Count; ++Index) {
        bool IsTexture = false;
        try {
            IsTexture = IsTextureExport(Package.Exports[static_cast<std::size_t>(Index)]);
        } catch (const EPackageError& Error) {
            TReportContext Context(Reporter, ExportContext(Package, Index));
            ReportError(Reporter, Error.what());
        }
        if (!IsTexture)
            continue;
        TReportContext Context(Reporter, ExportContext(Package, Index));
        try {
            const int MessagesBefore = Reporter.Messages();
            const TTextureObject Texture(Package, Index);
            if (Texture.IsIgnored() && Reporter.Messages() == MessagesBefore)
                ReportWarning(Reporter, "the texture is ignored.");
            Visit(Texture);
        } catch (const EFileOpenError& Error) {
            ReportError(Reporter, Error.what());
            return;
        } catch (const std::exception& Error) {
            ReportError(Reporter, Error.what());
        }
    }
}

} // namespace swatchbox::cli
