// Tests that run alone: the texture panel as the display shows it (pixels read
// from the screen, not from OpenGL, so they are what the user sees whoever drew
// them), and the help viewer's windows opened by the window menu and F1.
#include "display/PanelRendering.h"
#include "display/PreviewWindow.h"
#include "resources/ResourceIds.h"
#include "shell/Help.h"
#include "tests/win/ProgramFixture.h"

#include <map>

namespace swatchbox::testing {
namespace {

constexpr COLORREF Background = RGB(0x10, 0x20, 0x40);
constexpr COLORREF Selection = RGB(0x60, 0x60, 0x60);
// What another window leaves on the panel's part of the screen until the
// panel paints it again.
constexpr COLORREF Leftover = RGB(0xF0, 0xF0, 0xF0);
constexpr COLORREF Palette[] = {RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(0, 0, 255),
                                RGB(255, 255, 0), RGB(0, 255, 255), RGB(255, 0, 255),
                                RGB(255, 128, 0), RGB(128, 0, 255)};
constexpr int Size = 128; // TextureSize: cells of 144 x 208

// The window at the screen's corner, large enough for the panel to cover the
// middle of the screen, where the preview opens.
const std::string SettingsText =
    "[Window]\r\nX=0\r\nY=0\r\nW=1100\r\nH=900\r\n[Colors]\r\nBackground=" +
    std::to_string(Background) + "\r\nSelection=" + std::to_string(Selection) +
    "\r\n[Rendering]\r\nTextureSize=128\r\n";

// Where a pixel of the screen should have a colour.
struct TExpected {
    POINT At;
    COLORREF Colour;
    std::string What;
};

class PanelOnScreen : public ::testing::Test {
protected:
    // 24 textures of eight colours in two groups; the first is larger.
    void SetUp() override {
        std::vector<TTextureDesc> Textures;
        for (int Index = 0; Index < 24; ++Index) {
            const std::string Name = Index ? "T" + std::to_string(100 + Index) : "A";
            Colours[Name] = Palette[Index % std::size(Palette)];
            Textures.push_back(SolidTexture({.Name = Name, .Group = Index % 2 ? "Odd" : "Even"},
                                            Index ? 64 : 256, Index ? 64 : 256, Colours[Name]));
        }
        Window.Show(Textures);
        ASSERT_EQ(App.ShownTextures.size(), 24u);
    }

    // What the panel shows now, at screen coordinates: the background in the
    // top-left margin, and for each whole cell in view the centre of its
    // thumbnail and a corner of its cell, in the selection colour for the
    // selected texture.
    std::vector<TExpected> PanelPixels() const {
        const RECT Panel = ScreenRect(App.TexturePanel);
        const int Columns = PanelColumnCount();
        const int Scrolled = PanelScrollInfo().nPos;
        std::vector<TExpected> Expected{
            {{Panel.left + 4, Panel.top + 4}, Background, "top-left margin"}};
        for (int Index = 0; Index < static_cast<int>(App.ShownTextures.size()); ++Index) {
            const int X = Panel.left + 8 + Index % Columns * (Size + 16);
            const int Y = Panel.top + 8 + Index / Columns * (Size + 80) - Scrolled;
            if (Y < Panel.top)
                continue;
            if (Y + 8 + Size > Panel.bottom)
                break;
            const std::string Name = App.ShownTextures[static_cast<std::size_t>(Index)]->Name;
            Expected.push_back(
                {{X + 8 + Size / 2, Y + 8 + Size / 2}, Colours.at(Name), Name + " centre"});
            Expected.push_back({{X + 4, Y + 4},
                                Index == App.SelectedIndex ? Selection : Background,
                                Name + " cell corner"});
        }
        return Expected;
    }

    static void CoverPanel() {
        const TWindowDC Panel(App.TexturePanel);
        const TBrushHandle Brush(CreateSolidBrush(Leftover));
        RECT Client{};
        GetClientRect(App.TexturePanel, &Client);
        FillRect(Panel.Get(), &Client, Brush.Get());
    }

    // Lets the program handle its messages until the screen shows what is
    // expected; reports the first pixel that never did.
    ::testing::AssertionResult
    ScreenShows(const std::function<std::vector<TExpected>()>& Expected) {
        std::string Mismatch;
        const bool Shown = WaitUntil(
            [&] {
                Window.Pump();
                const TWindowDC Screen(nullptr);
                for (const auto& [At, Colour, What] : Expected())
                    if (const COLORREF Got = GetPixel(Screen.Get(), At.x, At.y); Got != Colour) {
                        Mismatch = What + " at " + std::to_string(At.x) + "," +
                                   std::to_string(At.y) + ": " + std::to_string(Got);
                        return false;
                    }
                return true;
            },
            60, 50);
        return Shown ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << Mismatch;
    }

    TProgramWindow Window{{}, SettingsText};
    std::map<std::string, COLORREF> Colours;
};

TEST_F(PanelOnScreen, AnIdlePanelDrawsNothingAndEveryChangeOrPaintRequestShowsItAgain) {
    EXPECT_TRUE(ScreenShows([this] { return PanelPixels(); }));

    // Several ticks of the render timer go by without a frame over the leftover.
    CoverPanel();
    for (int Tick = 0; Tick < 5; ++Tick) {
        Sleep(static_cast<DWORD>(Settings.RenderTime));
        Window.Pump();
    }
    EXPECT_TRUE(ScreenShows([this] {
        std::vector<TExpected> Expected = PanelPixels();
        for (TExpected& Pixel : Expected)
            Pixel.Colour = Leftover;
        return Expected;
    }));

    // Left on the screen, the old frame would hide a change that is not drawn.
    const std::pair<const char*, std::function<void()>> Changes[] = {
        // Uncovering asks the panel to paint itself.
        {"paint request",
         [] {
             RedrawWindow(App.TexturePanel, nullptr, nullptr,
                          RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
         }},
        {"selection",
         [] { SendMessageA(App.TexturePanel, WM_LBUTTONDOWN, 0, MAKELPARAM(170, 20)); }},
        {"scroll", [] { SendMessageA(App.TexturePanel, WM_VSCROLL, SB_LINEDOWN, 0); }},
        {"group", [] { ChooseComboItem(App.GroupCombo, "Odd"); }},
        {"scroll back", [] { SendMessageA(App.TexturePanel, WM_VSCROLL, SB_PAGEUP, 0); }},
    };
    for (const auto& [What, Change] : Changes) {
        CoverPanel();
        Change();
        EXPECT_TRUE(ScreenShows([this] { return PanelPixels(); })) << What;
    }
}

TEST_F(PanelOnScreen, APreviewOverThePanelKeepsItsOwnPixels) {
    App.SelectedIndex = 0;
    OpenPreview();
    const HWND Preview = PreviewWindow();
    ASSERT_NE(Preview, nullptr);
    const RECT Panel = ScreenRect(App.TexturePanel);
    const RECT Image = ScreenRect(Preview);
    RECT Overlap{};
    IntersectRect(&Overlap, &Panel, &Image);
    ASSERT_TRUE(EqualRect(&Overlap, &Image)) << "the preview must lie over the panel";

    // Every pixel of the preview is its texture's, also when the panel
    // around it draws a new frame.
    InvalidatePanelFrame();
    const auto Expected = [&] {
        std::vector<TExpected> Pixels;
        for (const TExpected& Pixel : PanelPixels())
            if (!PtInRect(&Image, Pixel.At))
                Pixels.push_back(Pixel);
        for (int Y = Image.top; Y < Image.bottom; Y += 4)
            for (int X = Image.left; X < Image.right; X += 4)
                Pixels.push_back({{X, Y}, Palette[0], "preview"});
        return Pixels;
    };
    EXPECT_TRUE(ScreenShows(Expected));
}

// Runs the command and counts the help windows it opened, closing them again.
template <typename TCommand>
std::size_t HelpWindowsOpenedBy(TProgramWindow& Window, TCommand Command) {
    Command();
    Window.Pump();
    const std::vector<HWND> Opened = HelpWindowsOf(GetCurrentProcessId());
    for (HWND Help : Opened)
        SendMessageA(Help, WM_CLOSE, 0, 0);
    Window.Pump();
    EXPECT_TRUE(HelpWindowsOf(GetCurrentProcessId()).empty()) << "a help window stayed open";
    return Opened.size();
}

TEST(Help, TheMenuItemAndF1OpenTheHelpFileOnlyWhenItIsThere) {
    for (const bool WithFile : {false, true}) {
        SCOPED_TRACE(WithFile ? "with Swatchbox.CHM" : "without Swatchbox.CHM");
        const std::string Built = SWATCHBOX_HELP_FILE;
        if (WithFile && Built.empty())
            GTEST_SKIP() << "built without the help file";
        TTempDir Folder;
        const std::string HelpFile = Folder.File("Swatchbox.CHM");
        if (WithFile)
            std::filesystem::copy_file(Built, HelpFile);
        UseHelpFile(HelpFile);
        // A settings file: no first start, which would open the help by itself.
        TProgramWindow Window({}, "[Window]\r\nState=0\r\n");

        HMENU Menu = GetSystemMenu(App.MainWnd, FALSE);
        EXPECT_EQ((GetMenuState(Menu, CMD_SYS_HELP, MF_BYCOMMAND) & MF_GRAYED) == 0, WithFile);

        const std::size_t Expected = WithFile ? 1 : 0;
        EXPECT_EQ(HelpWindowsOpenedBy(
                      Window, [] { SendMessageA(App.MainWnd, WM_SYSCOMMAND, CMD_SYS_HELP, 0); }),
                  Expected);
        EXPECT_EQ(
            HelpWindowsOpenedBy(Window, [] { PostMessageA(App.MainWnd, WM_KEYDOWN, VK_F1, 0); }),
            Expected);
    }
}

} // namespace
} // namespace swatchbox::testing
