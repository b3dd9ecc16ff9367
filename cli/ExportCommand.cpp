#include "cli/ExportCommand.h"

#include "cli/ConsoleReporter.h"
#include "cli/DecodedExport.h"
#include "cli/DisplayText.h"
#include "cli/NamePattern.h"
#include "cli/PackageFinder.h"
#include "cli/Progress.h"
#include "cli/SafePath.h"
#include "cli/TextureScan.h"
#include "cli/ThreadPool.h"
#include "decode/PixelDecoder.h"
#include "export/ExportAsIs.h"
#include "package/AsciiCase.h"

#include <exception>
#include <filesystem>
#include <system_error>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace swatchbox::cli {

namespace {

#ifdef _WIN32
bool IsSeparator(char C) {
    return C == '/' || C == '\\';
}
// "C:" alone names the current folder of drive C, so nothing is put after it.
bool EndsInDrive(const std::string& Folder) {
    return Folder.back() == ':';
}
#else
bool IsSeparator(char C) {
    return C == '/';
}
bool EndsInDrive(const std::string&) {
    return false;
}
#endif

// The output folder without trailing separators, so that joined paths read
// cleanly; a root such as "/" or "C:\" keeps its separator.
std::string TrimFolder(std::string Folder) {
    while (Folder.size() > 1 && IsSeparator(Folder.back()) &&
           !EndsInDrive(Folder.substr(0, Folder.size() - 1)))
        Folder.pop_back();
    return Folder;
}

std::string Join(const std::string& Folder, const std::string& Name) {
    if (Folder.empty())
        return Name;
    if (IsSeparator(Folder.back()) || EndsInDrive(Folder))
        return Folder + Name;
    return Folder + '/' + Name;
}

// Windows and macOS compare names without regard to case, so names that
// differ only in case count as the same file.
std::string FoldKey(const std::string& Name) {
    return AsciiUpper(Name);
}

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
        : Root(TrimFolder(Options.OutDir)), Verbose(Options.Verbose), Format(Options.Format),
          PreferCompressed(Options.PreferCompressed),
          Alpha(Options.Opaque ? TAlphaMode::Opaque : TAlphaMode::Engine),
          Pattern(Options.Name ? std::optional<TNamePattern>(*Options.Name) : std::nullopt),
          Reporter(Reporter), Pool(Options.Jobs),
          Jobs(Pool, [this](TWritten& Done) { Deliver(Done); }) {}

    void ExportPackage(TUnrealPackage& Package);
    void WriteSummary(std::ostream& Out, std::size_t OtherFiles) const;

private:
    std::string PackageFolderName(const TUnrealPackage& Package);
    std::string FileName(const TTextureObject& Texture, const std::string& GroupFolder,
                         std::string_view Extension);
    bool EnsureFolder(const std::string& Folder);
    void ExportTexture(const TTextureObject& Texture, const std::string& PackageFolder);
    void SkipMipLess();
    void ReportMipLess();
    // Where the file of the texture (or of its compressed picture) goes, the
    // folders made; empty when it is skipped or its folder can't be made.
    std::string Target(const TTextureObject& Texture, const std::string& PackageFolder,
                       bool Compressed);
    void Deliver(TWritten& Done);

    std::string Root;
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
    std::unordered_set<std::string> UsedPackageFolders;
    // Files of the current package by folded "Group/File" key, with the export
    // that took the name.
    std::unordered_map<std::string, int32_t> UsedFiles;
    // Folders already made (true) or found impossible to make (false).
    std::unordered_map<std::string, bool> Folders;
    int Written = 0;
    int Skipped = 0;
    int SkippedMipLess = 0;
    int Failed = 0;
};

const char* const MipLessWarning = "the texture has no stored mip map; skipped.";

// Two packages with the same base name (a/Walls.utx, b/Walls.u) get folders
// of their own: the later one gets a number suffix.
std::string TExporter::PackageFolderName(const TUnrealPackage& Package) {
    const std::string Base =
        SafePathComponent(PackageBaseName(Package.FileName, !Package.Source.Compression.empty()));
    std::string Name = Base;
    for (int Suffix = 2; !UsedPackageFolders.insert(FoldKey(Name)).second; ++Suffix)
        Name = Base + "_" + std::to_string(Suffix);
    if (Name != Base)
        ReportWarning(Reporter, "the folder \"" + Base +
                                    "\" is already used by an earlier package; the textures go "
                                    "to \"" +
                                    Name + "\" instead.");
    return Name;
}

// Two textures of one package with the same group and name (possible in odd
// or damaged packages) must not overwrite each other: the later one gets its
// export number appended.
std::string TExporter::FileName(const TTextureObject& Texture, const std::string& GroupFolder,
                                std::string_view Extension) {
    const std::string Stem = SafePathComponent(Texture.Name);
    std::string File = FixExtension(Stem, Extension);
    auto [Taken, Inserted] =
        UsedFiles.try_emplace(FoldKey(GroupFolder + "/" + File), Texture.ExportIndex);
    if (Inserted)
        return File;
    const int32_t Earlier = Taken->second;
    const std::string Numbered = Stem + "_" + std::to_string(Texture.ExportIndex);
    File = FixExtension(Numbered, Extension);
    for (int Suffix = 2;
         !UsedFiles.try_emplace(FoldKey(GroupFolder + "/" + File), Texture.ExportIndex).second;
         ++Suffix)
        File = FixExtension(Numbered + "_" + std::to_string(Suffix), Extension);
    ReportWarning(Reporter, "same group and name as export " + std::to_string(Earlier) +
                                "; written as \"" + GroupFolder + "/" + File + "\".");
    return File;
}

bool TExporter::EnsureFolder(const std::string& Folder) {
    if (const auto Known = Folders.find(Folder); Known != Folders.end())
        return Known->second;
    std::error_code Error;
    std::filesystem::create_directories(Folder, Error);
    std::error_code Ignored;
    const bool Made = !Error || std::filesystem::is_directory(Folder, Ignored);
    if (!Made)
        ReportError(Reporter,
                    "Cannot create folder \"" + EscapeControls(Folder) + "\": " + Error.message());
    Folders.emplace(Folder, Made);
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

std::string TExporter::Target(const TTextureObject& Texture, const std::string& PackageFolder,
                              bool Compressed) {
    if (!Compressed && Texture.IsIgnored()) {
        ++Skipped;
        return {};
    }
    if (!Compressed && !Texture.HasMipData) {
        SkipMipLess();
        return {};
    }
    const TPixelFormat Layout = Compressed ? Texture.Comp->Format : Texture.Format;
    const bool AsIs = Format == TExportFormat::AsIs;
    std::string_view Extension = AsIs ? AsIsExtension(Layout) : DecodedExtension(Format);
    if (Compressed && AsIs && Extension != ".DDS")
        Extension = {}; // the second picture is written only as its blocks
    if (Extension.empty() || (!AsIs && !HasDecoder(Layout))) {
        // A format without a name is told by its number.
        const std::string_view Name = GetFormatName(Layout);
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
    const std::string GroupFolderName = SafePathComponent(Texture.Group);
    const std::string File = FileName(Texture, GroupFolderName, Extension);
    const std::string Folder = Join(PackageFolder, GroupFolderName);
    if (!EnsureFolder(Folder)) {
        ++Failed;
        return {};
    }
    return Join(Folder, File);
}

void TExporter::ExportTexture(const TTextureObject& Texture, const std::string& PackageFolder) {
    if (Pattern && !Pattern->MatchesTexture(Texture.Group, Texture.Name))
        return;
    const bool AsIs = Format == TExportFormat::AsIs;
    // Decoded, one picture is written: the compressed one when asked for and
    // there. As is, the compressed picture's blocks go beside the first one.
    const bool Compressed = PreferCompressed && !AsIs && Texture.Comp && !Texture.IsIgnored();
    const std::string File = Target(Texture, PackageFolder, Compressed);
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
    const auto Write = [&](const std::string& Target, auto&& Writer) {
        const int ErrorsBefore = Reporter.Errors();
        if (Writer(Texture, Target, Reporter)) {
            ++Written;
            return;
        }
        ++Failed;
        if (Reporter.Errors() == ErrorsBefore)
            ReportError(Reporter, "Cannot write \"" + EscapeControls(Target) + "\".");
    };
    Write(File, ExportAsIs);
    if (Texture.Comp)
        if (const std::string CompFile = Target(Texture, PackageFolder, true); !CompFile.empty())
            Write(CompFile, WriteCompressedDDS);
}

void TExporter::Deliver(TWritten& Done) {
    TReportContext Context(Reporter, Done.Context);
    Done.Result.Messages.ReplayTo(Reporter);
    ++(Done.Result.Written ? Written : Failed);
}

void TExporter::ExportPackage(TUnrealPackage& Package) {
    const std::string PackageFolder = Join(Root, PackageFolderName(Package));
    UsedFiles.clear();
    ScanTextures(Package, Reporter,
                 [&](const TTextureObject& Texture) { ExportTexture(Texture, PackageFolder); });
    // The package's messages stay together, before the next one's.
    Jobs.Finish();
    ReportMipLess();
}

void TExporter::WriteSummary(std::ostream& Out, std::size_t OtherFiles) const {
    Out << "Wrote " << Written << (Written == 1 ? " file" : " files") << " to ";
    if (Root.empty())
        Out << "the current folder.";
    else
        Out << '"' << EscapeControls(Root) << "\".";
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
