// The main window as the program makes and closes it: its controls at any
// size, dropped files, the settings file, start-up without OpenGL and the
// help texts of its menus.
#include "display/GLContext.h"
#include "resources/ResourceIds.h"
#include "shell/MainWindowState.h"
#include "shell/Settings.h"
#include "shell/WinHandles.h"
#include "tests/win/ProgramFixture.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <filesystem>
#include <tuple>
#include <vector>

namespace swatchbox::testing {
namespace {

// The panel fills everything right of the package list down to the status
// bar, the list sits above the group box, and the status bar takes the bottom
// (neighbours' borders overlap by a pixel), at every size; the window never gets smaller
// than 800 x 400. The first row is the default size, laid out as the window
// was made.
TEST(MainWindow, ControlsFillTheWindowAtEverySize) {
    TProgramWindow Window;
    ASSERT_TRUE(Window.Started);
    int Row = 0;
    for (const SIZE Size : {SIZE{810, 600}, SIZE{1000, 700}, SIZE{300, 200}, SIZE{810, 600}}) {
        SCOPED_TRACE(Row);
        RECT Outer{}, Client{};
        if (Row++ > 0)
            MoveWindow(App.MainWnd, 10, 10, Size.cx, Size.cy, TRUE);
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
        EXPECT_EQ(Panel.right, Client.right + 3);
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

std::vector<int32_t> Placement() {
    return {Settings.WindowX, Settings.WindowY, Settings.WindowW, Settings.WindowH,
            Settings.WindowState};
}

// Closing saves every key, and a load gets the values back with the rectangle
// a maximised or minimised window restores to.
TEST(Settings, ClosingSavesEveryKeyAndALoadGetsTheRestoredPlacement) {
    const TSettings Default;
    const std::pair<int, std::vector<int32_t>> Cases[] = {
        {SW_SHOWNORMAL, {40, 50, 900, 640, 0}},
        {SW_MINIMIZE, {40, 50, 900, 640, 0}},
        // A maximised window is stored as such and restores to the default.
        {SW_MAXIMIZE, {Default.WindowX, Default.WindowY, Default.WindowW, Default.WindowH, 1}},
    };
    for (const auto& [Show, Restored] : Cases) {
        SCOPED_TRACE(Show);
        TProgramWindow Window;
        MoveWindow(App.MainWnd, 40, 50, 900, 640, TRUE);
        ShowWindow(App.MainWnd, Show);
        Window.Pump();
        Settings.BackgroundColor = 5197647;
        Settings.SelectionColor = 0x00FF8000;
        Settings.TextColor = 0x00010203;
        Settings.TextureSize = 256;
        Settings.FontName = "Courier New";
        Settings.FontSize = 15;
        const TSettings Saved = Settings;
        Window.Close();

        // The names and number formats older files were written with.
        const std::string Text = ReadFileText(Window.SettingsFile);
        for (const char* Line :
             {"[Window]", "X=", "Y=", "W=", "H=", "State=", "[Colors]", "Background=5197647",
              "Selection=16744448", "Text=66051", "[Rendering]", "TextureSize=256",
              "RenderTime=100", "Font=Courier New", "FontSize=15"})
            EXPECT_NE(Text.find(Line), std::string::npos) << Line;
        Settings = TSettings{};
        LoadSettings();
        EXPECT_EQ(Placement(), Restored);
        EXPECT_EQ(std::tie(Settings.BackgroundColor, Settings.SelectionColor, Settings.TextColor,
                           Settings.TextureSize, Settings.FontName, Settings.FontSize),
                  std::tie(Saved.BackgroundColor, Saved.SelectionColor, Saved.TextColor,
                           Saved.TextureSize, Saved.FontName, Saved.FontSize));
    }
}

// State 1 stored the maximised rectangle, so the window restores to the
// default one; State 2 keeps the stored rectangle. Values the panel or the
// timer can't work with get their defaults.
TEST(Settings, LoadPlacesTheWindowAndReplacesUnusableValues) {
    const std::string Rect = "[Window]\r\nX=5\r\nY=6\r\nW=1000\r\nH=700\r\n";
    const TSettings Default;
    const struct {
        std::string Text;
        std::vector<int32_t> Placement;
        bool Maximised;
    } Cases[] = {
        {Rect + "State=0\r\n", {5, 6, 1000, 700, 0}, false},
        {Rect + "State=1\r\n",
         {Default.WindowX, Default.WindowY, Default.WindowW, Default.WindowH, 1},
         true},
        {Rect + "State=2\r\n", {5, 6, 1000, 700, 2}, true},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Text);
        TProgramWindow Window({}, Case.Text);
        EXPECT_EQ(Placement(), Case.Placement);
        EXPECT_EQ(IsZoomed(App.MainWnd) != FALSE, Case.Maximised);
    }

    TProgramWindow Window({}, "[Rendering]\r\nTextureSize=0\r\nRenderTime=-5\r\nFontSize=abc\r\n"
                              "Font=\r\n[Colors]\r\nBackground=255\r\n");
    EXPECT_EQ(Settings.TextureSize, Default.TextureSize);
    EXPECT_EQ(Settings.RenderTime, Default.RenderTime);
    EXPECT_EQ(Settings.FontSize, Default.FontSize);
    EXPECT_EQ(Settings.FontName, Default.FontName);
    EXPECT_EQ(Settings.BackgroundColor, 255u);

    // A file that can't be written gives one message.
    UseSettingsFile(Window.Folder.File("missing-folder\\Swatchbox.INI"));
    Window.Close();
    EXPECT_EQ(Window.Texts(), std::vector<std::string>{
                                  "Error: [INISETTINGS]\r\nCould not save settings to ini file!"});
}

// Refuses every button window of this thread, the texture panel among them.
LRESULT CALLBACK RefuseButtons(int Code, WPARAM WParam, LPARAM LParam) {
    char Class[16] = {};
    if (Code == HCBT_CREATEWND &&
        GetClassNameA(reinterpret_cast<HWND>(WParam), Class, sizeof(Class)) > 0 &&
        lstrcmpiA(Class, "BUTTON") == 0)
        return 1;
    return CallNextHookEx(nullptr, Code, WParam, LParam);
}

TEST(GLContext, WithoutAContextTheProgramSaysSoOnceAndEndsWithoutSaving) {
    const HHOOK Hook = SetWindowsHookExA(WH_CBT, RefuseButtons, nullptr, GetCurrentThreadId());
    ASSERT_NE(Hook, nullptr);
    TProgramWindow Window;
    UnhookWindowsHookEx(Hook);

    EXPECT_FALSE(Window.Started);
    ASSERT_EQ(Window.Reporter.Messages.size(), 1u);
    EXPECT_EQ(Window.Reporter.Messages[0].Caption, "Error");
    EXPECT_EQ(Window.Reporter.Messages[0].Text, "[OPENGL]\r\nInitialisation of OpenGL failed!");
    EXPECT_FALSE(std::filesystem::exists(Window.SettingsFile));
}

const HINSTANCE Module = GetModuleHandleA(nullptr);

// Every command of the popup menus and the window menu shows a help text in
// the status bar while it is highlighted.
void CollectCommands(HMENU Menu, std::vector<UINT>& Commands) {
    for (int Position = 0; Position < GetMenuItemCount(Menu); ++Position) {
        if (const HMENU Sub = GetSubMenu(Menu, Position))
            CollectCommands(Sub, Commands);
        else if (!(GetMenuState(Menu, Position, MF_BYPOSITION) & MF_SEPARATOR))
            Commands.push_back(GetMenuItemID(Menu, Position));
    }
}

TEST(Resources, EveryMenuCommandHasAHelpText) {
    std::vector<UINT> Commands{CMD_SYS_HELP, CMD_SYS_ABOUT};
    for (const char* Name : {"POP_PACKAGELIST", "POP_RENDERPANEL"}) {
        const TMenuHandle Menu(LoadMenuA(Module, Name));
        ASSERT_TRUE(Menu) << Name;
        CollectCommands(Menu.Get(), Commands);
    }
    EXPECT_GT(Commands.size(), 10u);
    for (const UINT Id : Commands) {
        char Text[256]{};
        EXPECT_GT(LoadStringA(Module, Id, Text, sizeof(Text)), 0) << Id;
    }
}

} // namespace
} // namespace swatchbox::testing
