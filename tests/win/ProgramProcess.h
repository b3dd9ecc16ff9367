#pragma once

// Swatchbox.exe run in a process of its own, as a user starts it, for the
// tests that watch it from outside.
#include <windows.h>

#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace swatchbox::testing {

// A started program; one still running when this goes is ended.
class TProcess {
public:
    // Without an argument the program starts with an empty package list.
    TProcess(const std::string& Program, const std::string& Argument = {}) {
        std::string Line = "\"" + Program + "\"";
        if (!Argument.empty())
            Line += " \"" + Argument + "\"";
        STARTUPINFOA Startup{};
        Startup.cb = sizeof(Startup);
        Started = CreateProcessA(Program.c_str(), Line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &Startup, &Info) != FALSE;
    }
    ~TProcess() {
        if (!Started)
            return;
        if (WaitForSingleObject(Info.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(Info.hProcess, 1);
        CloseHandle(Info.hThread);
        CloseHandle(Info.hProcess);
    }
    TProcess(const TProcess&) = delete;
    TProcess& operator=(const TProcess&) = delete;

    // True when the process ended within the time; its exit code in Code.
    bool Wait(DWORD Milliseconds, DWORD& Code) {
        if (WaitForSingleObject(Info.hProcess, Milliseconds) != WAIT_OBJECT_0)
            return false;
        return GetExitCodeProcess(Info.hProcess, &Code) != FALSE;
    }

    bool Started = false;
    PROCESS_INFORMATION Info{};
};

// True as soon as the condition holds, false when it still doesn't after
// Tries tenths of a second.
template <typename TCondition>
bool WaitUntil(TCondition Condition, int Tries = 100) {
    for (int Attempt = 0; Attempt < Tries; ++Attempt) {
        if (Condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

// The started program's main window, once its message loop runs; none after
// thirty seconds. (The window can be found while it is still being made.)
inline HWND WaitForMainWindow(const TProcess& Process) {
    WaitForInputIdle(Process.Info.hProcess, 20000);
    HWND Window = nullptr;
    WaitUntil([&] { return (Window = FindWindowA("SWATCHBOX", "Swatchbox")) != nullptr; }, 300);
    return Window;
}

// Closes the program by its close command; true when it then ends in time
// with exit code 0.
inline bool ClosesCleanly(TProcess& Process, HWND Main) {
    PostMessageA(Main, WM_CLOSE, 0, 0);
    DWORD Code = 99;
    return Process.Wait(20000, Code) && Code == 0;
}

// The HTML Help viewer's windows (class "HH Parent") that a process has open.
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
