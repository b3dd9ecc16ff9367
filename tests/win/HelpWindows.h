#pragma once

// The windows of the HTML Help viewer that a process has open: top-level
// windows of the viewer's class "HH Parent".
#include <windows.h>

#include <string>
#include <vector>

namespace swatchbox::testing {

namespace detail {

struct THelpWindowSearch {
    DWORD ProcessId = 0;
    std::vector<HWND> Found;
};

inline BOOL CALLBACK CollectHelpWindow(HWND Window, LPARAM Search) {
    auto& Into = *reinterpret_cast<THelpWindowSearch*>(Search);
    DWORD Process = 0;
    GetWindowThreadProcessId(Window, &Process);
    char Class[32] = {};
    GetClassNameA(Window, Class, sizeof(Class));
    if (Process == Into.ProcessId && std::string(Class) == "HH Parent")
        Into.Found.push_back(Window);
    return TRUE;
}

} // namespace detail

inline std::vector<HWND> HelpWindowsOf(DWORD ProcessId) {
    detail::THelpWindowSearch Search{ProcessId, {}};
    EnumWindows(detail::CollectHelpWindow, reinterpret_cast<LPARAM>(&Search));
    return Search.Found;
}

} // namespace swatchbox::testing
