// Swatchbox.exe started as a user starts it: a package on the command line,
// a row click, a second start while it runs, and the settings file at exit.
#include "package/PixelFormat.h"
#include "tools/package-builder/PackageBuilder.h"
#include "tests/support/TestFiles.h"
#include "tests/win/ProgramProcess.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace swatchbox::testing {
namespace {

std::multiset<std::string> ChildClasses(HWND Parent) {
    std::multiset<std::string> Classes;
    for (HWND Child = GetWindow(Parent, GW_CHILD); Child; Child = GetWindow(Child, GW_HWNDNEXT)) {
        char Name[64] = {};
        GetClassNameA(Child, Name, sizeof(Name));
        Classes.insert(Name);
    }
    return Classes;
}

HWND ChildOfClass(HWND Parent, const char* Class) {
    return FindWindowExA(Parent, nullptr, Class, nullptr);
}

TEST(ProgramRun, ShowsAPackageFromTheCommandLineAndSavesItsSettings) {
    TTempDir Folder;
    const std::string Program = Folder.File("Swatchbox.exe");
    std::filesystem::copy_file(SWATCHBOX_PROGRAM, Program);
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
    WaitUntil([&] { return ChildClasses(Main).size() == 7; });

    EXPECT_EQ(ChildClasses(Main),
              (std::multiset<std::string>{"msctls_statusbar32", "Static", "Static", "ComboBox",
                                          "ComboBox", "SysListView32", "Button"}));
    const HWND List = ChildOfClass(Main, "SysListView32");
    // The first layout follows the window's creation.
    RECT Client{}, Panel{}, Rows{};
    WaitUntil([&] {
        GetWindowRect(ChildOfClass(Main, "Button"), &Panel);
        return Panel.right > Panel.left;
    });
    GetClientRect(Main, &Client);
    GetWindowRect(List, &Rows);
    MapWindowPoints(HWND_DESKTOP, Main, reinterpret_cast<POINT*>(&Panel), 2);
    MapWindowPoints(HWND_DESKTOP, Main, reinterpret_cast<POINT*>(&Rows), 2);
    EXPECT_EQ(Panel.left, 187);
    EXPECT_EQ(Panel.top, 0);
    EXPECT_EQ(Panel.right, Client.right + 3);
    EXPECT_EQ(Rows.left, -1);
    EXPECT_EQ(Rows.right, 188);
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
}

} // namespace
} // namespace swatchbox::testing
