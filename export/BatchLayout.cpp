#include "export/BatchLayout.h"

#include "decode/PixelDecoder.h"
#include "export/ExportAsIs.h"
#include "export/SafePath.h"
#include "package/AsciiCase.h"

#include <filesystem>
#include <system_error>

namespace swatchbox {

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

// Windows and macOS compare names without regard to case, so names that
// differ only in case count as the same file.
std::string FoldKey(const std::string& Name) {
    return AsciiUpper(Name);
}

} // namespace

TBatchSkip BatchSkipReason(const TTextureObject& Texture, TExportFormat Format, bool Compressed) {
    if (!Compressed && Texture.IsIgnored())
        return TBatchSkip::Ignored;
    if (!Compressed && !Texture.HasMipData)
        return TBatchSkip::NoMipData;
    const TPixelFormat Layout = Compressed ? Texture.Comp->Format : Texture.Format;
    if (BatchExtension(Texture, Format, Compressed).empty() ||
        (Format != TExportFormat::AsIs && !HasDecoder(Layout)))
        return TBatchSkip::NoWriter;
    return TBatchSkip::None;
}

std::string_view BatchExtension(const TTextureObject& Texture, TExportFormat Format,
                                bool Compressed) {
    if (Format != TExportFormat::AsIs)
        return DecodedExtension(Format);
    const std::string_view Extension =
        AsIsExtension(Compressed ? Texture.Comp->Format : Texture.Format);
    return Compressed && Extension != ".DDS" ? std::string_view() : Extension;
}

TBatchLayout::TBatchLayout(std::string Root) : RootFolder(TrimFolder(std::move(Root))) {}

std::string TBatchLayout::Join(const std::string& Folder, const std::string& Name) {
    if (Folder.empty())
        return Name;
    if (IsSeparator(Folder.back()) || EndsInDrive(Folder))
        return Folder + Name;
    return Folder + '/' + Name;
}

std::string TBatchLayout::BeginPackage(const TUnrealPackage& Package, std::string* Taken) {
    const std::string Base =
        SafePathComponent(PackageBaseName(Package.FileName, !Package.Source.Compression.empty()));
    std::string Name = Base;
    for (int Suffix = 2; !UsedPackageFolders.insert(FoldKey(Name)).second; ++Suffix)
        Name = Base + "_" + std::to_string(Suffix);
    if (Taken && Name != Base)
        *Taken = Base;
    UsedFiles.clear();
    PackageFolder = Join(RootFolder, Name);
    return PackageFolder;
}

TBatchTarget TBatchLayout::Place(const TTextureObject& Texture, std::string_view Extension) {
    TBatchTarget Target;
    const std::string GroupFolder = SafePathComponent(Texture.Group);
    const std::string Stem = SafePathComponent(Texture.Name);
    std::string File = FixExtension(Stem, Extension);
    auto [Taken, Inserted] =
        UsedFiles.try_emplace(FoldKey(GroupFolder + "/" + File), Texture.ExportIndex);
    if (!Inserted) {
        Target.SameNameAs = Taken->second;
        const std::string Numbered = Stem + "_" + std::to_string(Texture.ExportIndex);
        File = FixExtension(Numbered, Extension);
        for (int Suffix = 2;
             !UsedFiles.try_emplace(FoldKey(GroupFolder + "/" + File), Texture.ExportIndex).second;
             ++Suffix)
            File = FixExtension(Numbered + "_" + std::to_string(Suffix), Extension);
    }
    Target.Folder = Join(PackageFolder, GroupFolder);
    Target.File = Join(Target.Folder, File);
    Target.Shown = GroupFolder + "/" + File;
    return Target;
}

bool TBatchLayout::EnsureFolder(const std::string& Folder, std::string* Error) {
    if (const auto Known = Folders.find(Folder); Known != Folders.end())
        return Known->second;
    std::error_code Failure;
    std::filesystem::create_directories(Folder, Failure);
    std::error_code Ignored;
    const bool Made = !Failure || std::filesystem::is_directory(Folder, Ignored);
    if (!Made && Error)
        *Error = Failure.message();
    Folders.emplace(Folder, Made);
    return Made;
}

} // namespace swatchbox
