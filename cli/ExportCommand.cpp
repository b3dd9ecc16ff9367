#include "cli/ExportCommand.h"

#include "cli/ConsoleReporter.h"
#include "cli/DisplayText.h"
#include "cli/NamePattern.h"
#include "cli/PackageFinder.h"
#include "cli/Progress.h"
#include "cli/TextureScan.h"
#include "cli/ThreadPool.h"
#include "decode/PixelDecoder.h"
#include "export/BatchLayout.h"
#include "export/DecodedExport.h"
#include "export/ExportAsIs.h"
#include "package/PackageNames.h"

#include <exception>
#include <filesystem>
#include <system_error>
#include <vector>

namespace swatchbox::cli {

namespace {

// A package with more textures without mip maps than this gets one line for
// them all (stripped packages have hundreds).
constexpr std::size_t MipLessListedOneByOne = 3;

// A decoded texture's file, written on a worker thread.
struct TWritten {
    TDecodeResult Result;
    std::string Context;
};

class TExporter {
public:
    TExporter(const TExportOptions& Options, TConsoleReporter& Reporter)
        : Layout(Options.OutDir), Verbose(Options.Verbose), Format(Options.Format),
          PreferCompressed(Options.PreferCompressed),
          Alpha(Options.Opaque ? TAlphaMode::Opaque : TAlphaMode::Engine),
          Pattern(Options.Name ? std::optional<TNamePattern>(*Options.Name) : std::nullopt),
          Reporter(Reporter), Pool(Options.Jobs),
          Jobs(Pool, [this](TWritten& Done) { Deliver(Done); }) {}

    void ExportPackage(TUnrealPackage& Package);
    void WriteSummary(std::ostream& Out, std::size_t OtherFiles) const;

private:
    void BeginPackage(const TUnrealPackage& Package);
    bool EnsureFolder(const std::string& Folder);
    void ExportTexture(const TTextureObject& Texture);
    void SkipMipLess();
    void ReportMipLess();
    // Where the file of the texture (or of its compressed picture) goes, the
    // folders made; empty when it is skipped or its folder can't be made.
    std::string Target(const TTextureObject& Texture, bool Compressed);
    void Deliver(TWritten& Done);

    TBatchLayout Layout;
    bool Verbose;
    TExportFormat Format;
    bool PreferCompressed;
    TAlphaMode Alpha;
    std::optional<TNamePattern> Pattern;
    TConsoleReporter& Reporter;
    // Decoded formats are decoded and written on these threads, the textures
    // of one package at a time.
    TThreadPool Pool;
    TOrderedJobs<TWritten> Jobs;
    // Contexts of the current package's textures without mip maps, not yet reported.
    std::vector<std::string> MipLess;
    int Written = 0;
    int Skipped = 0;
    int SkippedMipLess = 0;
    int Failed = 0;
};

const char* const MipLessWarning = "the texture has no stored mip map; skipped.";

// Two packages with the same base name (a/Walls.utx, b/Walls.u) get folders
// of their own: the later one gets a number suffix.
void TExporter::BeginPackage(const TUnrealPackage& Package) {
    std::string Taken;
    const std::string Folder = Layout.BeginPackage(Package, &Taken);
    if (!Taken.empty())
        ReportWarning(Reporter, "the folder \"" + Taken +
                                    "\" is already used by an earlier package; the textures go "
                                    "to \"" +
                                    std::string(FileNamePart(Folder)) + "\" instead.");
}

bool TExporter::EnsureFolder(const std::string& Folder) {
    std::string Error;
    const bool Made = Layout.EnsureFolder(Folder, &Error);
    if (!Error.empty())
        ReportError(Reporter, "Cannot create folder \"" + EscapeControls(Folder) + "\": " + Error);
    return Made;
}

// A texture without mip maps is no failure: the package simply carries no
// pixels for it.
void TExporter::SkipMipLess() {
    ++Skipped;
    ++SkippedMipLess;
    if (Verbose)
        ReportWarning(Reporter, MipLessWarning);
    else
        MipLess.push_back(Reporter.Context());
}

void TExporter::ReportMipLess() {
    if (MipLess.size() > MipLessListedOneByOne) {
        ReportWarning(Reporter, "Skipped " + std::to_string(MipLess.size()) +
                                    " textures without a stored mip map (--verbose lists them).");
    } else {
        for (const std::string& Context : MipLess) {
            TReportContext Texture(Reporter, Context);
            ReportWarning(Reporter, MipLessWarning);
        }
    }
    MipLess.clear();
}

std::string TExporter::Target(const TTextureObject& Texture, bool Compressed) {
    const bool AsIs = Format == TExportFormat::AsIs;
    switch (BatchSkipReason(Texture, Format, Compressed)) {
    case TBatchSkip::Ignored:
        ++Skipped;
        return {};
    case TBatchSkip::NoMipData:
        SkipMipLess();
        return {};
    case TBatchSkip::NoWriter: {
        // A format without a name is told by its number.
        const std::string_view Name =
            GetFormatName(Compressed ? Texture.Comp->Format : Texture.Format);
        const int Stored = Compressed ? Texture.Comp->StoredFormat : Texture.StoredFormat;
        const std::string Format = Name == "(unknown)" ? "unknown format " + std::to_string(Stored)
                                                       : "format " + std::string(Name);
        // A compressed picture left out beside the written first one is no skipped texture.
        const bool Beside = Compressed && AsIs;
        ReportWarning(Reporter, (Compressed ? "compressed picture: " : "") + Format +
                                    (AsIs ? " can't be exported as is" : " can't be decoded") +
                                    (Beside ? "; left out." : "; skipped."));
        Skipped += !Beside;
        return {};
    }
    case TBatchSkip::None:
        break;
    }
    // Two textures of one package with the same group and name (possible in
    // odd or damaged packages) must not overwrite each other.
    const TBatchTarget Place = Layout.Place(Texture, BatchExtension(Texture, Format, Compressed));
    if (Place.SameNameAs >= 0)
        ReportWarning(Reporter, "same group and name as export " +
                                    std::to_string(Place.SameNameAs) + "; written as \"" +
                                    Place.Shown + "\".");
    if (!EnsureFolder(Place.Folder)) {
        ++Failed;
        return {};
    }
    return Place.File;
}

void TExporter::ExportTexture(const TTextureObject& Texture) {
    if (Pattern && !Pattern->MatchesTexture(Texture.Group, Texture.Name))
        return;
    const bool AsIs = Format == TExportFormat::AsIs;
    // Decoded, one picture is written: the compressed one when asked for and
    // there. As is, the compressed picture's blocks go beside the first one.
    const bool Compressed = PreferCompressed && !AsIs && Texture.Comp && !Texture.IsIgnored();
    const std::string File = Target(Texture, Compressed);
    if (File.empty())
        return;
    if (!AsIs) {
        Jobs.Submit([Job = TDecodeJob{Texture.Owner->Source,
                                      Compressed ? CompMipSourceOf(Texture) : MipSourceOf(Texture),
                                      File, Format, Alpha},
                     Context = Reporter.Context()] {
            return TWritten{RunDecodeJob(Job), Context};
        });
        return;
    }
    const auto Write = [&](const std::string& Target, bool Compressed) {
        const int ErrorsBefore = Reporter.Errors();
        if (WriteExportFile(Texture, Target, Format, Alpha, Reporter, Compressed)) {
            ++Written;
            return;
        }
        ++Failed;
        if (Reporter.Errors() == ErrorsBefore)
            ReportError(Reporter, "Cannot write \"" + EscapeControls(Target) + "\".");
    };
    Write(File, false);
    if (Texture.Comp)
        if (const std::string CompFile = Target(Texture, true); !CompFile.empty())
            Write(CompFile, true);
}

void TExporter::Deliver(TWritten& Done) {
    TReportContext Context(Reporter, Done.Context);
    Done.Result.Messages.ReplayTo(Reporter);
    ++(Done.Result.Written ? Written : Failed);
}

void TExporter::ExportPackage(TUnrealPackage& Package) {
    BeginPackage(Package);
    ScanTextures(Package, Reporter, [&](const TTextureObject& Texture) { ExportTexture(Texture); });
    // The package's messages stay together, before the next one's.
    Jobs.Finish();
    ReportMipLess();
}

void TExporter::WriteSummary(std::ostream& Out, std::size_t OtherFiles) const {
    Out << "Wrote " << Written << (Written == 1 ? " file" : " files") << " to ";
    if (Layout.Root().empty())
        Out << "the current folder.";
    else
        Out << '"' << EscapeControls(Layout.Root()) << "\".";
    if (Skipped > 0) {
        Out << " Skipped " << Skipped << (Skipped == 1 ? " texture" : " textures");
        if (SkippedMipLess > 0)
            Out << " (" << SkippedMipLess << " without a stored mip map)";
        Out << '.';
    }
    if (Failed > 0)
        Out << ' ' << Failed << (Failed == 1 ? " texture" : " textures") << " failed.";
    if (OtherFiles > 0)
        Out << ' ' << OtherFilesText(OtherFiles);
    Out << '\n';
}

} // namespace

int RunExport(const TExportOptions& Options, std::ostream& Out, std::ostream& Err) {
    TConsoleReporter FinderReporter(Err);
    const TFoundPackages Found = FindPackages(Options.Packages, FinderReporter);
    TProgress Progress(Err, Found.Packages.size(),
                       Options.ShowProgress && Found.Packages.size() > 1);
    TConsoleReporter Reporter(Err, &Progress);
    TExporter Exporter(Options, Reporter);
    for (std::size_t Number = 0; Number < Found.Packages.size(); ++Number) {
        const std::string& Path = Found.Packages[Number];
        Progress.Show(Number + 1, Path);
        if (const std::unique_ptr<TUnrealPackage> Package = OpenPackage(Path, Reporter)) {
            TReportContext Context(Reporter, EscapeControls(Path));
            Exporter.ExportPackage(*Package);
        }
    }
    Progress.Clear();
    Exporter.WriteSummary(Out, Found.OtherFiles);
    Out << std::flush;
    return Reporter.Errors() + FinderReporter.Errors() > 0 ? 1 : 0;
}

} // namespace swatchbox::cli
