#include "export/FileReplace.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace swatchbox {

namespace {

std::string WindowsReason(DWORD Code) {
    char Text[512] = {};
    const DWORD Length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, Code, 0, Text, sizeof Text, nullptr);
    std::string Reason(Text, Length);
    while (!Reason.empty() && (Reason.back() == '\n' || Reason.back() == '\r' ||
                               Reason.back() == ' ' || Reason.back() == '.'))
        Reason.pop_back();
    return Reason.empty() ? "system error " + std::to_string(Code) : Reason;
}

} // namespace

bool MoveIntoPlace(const std::string& From, const std::string& To, std::string& Reason) {
    if (MoveFileExA(From.c_str(), To.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    Reason = WindowsReason(GetLastError());
    return false;
}

} // namespace swatchbox
