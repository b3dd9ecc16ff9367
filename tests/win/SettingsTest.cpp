// The settings file: defaults, what a save writes, what a load makes of odd
// values, and the placement of a maximised or minimised window.
#include "shell/Settings.h"
#include "shell/MainWindowState.h"
#include "tests/win/ProgramFixture.h"

#include <gtest/gtest.h>

namespace swatchbox::testing {
namespace {

RECT OuterRect() {
    RECT Rect{};
    GetWindowRect(App.MainWnd, &Rect);
    return Rect;
}

TEST(Settings, WithoutAFileTheWindowOpensWithTheDefaults) {
    TProgramWindow Window;
    ASSERT_TRUE(Window.Started);
    const RECT Rect = OuterRect();
    EXPECT_EQ(Rect.left, 100);
    EXPECT_EQ(Rect.top, 100);
    EXPECT_EQ(Rect.right - Rect.left, 810);
    EXPECT_EQ(Rect.bottom - Rect.top, 600);
    EXPECT_EQ(Settings.BackgroundColor, 0x4F4F4Fu);
    EXPECT_EQ(Settings.SelectionColor, 0x596354u);
    EXPECT_EQ(Settings.TextColor, 0xBFBFBFu);
    EXPECT_EQ(Settings.TextureSize, 128);
    EXPECT_EQ(Settings.RenderTime, 100);
    EXPECT_EQ(Settings.FontName, "MS Shell Dlg");
    EXPECT_EQ(Settings.FontSize, 12);
    EXPECT_EQ(App.CellWidth, 144.0f);
    EXPECT_EQ(App.CellHeight, 208.0f);
}

TEST(Settings, SaveWritesEverySectionAndALoadGetsTheSameValuesBack) {
    TProgramWindow Window;
    MoveWindow(App.MainWnd, 40, 50, 900, 640, TRUE);
    Settings.BackgroundColor = 5197647;
    Settings.SelectionColor = 0x00FF8000;
    Settings.TextColor = 0x00010203;
    Settings.TextureSize = 256;
    Settings.FontName = "Courier New";
    Settings.FontSize = 15;
    const TSettings Saved = Settings;
    Window.Close();

    const std::string Text = ReadFileText(Window.SettingsFile);
    for (const char* Line :
         {"[Window]", "X=40", "Y=50", "W=900", "H=640", "State=0", "[Colors]", "Background=5197647",
          "Selection=16744448", "[Rendering]", "TextureSize=256", "RenderTime=100",
          "Font=Courier New", "FontSize=15"})
        EXPECT_NE(Text.find(Line), std::string::npos) << Line;

    Settings = TSettings{};
    LoadSettings();
    EXPECT_EQ(Settings.WindowX, 40);
    EXPECT_EQ(Settings.WindowW, 900);
    EXPECT_EQ(Settings.BackgroundColor, Saved.BackgroundColor);
    EXPECT_EQ(Settings.SelectionColor, Saved.SelectionColor);
    EXPECT_EQ(Settings.TextColor, Saved.TextColor);
    EXPECT_EQ(Settings.TextureSize, 256);
    EXPECT_EQ(Settings.FontName, "Courier New");
    EXPECT_EQ(Settings.FontSize, 15);
}

TEST(Settings, MaximisedStateRestoresToTheDefaultRectangle) {
    TProgramWindow Window({}, "[Window]\r\nX=5\r\nY=6\r\nW=1000\r\nH=700\r\nState=1\r\n");
    EXPECT_TRUE(IsZoomed(App.MainWnd));
    EXPECT_EQ(Settings.WindowX, 100);
    EXPECT_EQ(Settings.WindowW, 810);
    Window.Close();
    EXPECT_NE(ReadFileText(Window.SettingsFile).find("State=1"), std::string::npos);
}

TEST(Settings, StateTwoKeepsTheStoredRectangleButMaximises) {
    TProgramWindow Window({}, "[Window]\r\nX=5\r\nY=6\r\nW=1000\r\nH=700\r\nState=2\r\n");
    EXPECT_TRUE(IsZoomed(App.MainWnd));
    EXPECT_EQ(Settings.WindowX, 5);
    EXPECT_EQ(Settings.WindowH, 700);
}

TEST(Settings, ValuesThePanelCantUseFallBackToTheirDefaults) {
    TProgramWindow Window({}, "[Rendering]\r\nTextureSize=0\r\nRenderTime=-5\r\nFontSize=abc\r\n"
                              "Font=\r\n[Colors]\r\nBackground=255\r\n");
    EXPECT_EQ(Settings.TextureSize, 128);
    EXPECT_EQ(Settings.RenderTime, 100);
    EXPECT_EQ(Settings.FontSize, 12);
    EXPECT_EQ(Settings.FontName, "MS Shell Dlg");
    EXPECT_EQ(Settings.BackgroundColor, 255u);
}

TEST(Settings, LongFontNamesAreCutTo63Characters) {
    const std::string Long(70, 'F');
    TProgramWindow Window({}, "[Rendering]\r\nFont=" + Long + "\r\n");
    EXPECT_EQ(Settings.FontName, Long.substr(0, 63));
}

TEST(Settings, ClosingWhileMinimisedStoresTheRestoredPlacement) {
    TProgramWindow Window;
    MoveWindow(App.MainWnd, 60, 70, 820, 610, TRUE);
    ShowWindow(App.MainWnd, SW_MINIMIZE);
    Window.Pump();
    ASSERT_TRUE(IsIconic(App.MainWnd));
    Window.Close();
    Settings = TSettings{};
    LoadSettings();
    EXPECT_EQ(Settings.WindowX, 60);
    EXPECT_EQ(Settings.WindowY, 70);
    EXPECT_EQ(Settings.WindowW, 820);
    EXPECT_EQ(Settings.WindowH, 610);
    EXPECT_EQ(Settings.WindowState, 0);
}

TEST(Settings, AFileThatCantBeWrittenGivesOneMessage) {
    TProgramWindow Window;
    UseSettingsFile(Window.Folder.File("missing-folder\\Swatchbox.INI"));
    Window.Close();
    ASSERT_EQ(Window.Reporter.Messages.size(), 1u);
    EXPECT_EQ(Window.Reporter.Messages[0].Caption, "Error");
    EXPECT_EQ(Window.Reporter.Messages[0].Text,
              "[INISETTINGS]\r\nCould not save settings to ini file!");
}

} // namespace
} // namespace swatchbox::testing
