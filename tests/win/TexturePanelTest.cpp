// The texture panel of the real main window: drawing read back before the
// buffers are swapped, the labels and their font, the hit test and scrolling.
#include "display/PanelRendering.h"
#include "shell/MainWindowState.h"
#include "shell/PackageAnalysis.h"
#include "tests/win/ProgramFixture.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <map>
#include <tuple>

namespace swatchbox::testing {
namespace {

// Colours as the settings store them, 0x00BBGGRR; pixels are read back as
// red, green, blue, alpha bytes, which on this machine is 0xAABBGGRR.
constexpr uint32_t Background = 0x00402010;
constexpr uint32_t Selection = 0x00008000;
constexpr uint32_t Text = 0x0000FFFF;
constexpr uint32_t Opaque(uint32_t Colour) {
    return Colour | 0xFF000000;
}

class TexturePanel : public ::testing::Test {
protected:
    // Five textures of distinct colours, three columns at a client width of
    // 440, so the second row has an empty third cell.
    void ShowFive() {
        const std::tuple<TTextureDesc, int32_t, int32_t, uint32_t> Textures[] = {
            {{.Name = "Alpha"}, 32, 32, 0x000000FF},
            {{.Name = "Beta", .Group = "Walls"}, 64, 16, 0x0000FF00},
            {{.Name = "Delta"}, 32, 32, 0x00C0C030},
            {{.Name = "Eps"}, 32, 32, 0x00FF00FF},
            {{.Name = "Gamma", .Masked = true, .AlphaTexture = true}, 32, 32, 0x00FF0000}};
        std::vector<TTextureDesc> Descs;
        for (const auto& [Desc, Width, Height, Colour] : Textures) {
            Colours[Desc.Name] = Colour;
            Descs.push_back(SolidTexture(Desc, Width, Height, Colour));
        }
        Show(Descs);
    }

    // Reads the package and gives the panel a client width of 440; the
    // scroll bar may come or go with the new range, so the size is set until
    // it holds.
    void Show(const std::vector<TTextureDesc>& Textures) {
        Window.Show(Textures);
        for (int Attempt = 0; Attempt < 3; ++Attempt) {
            RECT Outer{}, Client{};
            GetWindowRect(App.TexturePanel, &Outer);
            GetClientRect(App.TexturePanel, &Client);
            if (Client.right == 440)
                break;
            SetWindowPos(App.TexturePanel, nullptr, 0, 0,
                         440 + (Outer.right - Outer.left) - Client.right, Outer.bottom - Outer.top,
                         SWP_NOMOVE | SWP_NOZORDER);
            UpdatePanelScrollRange();
        }
        SetPanelProjection();
    }

    // One drawing pass left in the back buffer for reading, after a full pass
    // as the render timer gives the program at once.
    static bool DrawForReading() {
        RenderTexturePanel();
        return DrawTexturePanel();
    }

    // Top-left corner of a texture's image area at three columns of 128.
    static POINT ImageAt(std::size_t Index) {
        return {16 + static_cast<LONG>(Index % 3 * 144), 16 + static_cast<LONG>(Index / 3 * 208)};
    }
    // Pixels of the back buffer, client coordinates from the top left.
    static std::vector<uint32_t> Read(int X, int Y, int Width, int Height) {
        RECT Client{};
        GetClientRect(App.TexturePanel, &Client);
        std::vector<uint32_t> Pixels(static_cast<std::size_t>(Width * Height));
        glReadPixels(X, Client.bottom - Y - Height, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE,
                     Pixels.data());
        return Pixels;
    }
    static uint32_t Pixel(int X, int Y) { return Read(X, Y, 1, 1)[0]; }
    // Pixels in the text colour on one label line of a texture.
    static long TextPixels(std::size_t Index, int Line) {
        const POINT Image = ImageAt(Index);
        const auto Area = Read(Image.x, Image.y + 130 + 16 * Line, 120, 14);
        return std::count(Area.begin(), Area.end(), Opaque(Text));
    }
    static void Send(UINT Message, WPARAM WParam, int X = 0, int Y = 0) {
        SendMessageA(App.TexturePanel, Message, WParam, MAKELPARAM(X, Y));
    }

    TProgramWindow Window{
        {},
        "[Window]\r\nW=1100\r\nH=800\r\n[Colors]\r\nBackground=" + std::to_string(Background) +
            "\r\nSelection=" + std::to_string(Selection) + "\r\nText=" + std::to_string(Text) +
            "\r\n[Rendering]\r\nTextureSize=128\r\n"};
    std::map<std::string, uint32_t> Colours;
};

TEST_F(TexturePanel, LabelLinesAndBlendingFollowTheTexture) {
    // One DXT1 block whose every texel is transparent black.
    const TBytes Clear = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    Show({{.Name = "A",
           .Format = pfDXT1,
           .Width = 4,
           .Height = 4,
           .Masked = true,
           .AlphaTexture = true,
           .Pixels = Clear},
          {.Name = "B", .Format = pfDXT1, .Width = 4, .Height = 4, .Pixels = Clear},
          {.Name = "C", .Format = pfRGBA7, .Width = 4, .Height = 4},
          {.Name = "\xFF\xFF\xFF\xFF", .Format = pfRGBA8, .Width = 4, .Height = 4}});
    ASSERT_TRUE(DrawForReading());

    // Masked or alpha textures blend; others replace; no image draws white.
    EXPECT_EQ(Pixel(ImageAt(0).x + 64, 80), Opaque(Background));
    EXPECT_EQ(Pixel(ImageAt(1).x + 64, 80), Opaque(0));
    EXPECT_EQ(Pixel(ImageAt(2).x + 64, 80), Opaque(0x00FFFFFF));
    // Name, size and format; the flags line only where there are flags.
    for (int Line = 0; Line < 3; ++Line)
        EXPECT_GT(TextPixels(1, Line), 0) << "line " << Line;
    EXPECT_EQ(TextPixels(1, 3), 0);
    EXPECT_GT(TextPixels(0, 3), 0);
    // Code 255 has no glyph.
    EXPECT_EQ(TextPixels(3, 0), 0);
    EXPECT_GT(TextPixels(3, 1), 0);

    // A new font replaces and frees the old one, and labels still draw.
    const HFONT Old = App.PanelFont.Get();
    BuildFontLists("Arial", 20);
    EXPECT_EQ(GetCurrentObject(App.PanelDC, OBJ_FONT), App.PanelFont.Get());
    EXPECT_EQ(GetObjectType(Old), 0u);
    ASSERT_TRUE(DrawForReading());
    EXPECT_GT(TextPixels(1, 0), 0);
}

// A selection beyond the textures (a smaller group's) is dropped by drawing.
TEST_F(TexturePanel, LeftButtonSelectsTheCellUnderItAndScrollingMovesByOneRow) {
    ShowFive();
    ASSERT_EQ(PanelColumnCount(), 3);
    App.SelectedIndex = 5;
    ASSERT_TRUE(DrawForReading());
    EXPECT_EQ(App.SelectedIndex, -1);
    const std::pair<POINT, int32_t> Clicks[] = {
        {{5, 100}, 2}, // left margin: unchanged
        {{100, 100}, 0},  {{150, 100}, 0},  {{439, 100}, 2},
        {{200, 300}, 4},  {{300, 300}, -1}, // the empty third cell of the last row
        {{100, 100}, 0},  {{440, 100}, -1}, // right of the last column
        {{100, 430}, -1},                   // below the last row
        {{200, 100}, 1},
    };
    App.SelectedIndex = 2;
    for (const auto& [Point, Selected] : Clicks) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, Point.x, Point.y);
        EXPECT_EQ(App.SelectedIndex, Selected) << Point.x << "," << Point.y;
    }
    EXPECT_EQ(GetFocus(), App.TexturePanel);
    // The selected cell is framed; the wide texture fills the top quarter of
    // its square, anchored at its corner.
    ASSERT_TRUE(DrawForReading());
    const POINT Wide = ImageAt(1);
    EXPECT_EQ(Pixel(Wide.x - 8, Wide.y - 8), Opaque(Selection));
    EXPECT_EQ(Pixel(Wide.x + 127, Wide.y + 31), Opaque(Colours["Beta"]));
    EXPECT_EQ(Pixel(Wide.x + 64, Wide.y + 32), Opaque(Selection));
    EXPECT_EQ(StatusText(2), "Walls.Beta");

    // Two rows of 208: positions 0 to 209 show a page of 208.
    Send(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(PanelScrollInfo().nPos, 208);
    // A click right after the scroll, before any drawing pass, hits the row shown.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
    EXPECT_EQ(App.SelectedIndex, 3);
    ASSERT_TRUE(DrawForReading());
    EXPECT_EQ(Pixel(32, 32), Opaque(Colours[ShownNames()[3]]));

    const std::tuple<UINT, WPARAM, int> Steps[] = {
        {WM_VSCROLL, SB_PAGEDOWN, 209},
        {WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 100), 209},
        {WM_VSCROLL, SB_LINEUP, 1},
        {WM_VSCROLL, SB_PAGEUP, 0},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 208},
        {WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL | MK_SHIFT, WHEEL_DELTA), 0},
        // Ctrl alone steps the size instead.
        {WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -WHEEL_DELTA), 0},
    };
    for (const auto& [Message, Code, Position] : Steps) {
        Send(Message, Code);
        EXPECT_EQ(PanelScrollInfo().nPos, Position) << Message << " " << Code;
    }
    // A drag follows the thumb's track position (set here as a drag sets it)
    // and its end changes nothing.
    SCROLLINFO Track{sizeof(Track), SIF_POS, 0, 0, 0, 209, 0};
    SetScrollInfo(App.TexturePanel, SB_VERT, &Track, FALSE);
    Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0));
    Send(WM_VSCROLL, SB_ENDSCROLL);
    EXPECT_EQ(App.PanelScroll.nPos, 209);

    // The next package starts at the top.
    Send(WM_VSCROLL, SB_LINEDOWN);
    ShowFive();
    EXPECT_EQ(PanelScrollInfo().nPos, 0);
}

} // namespace
} // namespace swatchbox::testing
