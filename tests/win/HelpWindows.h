#pragma once

// The windows of the HTML Help viewer that a process has open: top-level
// windows of the viewer's class "HH Parent".
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace swatchbox::testing {

inline std::vector<HWND> HelpWindowsOf(DWORD ProcessId) {
    std::pair<DWORD, std::vector<HWND>> Search{ProcessId, {}};
    EnumWindows(
        [](HWND Window, LPARAM Data) -> BOOL {
            auto& [Id, Found] = *reinterpret_cast<decltype(Search)*>(Data);
            DWORD Process = 0;
            GetWindowThreadProcessId(Window, &Process);
            char Class[32] = {};
            GetClassNameA(Window, Class, sizeof(Class));
            if (Process == Id && std::string(Class) == "HH Parent")
                Found.push_back(Window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&Search));
    return Search.second;
}

} // namespace swatchbox::testing
