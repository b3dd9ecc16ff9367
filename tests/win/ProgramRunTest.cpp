// Swatchbox.exe started as a user starts it: a package on the command line,
// a row click, a second start while it runs, the settings file at exit, and
// the help file beside it.
#include "package/PixelFormat.h"
#include "tests/win/ProgramFixture.h"

#include <chrono>
#include <filesystem>
#include <thread>

namespace swatchbox::testing {
namespace {

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
HWND WaitForMainWindow(const TProcess& Process) {
    WaitForInputIdle(Process.Info.hProcess, 20000);
    HWND Window = nullptr;
    WaitUntil([&] { return (Window = FindWindowA("SWATCHBOX", "Swatchbox")) != nullptr; }, 300);
    return Window;
}

// Closes the program by its close command; true when it then ends in time
// with exit code 0.
bool ClosesCleanly(TProcess& Process, HWND Main) {
    PostMessageA(Main, WM_CLOSE, 0, 0);
    DWORD Code = 99;
    return Process.Wait(20000, Code) && Code == 0;
}

// With the help file beside it (when the build makes one), the first start
// opens the help once, the program closes as usual with it open, and the next
// start opens none.
TEST(ProgramRun, ShowsAPackageFromTheCommandLineAndSavesItsSettings) {
    const std::string Help = SWATCHBOX_HELP_FILE;
    TTempDir Folder;
    const std::string Program = Folder.File("Swatchbox.exe");
    std::filesystem::copy_file(SWATCHBOX_PROGRAM, Program);
    if (!Help.empty())
        std::filesystem::copy_file(Help, Folder.File("Swatchbox.CHM"));
    TPackageBuilder Builder;
    Builder.AddTexture({.Name = "Brick", .Group = "Walls", .Format = pfRGBA8});
    Builder.AddTexture({.Name = "Sky", .Format = pfRGBA8});
    const std::string Package = Folder.File("Run.utx");
    Builder.WriteTo(Package);

    ASSERT_EQ(FindWindowA("SWATCHBOX", "Swatchbox"), nullptr) << "another copy is running";
    TProcess First(Program, Package);
    ASSERT_TRUE(First.Started);
    const HWND Main = WaitForMainWindow(First);
    ASSERT_NE(Main, nullptr);
    const DWORD Id = First.Info.dwProcessId;
    EXPECT_TRUE(WaitUntil([&] { return HelpWindowsOf(Id).size() == (Help.empty() ? 0u : 1u); }));
    const HWND List = FindWindowExA(Main, nullptr, "SysListView32", nullptr);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(List, LVM_GETITEMCOUNT, 0, 0) == 1; }));

    // A second start raises the first copy and ends at once, adding nothing.
    TProcess Second(Program, Package);
    ASSERT_TRUE(Second.Started);
    DWORD Code = 99;
    EXPECT_TRUE(Second.Wait(20000, Code));
    EXPECT_EQ(Code, 0u);
    EXPECT_EQ(SendMessageA(List, LVM_GETITEMCOUNT, 0, 0), 1);

    // A click on the row reads the package: the group label counts its groups.
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(List) != FALSE; }));
    const LPARAM Point = MAKELPARAM(20, 8);
    PostMessageA(List, WM_LBUTTONDOWN, MK_LBUTTON, Point);
    PostMessageA(List, WM_LBUTTONUP, 0, Point);
    EXPECT_TRUE(WaitUntil([&] { return FindWindowExA(Main, nullptr, "Static", "Group (3)"); }));

    EXPECT_TRUE(ClosesCleanly(First, Main));
    const std::string Settings = ReadFileText(Folder.File("Swatchbox.INI"));
    for (const char* Section : {"[Window]", "[Colors]", "[Rendering]"})
        EXPECT_NE(Settings.find(Section), std::string::npos) << Section;

    TProcess Next(Program);
    ASSERT_TRUE(Next.Started);
    const HWND NextMain = WaitForMainWindow(Next);
    ASSERT_NE(NextMain, nullptr);
    // A first start's help opens while the window is made; once the program
    // answers a message, that is over.
    SendMessageTimeoutA(NextMain, WM_NULL, 0, 0, SMTO_NORMAL, 20000, nullptr);
    EXPECT_TRUE(HelpWindowsOf(Next.Info.dwProcessId).empty());
    EXPECT_TRUE(ClosesCleanly(Next, NextMain));
}

} // namespace
} // namespace swatchbox::testing
