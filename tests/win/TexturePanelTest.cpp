// The texture panel of the real main window: drawing read back before the
// buffers are swapped, labels, hit test, scrolling, size steps, colours, its
// popup menu, and the preview window it opens.
#include "display/PanelRendering.h"
#include "resources/ResourceIds.h"
#include "tests/support/ImageReader.h"
#include "tests/win/ProgramFixture.h"

#include <GL/gl.h>
#include <colordlg.h>
#include <commdlg.h>

#include <array>
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
    // Three textures of different shapes, sorted A, B, C; C is smaller than
    // the system's smallest window with a caption. B also has a second,
    // compressed picture: 64x64 white DXT1.
    void ShowShapes() {
        std::vector<TTextureDesc> Descs = {SolidTexture({.Name = "A"}, 256, 64, 0x404040),
                                           SolidTexture({.Name = "B"}, 128, 256, 0x808080),
                                           SolidTexture({.Name = "C"}, 32, 32, 0xC0C0C0)};
        TBytes White;
        for (int Block = 0; Block < 16 * 16; ++Block)
            White.insert(White.end(), {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0});
        Descs[1].Comp = TCompDesc{.Width = 64, .Height = 64, .Pixels = White};
        Window.Show(Descs);
    }

    using TSize = std::pair<LONG, LONG>;
    static TSize ClientSize(HWND Window) {
        RECT Client{};
        GetClientRect(Window, &Client);
        return {Client.right, Client.bottom};
    }
    // A pixel of the painted client area.
    static COLORREF Painted(HWND Preview, int X, int Y) {
        UpdateWindow(Preview);
        const TWindowDC Context(Preview);
        return GetPixel(Context.Get(), X, Y);
    }
    void Key(HWND Preview, WPARAM Key) {
        SendMessageA(Preview, WM_KEYDOWN, Key, 0);
        Window.Pump();
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
    std::vector<TTextureDesc> Textures(
        5, {.Format = pfDXT1, .Width = 4, .Height = 4, .Pixels = Clear});
    Textures[0].Name = "A";
    Textures[0].Masked = Textures[0].AlphaTexture = true;
    Textures[1].Name = "B";
    Textures[2] = {.Name = "C", .Format = pfRGBA7, .Width = 4, .Height = 4};
    Textures[3].Name = "D";
    Textures[3].Comp = TCompDesc{.Format = pfDXT5, .Width = 4, .Height = 4};
    Textures[4] = {.Name = "\xFF\xFF\xFF\xFF", .Format = pfRGBA8, .Width = 4, .Height = 4};
    Show(Textures);
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
    // A second picture's format follows the first's: "DXT1 +DXT5".
    EXPECT_GT(TextPixels(3, 2), TextPixels(1, 2) * 2);
    // Code 255 has no glyph.
    EXPECT_EQ(TextPixels(4, 0), 0);
    EXPECT_GT(TextPixels(4, 1), 0);
}

// A selection beyond the textures (a smaller group's) is dropped by drawing.
TEST_F(TexturePanel, LeftButtonSelectsTheCellUnderItAndScrollingMovesByOneRow) {
    ShowFive();
    ASSERT_EQ(PanelColumnCount(), 3);
    App.SelectedIndex = 5;
    ASSERT_TRUE(DrawForReading());
    EXPECT_EQ(App.SelectedIndex, -1);
    // The grid's own table covers the geometry; these go through the messages.
    const std::pair<POINT, int32_t> Clicks[] = {
        {{5, 100}, 2}, // left margin: unchanged
        {{150, 100}, 0},
        {{300, 300}, -1}, // the empty third cell of the last row
        {{200, 100}, 1},
    };
    App.SelectedIndex = 2;
    for (const auto& [Point, Selected] : Clicks) {
        SendToPanel(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Point.x, Point.y));
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
    SendToPanel(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(PanelScrollInfo().nPos, 208);
    // A click right after the scroll, before any drawing pass, hits the row shown.
    SendToPanel(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
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
        SendToPanel(Message, Code);
        EXPECT_EQ(PanelScrollInfo().nPos, Position) << Message << " " << Code;
    }
    // A drag follows the thumb's track position (set here as a drag sets it)
    // and its end changes nothing.
    SCROLLINFO Track{sizeof(Track), SIF_POS, 0, 0, 0, 209, 0};
    SetScrollInfo(App.TexturePanel, SB_VERT, &Track, FALSE);
    SendToPanel(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0));
    SendToPanel(WM_VSCROLL, SB_ENDSCROLL);
    EXPECT_EQ(App.PanelScroll.nPos, 209);

    // The next package starts at the top.
    SendToPanel(WM_VSCROLL, SB_LINEDOWN);
    ShowFive();
    EXPECT_EQ(PanelScrollInfo().nPos, 0);
}

using TColours = std::array<uint32_t, 3>;
TColours SettingsColours() {
    return {Settings.BackgroundColor, Settings.SelectionColor, Settings.TextColor};
}

// Each colour command opens the full dialog on its own colour, named in the
// caption, and changes only that colour; a cancel keeps it.
TEST_F(TexturePanel, EachColourCommandChangesItsOwnColourAndCancelKeepsIt) {
    ShowFive();
    const std::pair<int, std::string> Commands[] = {{CMD_COLOR_BACKGROUND, " of Background"},
                                                    {CMD_COLOR_SELECTION, " of Selection"},
                                                    {CMD_COLOR_TEXT, " of Font"}};
    for (const auto& [Command, Caption] : Commands) {
        for (const bool Confirm : {false, true}) {
            SCOPED_TRACE(Caption + (Confirm ? " confirmed" : " cancelled"));
            const TColours Before = SettingsColours();
            const auto Own = static_cast<std::size_t>(Command - CMD_COLOR_BACKGROUND);
            const TModalDriver Driver([&](HWND Dialog) {
                const std::string Text = WindowText(Dialog);
                EXPECT_TRUE(Text.ends_with(Caption) && Text.size() > Caption.size()) << Text;
                const auto Field = [&](int Id) { return GetDlgItemInt(Dialog, Id, nullptr, 0); };
                EXPECT_EQ(RGB(Field(COLOR_RED), Field(COLOR_GREEN), Field(COLOR_BLUE)),
                          Before[Own]);
                EXPECT_TRUE(IsWindowVisible(GetDlgItem(Dialog, COLOR_RED))) << "not fully open";
                ExpectDialogLook(Dialog);
                SetDlgItemInt(Dialog, COLOR_RED, static_cast<UINT>(Command % 256), FALSE);
                SetDlgItemInt(Dialog, COLOR_GREEN, 7, FALSE);
                PressButton(Dialog, Confirm ? IDOK : IDCANCEL);
            });
            SendToPanel(WM_COMMAND, static_cast<WPARAM>(Command));
            ASSERT_TRUE(Driver.Ran());
            TColours Want = Before;
            if (Confirm)
                Want[Own] = RGB(Command % 256, 7, GetBValue(Before[Own]));
            EXPECT_EQ(SettingsColours(), Want);
        }
    }
}

// The keypad, Ctrl+wheel and the popup menu step the size, and every step
// clears the selection. A right-click selects what is under it before the
// menu opens. The menu checks the present size and greys what needs a texture
// when there is none; the chosen command comes back to the panel.
TEST_F(TexturePanel, SizeStepsClearTheSelectionAndRightClickSelectsBeforeTheMenuOpens) {
    ShowFive();
    // A size the menu does not offer (from the settings file) stays.
    const std::tuple<int, bool, int> Steps[] = {
        {128, true, 256},  {256, true, 512},  {512, true, 512}, {128, false, 128},
        {256, false, 128}, {512, false, 256}, {300, true, 300}};
    for (const auto& [From, Up, To] : Steps) {
        const auto Wheel = static_cast<WORD>(Up ? WHEEL_DELTA : -WHEEL_DELTA);
        for (const auto& [Message, WParam] :
             {std::pair<UINT, WPARAM>{WM_KEYDOWN, Up ? VK_ADD : VK_SUBTRACT},
              std::pair<UINT, WPARAM>{WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, Wheel)}}) {
            SCOPED_TRACE(std::to_string(From) + (Message == WM_KEYDOWN ? " by key" : " by wheel"));
            Settings.TextureSize = From;
            App.SelectedIndex = 3;
            SendToPanel(Message, WParam);
            EXPECT_EQ(Settings.TextureSize, To);
            EXPECT_EQ(App.SelectedIndex, From == 300 ? 3 : -1);
            // The scroll range follows the new cells: one page is one row.
            if (From != 300) {
                EXPECT_EQ(PanelScrollInfo().nPage, static_cast<UINT>(To + 80));
            }
        }
    }
    // The empty third cell of the last row, then the first texture (one
    // column at 256).
    const std::tuple<POINT, int, int32_t> Clicks[] = {{{300, 300}, 128, -1}, {{30, 30}, 256, 0}};
    for (const auto& [At, Size, Selected] : Clicks) {
        SCOPED_TRACE(Selected);
        Settings.TextureSize = Size;
        App.SelectedIndex = 2;
        POINT Screen = At;
        ClientToScreen(App.TexturePanel, &Screen);
        const TModalDriver Driver(
            [&](HWND MenuWindow) {
                EXPECT_EQ(App.SelectedIndex, Selected);
                const auto Menu =
                    reinterpret_cast<HMENU>(SendMessageA(MenuWindow, MN_GETHMENU, 0, 0));
                EXPECT_EQ(GetMenuDefaultItem(Menu, TRUE, GMDI_USEDISABLED), 0u);
                for (UINT Position = 0; Position < 3; ++Position)
                    EXPECT_EQ((GetMenuState(GetSubMenu(Menu, 7), Position, MF_BYPOSITION) &
                               MF_CHECKED) != 0,
                              (128 << Position) == Size);
                // Preview, both exports and the copy need a texture; the rest
                // (every position but the separators) doesn't.
                for (const UINT Position : {0, 2, 3, 4, 6, 7, 8, 10})
                    EXPECT_EQ((GetMenuState(Menu, Position, MF_BYPOSITION) & MF_GRAYED) != 0,
                              Selected == -1 && Position <= 4)
                        << Position;
                // "&Size", then "&512x512".
                PostMessageA(MenuWindow, WM_CHAR, 's', 0);
                PostMessageA(MenuWindow, WM_KEYDOWN, VK_RIGHT, 0);
                PostMessageA(MenuWindow, WM_CHAR, '5', 0);
            },
            "#32768");
        SendToPanel(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(App.TexturePanel),
                    MAKELPARAM(Screen.x, Screen.y));
        Window.Pump();
        ASSERT_TRUE(Driver.Ran());
        EXPECT_EQ(Settings.TextureSize, 512);
        // The size command cleared the selection the right-click made.
        EXPECT_EQ(App.SelectedIndex, -1);
    }
}

// Both export commands ask for the file and write it with the writer's
// extension. Ctrl+C reaches the clipboard.
TEST_F(TexturePanel, ExportCommandsWriteTheChosenFileAndControlCCopies) {
    ShowFive();
    App.SelectedIndex = 1;
    // Type 2 of the formatted list is 32-bit Targa, chosen as a mouse choice
    // reports it; an existing file is replaced without a question, which would
    // keep the dialog open.
    const auto Export = [&](int Command, const std::string& Name, int Type = -1) {
        const TModalDriver Driver([&](HWND Dialog) {
            const HWND Types = GetDlgItem(Dialog, 0x470);
            EXPECT_EQ(IsWindowEnabled(Types) != FALSE, Command == CMD_EXPORT_FORMATTED);
            if (Type >= 0) {
                SendMessageA(Types, CB_SETCURSEL, static_cast<WPARAM>(Type), 0);
                for (const WORD Notification : {CBN_SELENDOK, CBN_SELCHANGE})
                    SendMessageA(Dialog, WM_COMMAND, MAKEWPARAM(0x470, Notification),
                                 reinterpret_cast<LPARAM>(Types));
            }
            // The dialog takes backslashes only.
            const std::string Path = WindowsPath(Window.Folder.File(Name));
            SendMessageA(Dialog, CDM_SETCONTROLTEXT, 0x47c, reinterpret_cast<LPARAM>(Path.c_str()));
            PressButton(Dialog, IDOK);
        });
        SendToPanel(WM_COMMAND, static_cast<WPARAM>(Command));
        EXPECT_TRUE(Driver.Ran());
    };
    Export(CMD_EXPORT_AS_IS, "Raw");
    Export(CMD_EXPORT_FORMATTED, "Formatted");
    std::ofstream(Window.Folder.File("Chosen.tga")) << "old";
    Export(CMD_EXPORT_FORMATTED, "Chosen.tga", 2);
    EXPECT_EQ(ReadFileBytes(Window.Folder.File("Raw.BMP")).size(), 54u + 64 * 16 * 4);
    EXPECT_EQ(ReadFileBytes(Window.Folder.File("Formatted.BMP")).size(), 54u + 64 * 16 * 3);
    EXPECT_EQ(ReadImageFile(Window.Folder.File("Chosen.tga")).Components, 4);
    EXPECT_TRUE(Window.Reporter.Messages.empty());

    const TClipboardTestLock Lock;
    PutTextOnClipboard("replaced");
    BYTE Keys[256] = {};
    Keys[VK_CONTROL] = 0x80;
    SetKeyboardState(Keys);
    PostMessageA(App.TexturePanel, WM_KEYDOWN, 'C', 0);
    Window.Pump();
    // Ctrl is let go again, so later tests in this process get plain keys.
    Keys[VK_CONTROL] = 0;
    SetKeyboardState(Keys);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
}

// The preview opens at the texture's own size, centred on the screen, and
// steps through the shown group both ways. C switches to the second picture
// where there is one, and the choice holds while stepping; a texture without
// one shows its first. The wheel turned away from the user steps forward.
TEST_F(TexturePanel, PreviewStepsThroughTheGroupAndClicksSwitchToTheMaximisedView) {
    ShowShapes();
    App.SelectedIndex = 0;
    SendToPanel(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(30, 30));
    Window.Pump();
    HWND Shown = PreviewWindow();
    ASSERT_NE(Shown, nullptr);
    EXPECT_EQ(GetWindow(Shown, GW_OWNER), App.MainWnd);
    EXPECT_FALSE(IsWindowEnabled(App.MainWnd));
    const auto Wheel = [](int Delta) { return MAKEWPARAM(0, static_cast<WORD>(Delta)); };
    const std::tuple<UINT, WPARAM, int32_t, const char*, TSize, uint8_t> Steps[] = {
        {0, 0, 0, "A (256x64), [1/3]", {256, 64}, 0x40}, // as opened
        {WM_KEYDOWN, 'C', 0, "A (256x64), [1/3]", {256, 64}, 0x40},
        {WM_KEYDOWN, VK_LEFT, 2, "C (32x32), [3/3]", {32, 32}, 0xC0},
        {WM_KEYDOWN, VK_LEFT, 1, "B (128x256), [2/3]", {128, 256}, 0x80},
        {WM_KEYDOWN, 'C', 1, "B (64x64), [2/3], DXT1", {64, 64}, 0xFF},
        {WM_KEYDOWN, VK_RIGHT, 2, "C (32x32), [3/3]", {32, 32}, 0xC0},
        {WM_KEYDOWN, VK_LEFT, 1, "B (64x64), [2/3], DXT1", {64, 64}, 0xFF},
        {WM_KEYDOWN, 'C', 1, "B (128x256), [2/3]", {128, 256}, 0x80},
        {WM_MOUSEWHEEL, Wheel(WHEEL_DELTA), 2, "C (32x32), [3/3]", {32, 32}, 0xC0},
        {WM_KEYDOWN, VK_RIGHT, 0, "A (256x64), [1/3]", {256, 64}, 0x40},
        {WM_MOUSEWHEEL, Wheel(-WHEEL_DELTA), 2, "C (32x32), [3/3]", {32, 32}, 0xC0},
        {WM_MOUSEWHEEL, Wheel(WHEEL_DELTA), 0, "A (256x64), [1/3]", {256, 64}, 0x40},
    };
    for (const auto& [Message, Pressed, Index, Caption, Size, Grey] : Steps) {
        SCOPED_TRACE(Caption);
        if (Message)
            SendMessageA(Shown, Message, Pressed, 0);
        Window.Pump();
        EXPECT_EQ(App.SelectedIndex, Index);
        EXPECT_EQ(WindowText(Shown), Caption);
        EXPECT_EQ(ClientSize(Shown), Size);
        ExpectCentred(Shown, nullptr);
        EXPECT_EQ(Painted(Shown, Size.first - 1, Size.second - 1), RGB(Grey, Grey, Grey));
    }

    // A click maximises with the texture tiled over the whole client area,
    // and stepping keeps that view; a Shift+click goes back to the texture's
    // size, another stretches it maximised.
    SendMessageA(Shown, WM_LBUTTONDOWN, 0, 0);
    EXPECT_TRUE(IsZoomed(Shown) && App.PreviewTiled);
    const TSize Maximised = ClientSize(Shown);
    EXPECT_EQ(Painted(Shown, Maximised.first - 1, Maximised.second - 1), RGB(0x40, 0x40, 0x40));
    Key(Shown, VK_RIGHT);
    EXPECT_TRUE(IsZoomed(Shown) && App.PreviewTiled);
    EXPECT_EQ(ClientSize(Shown), Maximised);
    SendMessageA(Shown, WM_LBUTTONDOWN, MK_SHIFT, 0);
    EXPECT_FALSE(IsZoomed(Shown) || App.PreviewTiled);
    EXPECT_EQ(ClientSize(Shown), TSize(128, 256));
    ExpectCentred(Shown, nullptr);
    SendMessageA(Shown, WM_LBUTTONDOWN, MK_SHIFT, 0);
    EXPECT_TRUE(IsZoomed(Shown) && !App.PreviewTiled);
    // Enter maximises tiled whatever keys are held; a right click closes.
    SendMessageA(Shown, WM_LBUTTONDOWN, 0, 0);
    Key(Shown, VK_RETURN);
    EXPECT_TRUE(App.PreviewTiled);
    SendMessageA(Shown, WM_RBUTTONUP, 0, 0);
    Window.Pump();
    EXPECT_EQ(PreviewWindow(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(App.MainWnd));
    EXPECT_EQ(GetActiveWindow(), App.MainWnd);
    EXPECT_FALSE(App.PreviewBitmap || App.PreviewTile);
    EXPECT_EQ(App.SelectedIndex, 1);
    SendToPanel(WM_COMMAND, CMD_PREVIEW);
    ASSERT_NE(Shown = PreviewWindow(), nullptr);
    Key(Shown, VK_ESCAPE);
    EXPECT_EQ(PreviewWindow(), nullptr);
}

} // namespace
} // namespace swatchbox::testing
