#include "package/PackageNames.h"

#include "package/AsciiCase.h"

#include <algorithm>

namespace swatchbox {

namespace {

bool IsSeparatorCode(unsigned char Code) {
    return Code >= 1 && Code <= 32;
}

unsigned char UpperCode(char C) {
    const auto Code = static_cast<unsigned char>(C);
    return Code >= 'a' && Code <= 'z' ? static_cast<unsigned char>(Code - 'a' + 'A') : Code;
}

} // namespace

// Windows also accepts "/" between folders, so a path typed or passed that
// way still shows its file name.
std::string_view FileNamePart(std::string_view Path) {
    const auto Separator = Path.find_last_of("\\:/");
    return Separator == std::string_view::npos ? Path : Path.substr(Separator + 1);
}

int ComparePackageFiles(std::string_view A, std::string_view B) {
    const std::string_view NameA = FileNamePart(A);
    const std::string_view NameB = FileNamePart(B);
    const std::size_t Common = std::min(NameA.size(), NameB.size());
    for (std::size_t Index = 0; Index < Common; ++Index) {
        const int Difference = UpperCode(NameA[Index]) - UpperCode(NameB[Index]);
        if (Difference != 0)
            return Difference;
    }
    if (NameA.size() == NameB.size())
        return 0;
    return NameA.size() < NameB.size() ? -1 : 1;
}

std::vector<std::string> ParseRetailList(std::string_view Text) {
    Text = Text.substr(0, Text.find('\0'));
    std::vector<std::string> Entries;
    std::size_t Position = 0;
    while (Position < Text.size()) {
        while (Position < Text.size() && IsSeparatorCode(Text[Position]))
            ++Position;
        const std::size_t Start = Position;
        while (Position < Text.size() && !IsSeparatorCode(Text[Position]))
            ++Position;
        if (Position > Start)
            Entries.emplace_back(Text.substr(Start, Position - Start));
    }
    return Entries;
}

std::string RetailName(std::string_view Path) {
    std::string_view Name = FileNamePart(Path);
    Name = Name.substr(0, Name.rfind('.'));
    return AsciiUpper(Name);
}

std::string TextureFolderOf(std::string_view InstallFolder) {
    const auto IsTrimmed = [](char C) { return static_cast<unsigned char>(C) <= 32; };
    while (!InstallFolder.empty() && IsTrimmed(InstallFolder.front()))
        InstallFolder.remove_prefix(1);
    while (!InstallFolder.empty() && IsTrimmed(InstallFolder.back()))
        InstallFolder.remove_suffix(1);
    return std::string(InstallFolder) + "\\Textures";
}

std::string ReplaceFileName(std::string_view Path, std::string_view Name) {
    const auto Separator = Path.find_last_of("\\/:");
    const std::string_view Folder =
        Separator == std::string_view::npos ? std::string_view() : Path.substr(0, Separator + 1);
    return std::string(Folder) + std::string(Name);
}

std::string WithoutTrailingSeparator(std::string_view Folder) {
    while (!Folder.empty() && (Folder.back() == '\\' || Folder.back() == '/'))
        Folder.remove_suffix(1);
    return std::string(Folder);
}

} // namespace swatchbox
