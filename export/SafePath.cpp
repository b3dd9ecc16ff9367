#include "export/SafePath.h"

#include "package/AsciiCase.h"

#include <array>

namespace swatchbox {

namespace {

bool IsAllowed(char C) {
    return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || (C >= '0' && C <= '9') || C == '_' ||
           C == '-' || C == '.' || C == ' ' || C == '(' || C == ')';
}

// Windows opens a device instead of a file for these names, also when an
// extension follows ("nul.bmp") or blanks precede the extension ("CON .x").
bool IsWindowsDeviceName(std::string_view Name) {
    std::string_view Base = Name.substr(0, Name.find('.'));
    while (!Base.empty() && Base.back() == ' ')
        Base.remove_suffix(1);
    static constexpr std::array<std::string_view, 4> Plain = {"CON", "PRN", "AUX", "NUL"};
    for (std::string_view Device : Plain)
        if (EqualsIgnoringAsciiCase(Base, Device))
            return true;
    if (Base.size() == 4 && Base[3] >= '0' && Base[3] <= '9')
        return EqualsIgnoringAsciiCase(Base.substr(0, 3), "COM") ||
               EqualsIgnoringAsciiCase(Base.substr(0, 3), "LPT");
    return false;
}

} // namespace

std::string SafePathComponent(std::string_view Name) {
    if (Name.empty() || Name == "." || Name == "..")
        return "_";
    std::string Result(Name.substr(0, MaxComponentLength));
    for (char& C : Result)
        if (!IsAllowed(C))
            C = '_';
    if (IsWindowsDeviceName(Result)) {
        Result.insert(Result.begin(), '_');
        if (Result.size() > MaxComponentLength)
            Result.pop_back();
    }
    for (auto It = Result.rbegin(); It != Result.rend() && (*It == '.' || *It == ' '); ++It)
        *It = '_';
    return Result;
}

std::string PackageBaseName(std::string_view Path, bool Compressed) {
    const std::size_t Slash = Path.find_last_of("/\\");
    if (Slash != std::string_view::npos)
        Path.remove_prefix(Slash + 1);
    for (int Extensions = Compressed ? 2 : 1; Extensions > 0; --Extensions) {
        const std::size_t Dot = Path.rfind('.');
        if (Dot != std::string_view::npos && Dot > 0)
            Path = Path.substr(0, Dot);
    }
    return std::string(Path);
}

} // namespace swatchbox
