// The texture panel's input and commands: size steps, colours,
// the popup menu and its preparation.
#include "display/PanelRendering.h"
#include "resources/ResourceIds.h"
#include "shell/MainWindowState.h"
#include "shell/PopupMenu.h"
#include "shell/Settings.h"
#include "tests/support/TestFiles.h"
#include "tests/win/ClipboardLock.h"
#include "tests/win/DialogDriver.h"
#include "tests/win/ProgramFixture.h"

#include <colordlg.h>
#include <commctrl.h>
#include <commdlg.h>
#include <gtest/gtest.h>

#include <array>

namespace swatchbox::testing {
namespace {

class PanelCommands : public ::testing::Test {
protected:
    // Twelve small textures: several rows at every size.
    void SetUp() override {
        std::vector<TTextureDesc> Textures;
        for (char Letter = 'A'; Letter < 'A' + 12; ++Letter)
            Textures.push_back({.Name = std::string(1, Letter),
                                .Format = pfRGBA8,
                                .Width = 8,
                                .Height = 8,
                                .Pixels = TBytes(8 * 8 * 4, 0x80)});
        Window.Show(Textures);
        ASSERT_EQ(App.ShownTextures.size(), 12u);
    }

    static void Send(UINT Message, WPARAM WParam, LPARAM LParam = 0) {
        SendMessageA(App.TexturePanel, Message, WParam, LParam);
    }

    TProgramWindow Window;
};

TEST_F(PanelCommands, KeypadAndControlWheelStepTheSizeAndEveryStepClearsTheSelection) {
    const struct {
        int From;
        bool Up;
        int To;
    } Steps[] = {
        {128, true, 256},
        {256, true, 512},
        {512, true, 512},
        {128, false, 128},
        {256, false, 128},
        {512, false, 256},
        // A size the menu does not offer (from the settings file) stays.
        {300, true, 300},
    };
    for (const auto& Step : Steps) {
        const auto Wheel = static_cast<WORD>(Step.Up ? WHEEL_DELTA : -WHEEL_DELTA);
        for (const auto& [Message, WParam] :
             {std::pair<UINT, WPARAM>{WM_KEYDOWN, Step.Up ? VK_ADD : VK_SUBTRACT},
              std::pair<UINT, WPARAM>{WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, Wheel)}}) {
            SCOPED_TRACE(std::to_string(Step.From) + " -> " + std::to_string(Step.To) +
                         (Message == WM_KEYDOWN ? " by key" : " by wheel"));
            Settings.TextureSize = Step.From;
            App.SelectedIndex = 3;
            Send(Message, WParam);
            EXPECT_EQ(Settings.TextureSize, Step.To);
            EXPECT_EQ(App.SelectedIndex, Step.From == 300 ? 3 : -1);
            // The scroll range follows the new cells: one page is one row.
            if (Step.From != 300) {
                EXPECT_EQ(PanelScrollInfo().nPage, static_cast<UINT>(Step.To + 80));
            }
        }
    }
}

using TColours = std::array<uint32_t, 3>;
TColours Colours() {
    return {Settings.BackgroundColor, Settings.SelectionColor, Settings.TextColor};
}

// Each colour command opens the full dialog on its own colour, named in the
// caption, and changes only that colour; a cancel keeps it.
TEST_F(PanelCommands, EachColourCommandChangesItsOwnColourAndCancelKeepsIt) {
    const std::pair<int, std::string> Commands[] = {{CMD_COLOR_BACKGROUND, " of Background"},
                                                    {CMD_COLOR_SELECTION, " of Selection"},
                                                    {CMD_COLOR_TEXT, " of Font"}};
    for (const auto& [Command, Caption] : Commands) {
        SCOPED_TRACE(Caption);
        const TColours Before = Colours();
        const auto Own = static_cast<std::size_t>(Command - CMD_COLOR_BACKGROUND);
        {
            const TModalDriver Cancel([&](HWND Dialog) {
                const std::string Text = WindowText(Dialog);
                EXPECT_TRUE(Text.ends_with(Caption) && Text.size() > Caption.size()) << Text;
                const auto Field = [&](int Id) {
                    return GetDlgItemInt(Dialog, Id, nullptr, FALSE);
                };
                EXPECT_EQ(RGB(Field(COLOR_RED), Field(COLOR_GREEN), Field(COLOR_BLUE)),
                          Before[Own]);
                EXPECT_TRUE(IsWindowVisible(GetDlgItem(Dialog, COLOR_RED))) << "not fully open";
                EXPECT_TRUE(HasSmallIcon(Dialog));
                ExpectCentredOverMainWindow(Dialog);
                PressButton(Dialog, IDCANCEL);
            });
            Send(WM_COMMAND, static_cast<WPARAM>(Command));
            ASSERT_TRUE(Cancel.Ran());
        }
        EXPECT_EQ(Colours(), Before);
        const TModalDriver Driver([&](HWND Dialog) {
            SetDlgItemInt(Dialog, COLOR_RED, static_cast<UINT>(Command % 256), FALSE);
            SetDlgItemInt(Dialog, COLOR_GREEN, 7, FALSE);
            SetDlgItemInt(Dialog, COLOR_BLUE, 9, FALSE);
            PressButton(Dialog, IDOK);
        });
        Send(WM_COMMAND, static_cast<WPARAM>(Command));
        ASSERT_TRUE(Driver.Ran());
        TColours Want = Before;
        Want[Own] = RGB(Command % 256, 7, 9);
        EXPECT_EQ(Colours(), Want);
    }
}

TEST_F(PanelCommands, MenuChecksThePresentSizeAndGreysTextureCommandsWithoutSelection) {
    const std::pair<int, int> Sizes[] = {{128, 0}, {256, 1}, {512, 2}, {300, -1}};
    for (const int32_t Selected : {0, -1}) {
        for (const auto& [Size, Checked] : Sizes) {
            SCOPED_TRACE(std::to_string(Size) + (Selected ? " without selection" : ""));
            Settings.TextureSize = Size;
            App.SelectedIndex = Selected;
            const TMenuHandle Menu(LoadMenuA(App.Instance, "POP_RENDERPANEL"));
            HMENU Popup = GetSubMenu(Menu.Get(), 0);
            PrepareRenderPanelPopup(Popup);
            EXPECT_EQ(GetMenuDefaultItem(Popup, TRUE, GMDI_USEDISABLED), 0u);
            for (int Position = 0; Position < 3; ++Position)
                EXPECT_EQ((GetMenuState(GetSubMenu(Popup, 7), static_cast<UINT>(Position),
                                        MF_BYPOSITION) &
                           MF_CHECKED) != 0,
                          Position == Checked);
            // Preview, both exports and the copy need a texture; the rest
            // (every position but the two separators) doesn't.
            for (const UINT Position : {0, 2, 3, 4, 6, 7, 8})
                EXPECT_EQ((GetMenuState(Popup, Position, MF_BYPOSITION) & MF_GRAYED) != 0,
                          Selected == -1 && Position <= 4)
                    << Position;
        }
    }
}

// A right-click selects what is under it before the menu opens; the chosen
// command comes back to the panel. Highlighted items show their help.
TEST_F(PanelCommands, RightClickSelectsThenTheMenusCommandReachesThePanel) {
    Settings.TextureSize = 128;
    POINT Second{16 + 144 + 10, 30};
    ClientToScreen(App.TexturePanel, &Second);
    std::string Help;
    int32_t Selected = -1;
    const TModalDriver Driver(
        [&](HWND MenuWindow) {
            Selected = App.SelectedIndex;
            HMENU Menu = reinterpret_cast<HMENU>(SendMessageA(MenuWindow, MN_GETHMENU, 0, 0));
            Send(WM_MENUSELECT, MAKEWPARAM(CMD_COPY, MF_HILITE), reinterpret_cast<LPARAM>(Menu));
            Help = StatusText(0);
            Send(WM_MENUSELECT, MAKEWPARAM(CMD_COPY, MF_HILITE | MF_GRAYED),
                 reinterpret_cast<LPARAM>(Menu));
            EXPECT_EQ(SendMessageA(App.StatusBar, SB_ISSIMPLE, 0, 0), 0);
            // "&Size", then "&512x512".
            PostMessageA(MenuWindow, WM_CHAR, 's', 0);
            PostMessageA(MenuWindow, WM_KEYDOWN, VK_RIGHT, 0);
            PostMessageA(MenuWindow, WM_CHAR, '5', 0);
        },
        "#32768");
    App.SelectedIndex = -1;
    Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(App.TexturePanel),
         MAKELPARAM(Second.x, Second.y));
    Window.Pump();
    ASSERT_TRUE(Driver.Ran());
    EXPECT_EQ(Selected, 1);
    EXPECT_EQ(Help, "Copies the selected texture to the clipboard");
    EXPECT_EQ(Settings.TextureSize, 512);
    // The size command cleared the selection the right-click made.
    EXPECT_EQ(App.SelectedIndex, -1);
}

// Both export commands ask for the file and write it with the writer's
// extension. Ctrl+C reaches the clipboard.
TEST_F(PanelCommands, ExportCommandsWriteTheChosenFileAndControlCCopies) {
    App.SelectedIndex = 1;
    const auto Export = [&](int Command, const std::string& Name) {
        const TModalDriver Driver([&](HWND Dialog) {
            // The dialog takes backslashes only.
            const std::string Path = WindowsPath(Window.Folder.File(Name));
            SendMessageA(Dialog, CDM_SETCONTROLTEXT, 0x47c, reinterpret_cast<LPARAM>(Path.c_str()));
            PressButton(Dialog, IDOK);
        });
        Send(WM_COMMAND, static_cast<WPARAM>(Command));
        EXPECT_TRUE(Driver.Ran());
    };
    Export(CMD_EXPORT_AS_IS, "Raw");
    Export(CMD_EXPORT_FORMATTED, "Formatted");
    EXPECT_EQ(ReadFileBytes(Window.Folder.File("Raw.BMP")).size(), 54u + 8 * 8 * 4);
    EXPECT_EQ(ReadFileBytes(Window.Folder.File("Formatted.BMP")).size(), 54u + 8 * 8 * 3);
    EXPECT_TRUE(Window.Reporter.Messages.empty());

    const TClipboardTestLock Lock;
    ASSERT_TRUE(OpenClipboard(App.MainWnd));
    EmptyClipboard();
    CloseClipboard();
    BYTE Keys[256] = {};
    Keys[VK_CONTROL] = 0x80;
    SetKeyboardState(Keys);
    PostMessageA(App.TexturePanel, WM_KEYDOWN, 'C', 0);
    Window.Pump();
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
}

} // namespace
} // namespace swatchbox::testing
