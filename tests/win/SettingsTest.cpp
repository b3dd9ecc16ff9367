// The settings file: what a save writes and a load gets back, what a load
// makes of odd values, and where a maximised or minimised window comes back.
#include "shell/Settings.h"
#include "shell/MainWindowState.h"
#include "tests/win/ProgramFixture.h"

#include <gtest/gtest.h>

namespace swatchbox::testing {
namespace {

std::vector<int32_t> Placement() {
    return {Settings.WindowX, Settings.WindowY, Settings.WindowW, Settings.WindowH,
            Settings.WindowState};
}

TEST(Settings, SaveWritesEveryKeyAndALoadGetsTheSameValuesBack) {
    TProgramWindow Window;
    MoveWindow(App.MainWnd, 40, 50, 900, 640, TRUE);
    Settings.BackgroundColor = 5197647;
    Settings.SelectionColor = 0x00FF8000;
    Settings.TextColor = 0x00010203;
    Settings.TextureSize = 256;
    Settings.FontName = "Courier New";
    Settings.FontSize = 15;
    TSettings Saved = Settings;
    Window.Close();

    // The names older files were written with.
    const std::string Text = ReadFileText(Window.SettingsFile);
    for (const char* Line :
         {"[Window]", "X=40", "Y=50", "W=900", "H=640", "State=0", "[Colors]", "Background=5197647",
          "Selection=16744448", "Text=66051", "[Rendering]", "TextureSize=256", "RenderTime=100",
          "Font=Courier New", "FontSize=15"})
        EXPECT_NE(Text.find(Line), std::string::npos) << Line;
    Settings = TSettings{};
    LoadSettings();
    EXPECT_EQ(Placement(), (std::vector<int32_t>{40, 50, 900, 640, 0}));
    EXPECT_EQ(std::vector<uint32_t>({Settings.BackgroundColor, Settings.SelectionColor,
                                     Settings.TextColor, uint32_t(Settings.TextureSize),
                                     uint32_t(Settings.FontSize)}),
              std::vector<uint32_t>(
                  {Saved.BackgroundColor, Saved.SelectionColor, Saved.TextColor, 256, 15}));
    EXPECT_EQ(Settings.FontName, "Courier New");
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

TEST(Settings, ClosingMaximisedOrMinimisedStoresTheRestoredPlacement) {
    for (const int Show : {SW_MAXIMIZE, SW_MINIMIZE}) {
        TProgramWindow Window;
        MoveWindow(App.MainWnd, 60, 70, 820, 610, TRUE);
        ShowWindow(App.MainWnd, Show);
        Window.Pump();
        Window.Close();
        LoadSettings();
        const int State = Show == SW_MAXIMIZE ? 1 : 0;
        EXPECT_EQ(Placement()[4], State) << Show;
        if (State == 0) {
            EXPECT_EQ(Placement(), (std::vector<int32_t>{60, 70, 820, 610, 0}));
        }
    }
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
