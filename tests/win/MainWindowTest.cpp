// The main window's controls at any size the window can take, and dropped files.
#include "shell/MainWindowState.h"
#include "tests/win/ProgramFixture.h"

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>

namespace swatchbox::testing {
namespace {

// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND Child) {
    RECT Rect{};
    GetWindowRect(Child, &Rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(Child), reinterpret_cast<POINT*>(&Rect), 2);
    return Rect;
}

// The panel fills everything right of the package list down to the status
// bar, the list sits above the group box, and the status bar takes the bottom
// (neighbours' borders overlap by a pixel), at every size; the window never gets smaller
// than 800 x 400.
TEST(MainWindow, ControlsFillTheWindowAtEverySize) {
    TProgramWindow Window;
    ASSERT_TRUE(Window.Started);
    for (const SIZE Size : {SIZE{810, 600}, SIZE{1000, 700}, SIZE{300, 200}}) {
        SCOPED_TRACE(Size.cx);
        MoveWindow(App.MainWnd, 10, 10, Size.cx, Size.cy, TRUE);
        RECT Outer{}, Client{};
        GetWindowRect(App.MainWnd, &Outer);
        GetClientRect(App.MainWnd, &Client);
        EXPECT_EQ(Outer.right - Outer.left, std::max<LONG>(Size.cx, 800));
        EXPECT_EQ(Outer.bottom - Outer.top, std::max<LONG>(Size.cy, 400));
        const RECT Status = ChildRect(App.StatusBar);
        const RECT Panel = ChildRect(App.TexturePanel);
        const RECT List = ChildRect(App.PackageList);
        const RECT Groups = ChildRect(App.GroupCombo);
        EXPECT_EQ(Status.bottom, Client.bottom);
        EXPECT_EQ(Panel.top, 0);
        EXPECT_NEAR(Panel.right, Client.right, 3);
        EXPECT_NEAR(Panel.bottom, Status.top, 1);
        EXPECT_NEAR(Panel.left, List.right, 1);
        EXPECT_LE(List.bottom, Groups.top);
        EXPECT_LE(Groups.bottom, Status.top + 1);
    }
}

TEST(MainWindow, DroppedFilesAreListedAtTheirFullLength) {
    TProgramWindow Window;
    const std::vector<std::string> Paths = {"C:\\" + std::string(300, 'x') + "\\Deep.utx",
                                            "C:\\Textures\\Short.utx"};
    std::size_t Size = sizeof(DROPFILES) + 1;
    for (const auto& Path : Paths)
        Size += Path.size() + 1;
    HGLOBAL Memory = GlobalAlloc(GHND, Size);
    auto* Files = static_cast<DROPFILES*>(GlobalLock(Memory));
    Files->pFiles = sizeof(DROPFILES);
    char* Text = reinterpret_cast<char*>(Files) + sizeof(DROPFILES);
    for (const auto& Path : Paths)
        Text = std::strcpy(Text, Path.c_str()) + Path.size() + 1;
    GlobalUnlock(Memory);
    SendMessageA(App.MainWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(Memory), 0);
    EXPECT_EQ(App.PackageFiles, Paths);
    EXPECT_EQ(SendMessageA(App.PackageList, LVM_GETITEMCOUNT, 0, 0), 2);
}

} // namespace
} // namespace swatchbox::testing
