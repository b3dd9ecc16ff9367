// The texture panel as the display shows it: pixels read from the screen, not
// from OpenGL, so they are what the user sees whoever drew them.
#include "display/PanelRendering.h"
#include "display/PreviewWindow.h"
#include "shell/MainWindow.h"
#include "shell/MainWindowState.h"
#include "shell/PackageAnalysis.h"
#include "shell/WinHandles.h"
#include "tests/builder/PackageBuilder.h"
#include "tests/win/ProgramFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace swatchbox::testing {
namespace {

constexpr COLORREF Background = RGB(0x10, 0x20, 0x40);
constexpr COLORREF Palette[] = {RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(0, 0, 255),
                                RGB(255, 255, 0), RGB(0, 255, 255), RGB(255, 0, 255),
                                RGB(255, 128, 0), RGB(128, 0, 255)};
constexpr int Size = 128; // TextureSize: cells of 144 x 208

// The window at the screen's corner, large enough for the panel to cover the
// middle of the screen, where the preview opens.
const std::string SettingsText =
    "[Window]\r\nX=0\r\nY=0\r\nW=1100\r\nH=900\r\n[Colors]\r\nBackground=" +
    std::to_string(Background) + "\r\n[Rendering]\r\nTextureSize=128\r\n";

// A rectangle of the screen as the display shows it.
class TScreenPixels {
public:
    explicit TScreenPixels(const RECT& Area)
        : Left(Area.left), Top(Area.top), Width(Area.right - Area.left),
          Height(Area.bottom - Area.top), Pixels(static_cast<std::size_t>(Width * Height)) {
        const TWindowDC Screen(nullptr);
        const TMemoryDC Memory(CreateCompatibleDC(Screen.Get()));
        BITMAPINFO Info{};
        Info.bmiHeader = {sizeof(Info.bmiHeader), Width, -Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* Bits = nullptr;
        const TBitmapHandle Bitmap(
            CreateDIBSection(Screen.Get(), &Info, DIB_RGB_COLORS, &Bits, nullptr, 0));
        const TSelection Selected(Memory.Get(), Bitmap.Get());
        BitBlt(Memory.Get(), 0, 0, Width, Height, Screen.Get(), Left, Top, SRCCOPY);
        GdiFlush();
        const auto* Row = static_cast<const uint32_t*>(Bits);
        for (std::size_t Index = 0; Index < Pixels.size(); ++Index)
            Pixels[Index] = RGB(Row[Index] >> 16 & 0xFF, Row[Index] >> 8 & 0xFF, Row[Index] & 0xFF);
    }
    // A pixel at screen coordinates inside the rectangle.
    COLORREF At(int X, int Y) const {
        return Pixels[static_cast<std::size_t>((Y - Top) * Width + X - Left)];
    }

private:
    int Left;
    int Top;
    int Width;
    int Height;
    std::vector<COLORREF> Pixels;
};

RECT ScreenRect(HWND Window) {
    RECT Client{};
    GetClientRect(Window, &Client);
    MapWindowPoints(Window, HWND_DESKTOP, reinterpret_cast<POINT*>(&Client), 2);
    return Client;
}

// Where a pixel of the screen should have a colour.
struct TExpected {
    POINT At;
    COLORREF Colour;
    std::string What;
};

class PanelOnScreen : public ::testing::Test {
protected:
    void SetUp() override {
        TPackageBuilder Builder;
        AddSolid(Builder, "A", 256, Palette[0]);
        for (int Index = 1; Index < 24; ++Index)
            AddSolid(Builder, "T" + std::to_string(100 + Index), 64,
                     Palette[Index % std::size(Palette)]);
        const std::string Path = Window.Folder.File("Screen.utx");
        Builder.WriteTo(Path);
        AnalysePackage(Path);
        ASSERT_EQ(App.ShownTextures.size(), 24u);
    }
    void TearDown() override {
        if (HWND Preview = FindWindowA("SWATCHBOX_PREVIEW", nullptr))
            DestroyWindow(Preview);
    }

    static void AddSolid(TPackageBuilder& Builder, const std::string& Name, int32_t Edge,
                         COLORREF Colour) {
        TBytes Pixels;
        for (int32_t Index = 0; Index < Edge * Edge; ++Index)
            Pixels.insert(Pixels.end(),
                          {GetBValue(Colour), GetGValue(Colour), GetRValue(Colour), 255});
        Builder.AddTexture(
            {.Name = Name, .Format = pfRGBA8, .Width = Edge, .Height = Edge, .Pixels = Pixels});
    }

    // The centre of each whole thumbnail in view, and the background beside
    // each and in the top-left margin, at screen coordinates.
    static std::vector<TExpected> PanelPixels() {
        const RECT Panel = ScreenRect(App.TexturePanel);
        const int Columns = PanelColumnCount();
        std::vector<TExpected> Expected{
            {{Panel.left + 4, Panel.top + 4}, Background, "top-left margin"}};
        for (int Index = 0; Index < static_cast<int>(App.ShownTextures.size()); ++Index) {
            const int X = Panel.left + 16 + Index % Columns * (Size + 16);
            const int Y = Panel.top + 16 + Index / Columns * (Size + 80);
            if (Y + Size > Panel.bottom)
                break;
            const std::string Name = App.ShownTextures[static_cast<std::size_t>(Index)]->Name;
            Expected.push_back({{X + Size / 2, Y + Size / 2},
                                Palette[Index % std::size(Palette)],
                                Name + " centre"});
            Expected.push_back({{X + Size + 8, Y + Size / 2}, Background, Name + " right"});
        }
        return Expected;
    }

    // Lets the program draw and present frames (or, with Draw false, only
    // handle its messages) until the screen shows what is expected; reports
    // the first pixel that never did.
    ::testing::AssertionResult ScreenShows(const RECT& Area,
                                           const std::function<std::vector<TExpected>()>& Expected,
                                           bool Draw = true) {
        std::string Mismatch;
        for (int Attempt = 0; Attempt < 60; ++Attempt) {
            if (Draw)
                RenderTexturePanel();
            Window.Pump();
            Sleep(50);
            const TScreenPixels Screen(Area);
            Mismatch.clear();
            for (const auto& Pixel : Expected()) {
                const COLORREF Got = Screen.At(Pixel.At.x, Pixel.At.y);
                if (Got != Pixel.Colour) {
                    std::ostringstream Text;
                    Text << Pixel.What << " at " << Pixel.At.x << "," << Pixel.At.y << ": 0x"
                         << std::hex << Got << " instead of 0x" << Pixel.Colour;
                    Mismatch = Text.str();
                    break;
                }
            }
            if (Mismatch.empty())
                return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << Mismatch;
    }

    TProgramWindow Window{{}, SettingsText};
};

TEST_F(PanelOnScreen, ShowsEveryThumbnailInItsCellOnTheBackgroundAlsoWhenRepainted) {
    const RECT Panel = ScreenRect(App.TexturePanel);
    EXPECT_TRUE(ScreenShows(Panel, PanelPixels));

    // Uncovered, the panel shows its frame again at once, with no new one drawn.
    KillTimer(App.MainWnd, RenderTimerId);
    RedrawWindow(App.TexturePanel, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_TRUE(ScreenShows(Panel, PanelPixels, false));
}

TEST_F(PanelOnScreen, APreviewOverThePanelKeepsItsOwnPixels) {
    App.SelectedIndex = 0;
    OpenPreview();
    const HWND Preview = FindWindowA("SWATCHBOX_PREVIEW", nullptr);
    ASSERT_NE(Preview, nullptr);
    const RECT Panel = ScreenRect(App.TexturePanel);
    const RECT Image = ScreenRect(Preview);
    RECT Overlap{};
    IntersectRect(&Overlap, &Panel, &Image);
    ASSERT_TRUE(EqualRect(&Overlap, &Image)) << "the preview must lie over the panel";

    // Every pixel of the preview is its texture's, while the panel around it
    // keeps being drawn.
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
    EXPECT_TRUE(ScreenShows(Panel, Expected));
}

} // namespace
} // namespace swatchbox::testing
