#include "shell/MessageBoxReporter.h"

#include <windows.h>

namespace swatchbox {

void TMessageBoxReporter::Report(TMessageKind Kind, const std::string& Caption,
                                 const std::string& Text) {
    const UINT Icon = Kind == TMessageKind::Error     ? MB_ICONERROR
                      : Kind == TMessageKind::Warning ? MB_ICONWARNING
                                                      : MB_ICONINFORMATION;
    MessageBoxA(GetActiveWindow(), Text.c_str(), Caption.c_str(), MB_OK | Icon);
}

} // namespace swatchbox
