// The settings file: what a save writes and a load gets back, what a load
// makes of odd values, and where a maximised or minimised window comes back.
#include "shell/Settings.h"
#include "shell/MainWindowState.h"
#include "tests/win/ProgramFixture.h"

#include <gtest/gtest.h>

#include <tuple>

namespace swatchbox::testing {
namespace {

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
