// Swatchbox.exe started as a user starts it: a package on the command line,
// a row click, a second start while it runs, the settings file at exit, and
// the help file beside it.
#include "package/PixelFormat.h"
#include "tests/win/ProgramFixture.h"

#include <filesystem>

namespace swatchbox::testing {
namespace {

// A started program; one still running when this goes is ended.
struct TProcess {
    // Without an argument the program starts with an empty package list.
    TProcess(const std::string& Program, const std::string& Argument = {}) {
        std::string Line =
            "\"" + Program + "\"" + (Argument.empty() ? "" : " \"" + Argument + "\"");
        STARTUPINFOA Startup{};
        Startup.cb = sizeof(Startup);
        Started = CreateProcessA(Program.c_str(), Line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &Startup, &Info) != FALSE;
    }
    ~TProcess() {
        if (Started) {
            TerminateProcess(Info.hProcess, 1);
            CloseHandle(Info.hThread);
            CloseHandle(Info.hProcess);
        }
    }
    // True when the process ends in time with exit code 0.
    bool EndsCleanly() const {
        DWORD Code = 99;
        return WaitForSingleObject(Info.hProcess, 20000) == WAIT_OBJECT_0 &&
               GetExitCodeProcess(Info.hProcess, &Code) && Code == 0;
    }

    bool Started = false;
    PROCESS_INFORMATION Info{};
};

// The started program's main window, once its message loop runs; none after
// thirty seconds. (The window can be found while it is still being made.)
HWND WaitForMainWindow(const TProcess& Process) {
    WaitForInputIdle(Process.Info.hProcess, 20000);
    HWND Window = nullptr;
    WaitUntil([&] { return (Window = FindWindowA("SWATCHBOX", "Swatchbox")) != nullptr; }, 300);
    return Window;
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
    EXPECT_TRUE(WaitUntil(
        [&] { return HelpWindowsOf(First.Info.dwProcessId).size() == (Help.empty() ? 0u : 1u); }));
    const HWND List = FindWindowExA(Main, nullptr, "SysListView32", nullptr);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(List, LVM_GETITEMCOUNT, 0, 0) == 1; }));

    // A second start raises the first copy and ends at once, adding nothing.
    TProcess Second(Program, Package);
    ASSERT_TRUE(Second.Started);
    EXPECT_TRUE(Second.EndsCleanly());
    EXPECT_EQ(SendMessageA(List, LVM_GETITEMCOUNT, 0, 0), 1);

    // A click on the row reads the package: the group label counts its groups.
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(List) != FALSE; }));
    const LPARAM Point = MAKELPARAM(20, 8);
    PostMessageA(List, WM_LBUTTONDOWN, MK_LBUTTON, Point);
    PostMessageA(List, WM_LBUTTONUP, 0, Point);
    EXPECT_TRUE(WaitUntil([&] { return FindWindowExA(Main, nullptr, "Static", "Group (3)"); }));

    PostMessageA(Main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(First.EndsCleanly());
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
    PostMessageA(NextMain, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Next.EndsCleanly());
}

} // namespace
} // namespace swatchbox::testing
