#include "shell/VersionInfo.h"

#include "shell/Settings.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace swatchbox {

std::string QueryVersionString(const std::string& FileName, const std::string& ValueName) {
    // An empty name would look up the block itself, which is no text.
    if (ValueName.empty())
        return {};
    DWORD Unused = 0;
    const DWORD Size = GetFileVersionInfoSizeA(FileName.c_str(), &Unused);
    if (Size == 0)
        return {};
    std::vector<char> Record(Size, '\0');
    if (!GetFileVersionInfoA(FileName.c_str(), 0, Size, Record.data()))
        return {};
    const std::string Key = "\\StringFileInfo\\04410000\\" + ValueName;
    void* Value = nullptr;
    UINT Length = 0;
    if (!VerQueryValueA(Record.data(), Key.c_str(), &Value, &Length) || !Value)
        return {};
    // The text ends at its zero, and never beyond the record.
    const auto Start = reinterpret_cast<std::uintptr_t>(Value);
    const auto Begin = reinterpret_cast<std::uintptr_t>(Record.data());
    if (Start < Begin || Start >= Begin + Size)
        return {};
    const auto* Text = static_cast<const char*>(Value);
    return std::string(Text, strnlen(Text, Begin + Size - Start));
}

std::string MakeVersionText() {
    const std::string Program = GetProgramFileName();
    return QueryVersionString(Program, "ProductVersion") + " (" +
           QueryVersionString(Program, "BuildDate") + ")";
}

} // namespace swatchbox
