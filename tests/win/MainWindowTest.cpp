// The main window as the program makes it: controls, layout, status bar,
// size limit and dropped files.
#include "shell/MainWindowState.h"
#include "tests/win/ProgramFixture.h"
#include "tests/win/WinTestHelpers.h"

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>

namespace swatchbox::testing {
namespace {

std::string ClassOf(HWND Window) {
    char Name[64] = {};
    GetClassNameA(Window, Name, sizeof(Name));
    return Name;
}

TEST(MainWindow, MakesItsSevenControlsAndLaysThemOut) {
    TProgramWindow Window;
    ASSERT_TRUE(Window.Started);
    EXPECT_EQ(ClassOf(App.MainWnd), "SWATCHBOX");
    EXPECT_EQ(WindowText(App.MainWnd), "Swatchbox");
    EXPECT_TRUE(GetWindowLongA(App.MainWnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

    EXPECT_EQ(ClassOf(App.StatusBar), "msctls_statusbar32");
    EXPECT_EQ(ClassOf(App.PackageList), "SysListView32");
    EXPECT_EQ(ClassOf(App.TexturePanel), "Button");
    EXPECT_EQ(WindowText(App.GameLabel), "Game");
    EXPECT_EQ(WindowText(App.GroupLabel), "Group");
    EXPECT_TRUE(GetWindowLongA(App.GroupLabel, GWL_STYLE) & SS_NOTIFY);
    EXPECT_FALSE(GetWindowLongA(App.GameLabel, GWL_STYLE) & SS_NOTIFY);

    RECT Client{}, Status{};
    GetClientRect(App.MainWnd, &Client);
    GetClientRect(App.StatusBar, &Status);
    const int W = Client.right, H = Client.bottom, S = Status.bottom;
    const RECT List = ChildRect(App.PackageList);
    EXPECT_EQ(List.left, -1);
    EXPECT_EQ(List.top, 22);
    EXPECT_EQ(List.right - List.left, 189);
    EXPECT_EQ(List.bottom - List.top, H - S - 43);
    const RECT Label = ChildRect(App.GroupLabel);
    EXPECT_EQ(Label.left, 6);
    EXPECT_EQ(Label.top, H - S - 17);
    const RECT Combo = ChildRect(App.GroupCombo);
    EXPECT_EQ(Combo.left, 70);
    EXPECT_EQ(Combo.top, H - S - 21);
    const RECT Panel = ChildRect(App.TexturePanel);
    EXPECT_EQ(Panel.left, 187);
    EXPECT_EQ(Panel.top, 0);
    EXPECT_EQ(Panel.right - Panel.left, W - 184);
    EXPECT_EQ(Panel.bottom - Panel.top, H - S + 1);

    int Parts[3] = {};
    EXPECT_EQ(SendMessageA(App.StatusBar, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(Parts)), 3);
    EXPECT_EQ(Parts[0], 187);
    EXPECT_EQ(Parts[1], 320);
    EXPECT_EQ(Parts[2], -1);
}

TEST(MainWindow, CannotBeMadeSmallerThan800By400) {
    TProgramWindow Window;
    MoveWindow(App.MainWnd, 0, 0, 300, 200, TRUE);
    RECT Rect{};
    GetWindowRect(App.MainWnd, &Rect);
    EXPECT_GE(Rect.right - Rect.left, 800);
    EXPECT_GE(Rect.bottom - Rect.top, 400);
}

TEST(MainWindow, ResizingLaysTheControlsOutAgain) {
    TProgramWindow Window;
    MoveWindow(App.MainWnd, 10, 10, 1000, 700, TRUE);
    RECT Client{}, Status{};
    GetClientRect(App.MainWnd, &Client);
    GetClientRect(App.StatusBar, &Status);
    const RECT Panel = ChildRect(App.TexturePanel);
    EXPECT_EQ(Panel.right - Panel.left, Client.right - 184);
    EXPECT_EQ(Panel.bottom - Panel.top, Client.bottom - Status.bottom + 1);
    const RECT Bar = ChildRect(App.StatusBar);
    EXPECT_EQ(Bar.bottom, Client.bottom);
}

// A drop of two files, one with a path far longer than 256 characters.
HGLOBAL MakeDrop(const std::vector<std::string>& Paths) {
    std::size_t Size = sizeof(DROPFILES) + 1;
    for (const auto& Path : Paths)
        Size += Path.size() + 1;
    HGLOBAL Memory = GlobalAlloc(GHND, Size);
    auto* Files = static_cast<DROPFILES*>(GlobalLock(Memory));
    Files->pFiles = sizeof(DROPFILES);
    Files->fWide = FALSE;
    char* Text = reinterpret_cast<char*>(Files) + sizeof(DROPFILES);
    for (const auto& Path : Paths) {
        std::memcpy(Text, Path.c_str(), Path.size() + 1);
        Text += Path.size() + 1;
    }
    GlobalUnlock(Memory);
    return Memory;
}

TEST(MainWindow, DroppedFilesAreListedAtTheirFullLength) {
    TProgramWindow Window;
    const std::string Long = "C:\\" + std::string(300, 'x') + "\\Deep.utx";
    const std::string Short = "C:\\Textures\\Short.utx";
    SendMessageA(App.MainWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({Long, Short})), 0);
    ASSERT_EQ(App.PackageFiles.size(), 2u);
    EXPECT_EQ(App.PackageFiles[0], Long);
    EXPECT_EQ(App.PackageFiles[1], Short);
    EXPECT_EQ(SendMessageA(App.PackageList, LVM_GETITEMCOUNT, 0, 0), 2);
}

} // namespace
} // namespace swatchbox::testing
