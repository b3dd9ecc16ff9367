// The preview window: its size and caption, stepping through the group, the
// maximised views, and the main window while it is open.
#include "display/PreviewWindow.h"
#include "shell/CenterWindow.h"
#include "shell/MainWindowState.h"
#include "shell/WinHandles.h"
#include "tests/win/ProgramFixture.h"

#include <gtest/gtest.h>

namespace swatchbox::testing {
namespace {

class Preview : public ::testing::Test {
protected:
    // Three textures of different shapes, sorted A, B, C; C is smaller than
    // the system's smallest window with a caption.
    void SetUp() override {
        // Grey levels 0x40, 0x80 and 0xC0.
        const std::pair<const char*, SIZE> Textures[] = {
            {"A", {256, 64}}, {"B", {128, 256}}, {"C", {32, 32}}};
        std::vector<TTextureDesc> Descs;
        uint8_t Grey = 0;
        for (const auto& [Name, Size] : Textures)
            Descs.push_back(
                {.Name = Name,
                 .Format = pfRGBA8,
                 .Width = Size.cx,
                 .Height = Size.cy,
                 .Pixels = TBytes(static_cast<std::size_t>(Size.cx * Size.cy * 4), Grey += 0x40)});
        Window.Show(Descs);
        ASSERT_EQ(App.ShownTextures.size(), 3u);
    }

    static HWND PreviewWindow() { return FindWindowA("SWATCHBOX_PREVIEW", nullptr); }
    using TSize = std::pair<LONG, LONG>;
    static TSize ClientSize(HWND Window) {
        RECT Client{};
        GetClientRect(Window, &Client);
        return {Client.right, Client.bottom};
    }
    static TSize BitmapSize(HBITMAP Bitmap) {
        BITMAP Info{};
        GetObjectA(Bitmap, sizeof(Info), &Info);
        return {Info.bmWidth, Info.bmHeight};
    }
    // The window at the texture's own size, centred on the screen.
    static void ExpectAtTextureSize(HWND Window, TSize Size) {
        EXPECT_EQ(ClientSize(Window), Size);
        RECT Own{};
        GetWindowRect(Window, &Own);
        const RECT Screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        const RECT Expected = CenteredRect(Screen, Own);
        EXPECT_EQ(Own.left, Expected.left);
        EXPECT_EQ(Own.top, Expected.top);
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

    TProgramWindow Window;
};

TEST_F(Preview, OpensAtTheTextureSizeCentredAndStepsThroughTheGroupBothWays) {
    App.SelectedIndex = 0;
    SendMessageA(App.TexturePanel, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(30, 30));
    Window.Pump();
    HWND Shown = PreviewWindow();
    ASSERT_NE(Shown, nullptr);
    EXPECT_EQ(GetWindow(Shown, GW_OWNER), App.MainWnd);
    EXPECT_EQ(BitmapSize(App.PreviewTile.Get()), TSize(128, 32));
    EXPECT_FALSE(IsWindowEnabled(App.MainWnd));

    const std::tuple<WPARAM, int32_t, const char*, TSize> Steps[] = {
        {0, 0, "A (256x64), [1/3]", {256, 64}}, // as opened
        {VK_LEFT, 2, "C (32x32), [3/3]", {32, 32}},
        {VK_LEFT, 1, "B (128x256), [2/3]", {128, 256}},
        {VK_RIGHT, 2, "C (32x32), [3/3]", {32, 32}},
        {VK_RIGHT, 0, "A (256x64), [1/3]", {256, 64}},
        {VK_SPACE, 0, "A (256x64), [1/3]", {256, 64}},
    };
    for (const auto& [Pressed, Index, Caption, Size] : Steps) {
        SCOPED_TRACE(Caption);
        if (Pressed)
            Key(Shown, Pressed);
        EXPECT_EQ(App.SelectedIndex, Index);
        EXPECT_EQ(WindowText(Shown), Caption);
        ExpectAtTextureSize(Shown, Size);
        const uint8_t Grey = static_cast<uint8_t>(0x40 * (Index + 1));
        EXPECT_EQ(Painted(Shown, Size.first - 1, Size.second - 1), RGB(Grey, Grey, Grey));
    }
    // The wheel turned away from the user steps forward.
    SendMessageA(Shown, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(WindowText(Shown), "B (128x256), [2/3]");
    EXPECT_EQ(BitmapSize(App.PreviewTile.Get()), TSize(64, 128));
    SendMessageA(Shown, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(App.SelectedIndex, 0);

    Key(Shown, VK_ESCAPE);
    EXPECT_EQ(PreviewWindow(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(App.MainWnd));
    EXPECT_EQ(GetForegroundWindow(), App.MainWnd);
    EXPECT_FALSE(App.PreviewBitmap);
    EXPECT_FALSE(App.PreviewTile);
}

TEST_F(Preview, ClicksSwitchBetweenTheTextureSizeAndTheTiledOrStretchedMaximisedView) {
    App.SelectedIndex = 1;
    SendMessageA(App.TexturePanel, WM_COMMAND, 11001, 0);
    HWND Shown = PreviewWindow();
    ASSERT_NE(Shown, nullptr);

    SendMessageA(Shown, WM_LBUTTONDOWN, 0, 0);
    EXPECT_TRUE(IsZoomed(Shown));
    EXPECT_TRUE(App.PreviewTiled);
    // The pattern covers the whole client area.
    EXPECT_EQ(Painted(Shown, ClientSize(Shown).first - 1, ClientSize(Shown).second - 1),
              RGB(0x80, 0x80, 0x80));
    // Stepping keeps the maximised view and its size.
    const TSize Maximised = ClientSize(Shown);
    Key(Shown, VK_RIGHT);
    EXPECT_TRUE(IsZoomed(Shown));
    EXPECT_TRUE(App.PreviewTiled);
    EXPECT_EQ(ClientSize(Shown), Maximised);

    SendMessageA(Shown, WM_LBUTTONDOWN, MK_SHIFT, 0);
    EXPECT_FALSE(IsZoomed(Shown));
    EXPECT_FALSE(App.PreviewTiled);
    ExpectAtTextureSize(Shown, {32, 32});

    SendMessageA(Shown, WM_LBUTTONDOWN, MK_SHIFT, 0);
    EXPECT_TRUE(IsZoomed(Shown));
    EXPECT_FALSE(App.PreviewTiled);
    // Enter maximises tiled whatever keys are held; a right click closes.
    SendMessageA(Shown, WM_LBUTTONDOWN, 0, 0);
    Key(Shown, VK_RETURN);
    EXPECT_TRUE(App.PreviewTiled);
    SendMessageA(Shown, WM_RBUTTONUP, 0, 0);
    EXPECT_EQ(PreviewWindow(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(App.MainWnd));
    EXPECT_EQ(App.SelectedIndex, 2);
}

} // namespace
} // namespace swatchbox::testing
