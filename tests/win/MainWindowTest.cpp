// The main window as the program makes and closes it: its controls at any
// size, the settings file and start-up without OpenGL; and its dialogs and
// the package list's menu, driven from inside their own message loops:
// export, font, About.
#include "display/GLContext.h"
#include "export/ExportDialog.h"
#include "resources/ResourceIds.h"
#include "shell/FontDialog.h"
#include "shell/PackageList.h"
#include "tests/win/ProgramFixture.h"

#include <tuple>

namespace swatchbox::testing {
namespace {

// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND Child) {
    RECT Rect{};
    GetWindowRect(Child, &Rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(Child), reinterpret_cast<POINT*>(&Rect), 2);
    return Rect;
}

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

std::vector<int32_t> Placement() {
    return {Settings.WindowX, Settings.WindowY, Settings.WindowW, Settings.WindowH,
            Settings.WindowState};
}

// Closing saves every key in the names and number formats older files were
// written with, and the next start gets the values back with the window
// placed as it was: a minimised one restored, a maximised one maximised over
// the default rectangle. State 2 of older files keeps the stored rectangle.
TEST(Settings, ClosingSavesEveryKeyAndTheNextStartPlacesTheWindowAsItWas) {
    const TSettings Default;
    const std::tuple<int, std::vector<int32_t>, bool> Cases[] = {
        {SW_SHOWNORMAL, {40, 50, 900, 640, 0}, false},
        {SW_MINIMIZE, {40, 50, 900, 640, 0}, false},
        {SW_MAXIMIZE,
         {Default.WindowX, Default.WindowY, Default.WindowW, Default.WindowH, 1},
         true},
    };
    for (const auto& [Show, Restored, Maximised] : Cases) {
        SCOPED_TRACE(Show);
        std::string Text;
        TSettings Saved;
        {
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
            Saved = Settings;
            Window.Close();
            Text = ReadFileText(Window.SettingsFile);
        }
        for (const char* Line :
             {"[Window]", "X=", "Y=", "W=", "H=", "State=", "[Colors]", "Background=5197647",
              "Selection=16744448", "Text=66051", "[Rendering]", "TextureSize=256",
              "RenderTime=100", "Font=Courier New", "FontSize=15"})
            EXPECT_NE(Text.find(Line), std::string::npos) << Line;
        Settings = TSettings{};
        const TProgramWindow Next({}, Text);
        EXPECT_EQ(Placement(), Restored);
        EXPECT_EQ(IsZoomed(App.MainWnd) != FALSE, Maximised);
        EXPECT_EQ(std::tie(Settings.BackgroundColor, Settings.SelectionColor, Settings.TextColor,
                           Settings.TextureSize, Settings.FontName, Settings.FontSize),
                  std::tie(Saved.BackgroundColor, Saved.SelectionColor, Saved.TextColor,
                           Saved.TextureSize, Saved.FontName, Saved.FontSize));
    }
    // Values the panel or the timer can't work with get their defaults, and a
    // file that can't be written gives one message.
    TProgramWindow Old({}, "[Window]\r\nX=5\r\nY=6\r\nW=1000\r\nH=700\r\nState=2\r\n[Rendering]\r\n"
                           "TextureSize=0\r\nRenderTime=-5\r\nFontSize=abc\r\nFont=\r\n[Colors]\r\n"
                           "Background=255\r\n");
    EXPECT_EQ(Placement(), (std::vector<int32_t>{5, 6, 1000, 700, 2}));
    EXPECT_TRUE(IsZoomed(App.MainWnd));
    EXPECT_EQ(
        std::tie(Settings.TextureSize, Settings.RenderTime, Settings.FontSize, Settings.FontName),
        std::tie(Default.TextureSize, Default.RenderTime, Default.FontSize, Default.FontName));
    EXPECT_EQ(Settings.BackgroundColor, 255u);
    UseSettingsFile(Old.Folder.File("missing-folder\\Swatchbox.INI"));
    Old.Close();
    EXPECT_EQ(Old.Texts(), std::vector<std::string>{
                               "Error: [INISETTINGS]\r\nCould not save settings to ini file!"});
}

// Refuses every button window of this thread, the texture panel among them.
LRESULT CALLBACK RefuseButtons(int Code, WPARAM WParam, LPARAM LParam) {
    if (Code == HCBT_CREATEWND &&
        EqualsIgnoringAsciiCase(ClassName(reinterpret_cast<HWND>(WParam)), "BUTTON"))
        return 1;
    return CallNextHookEx(nullptr, Code, WParam, LParam);
}

TEST(GLContext, WithoutAContextTheProgramSaysSoOnceAndEndsWithoutSaving) {
    const HHOOK Hook = SetWindowsHookExA(WH_CBT, RefuseButtons, nullptr, GetCurrentThreadId());
    ASSERT_NE(Hook, nullptr);
    TProgramWindow Window;
    UnhookWindowsHookEx(Hook);

    EXPECT_FALSE(Window.Started);
    EXPECT_EQ(Window.Texts(),
              std::vector<std::string>{"Error: [OPENGL]\r\nInitialisation of OpenGL failed!"});
    EXPECT_FALSE(std::filesystem::exists(Window.SettingsFile));
}

// The first TrueType face the system lists: the font dialog offers real
// faces only, not substitutes such as "MS Shell Dlg".
std::string ListedFace() {
    std::string Face;
    LOGFONTA Wanted{};
    Wanted.lfCharSet = DEFAULT_CHARSET;
    const HDC Screen = GetDC(nullptr);
    EnumFontFamiliesExA(
        Screen, &Wanted,
        [](const LOGFONTA* Font, const TEXTMETRICA*, DWORD Type, LPARAM Data) -> int {
            if (!(Type & TRUETYPE_FONTTYPE) || Font->lfFaceName[0] == '@')
                return 1;
            *reinterpret_cast<std::string*>(Data) = Font->lfFaceName;
            return 0;
        },
        reinterpret_cast<LPARAM>(&Face), 0);
    ReleaseDC(nullptr, Screen);
    return Face;
}

// Cancelled, each as-is export dialog leaves no name; a name longer than the
// dialog's buffer is cut to it. Confirmed untouched, the font dialog keeps the
// font's name and size. The About box closes by Esc or with the program under
// it; either way its title font, which follows the panel font, is freed.
TEST(Dialogs, AsIsExportPresetsTheTextureFontKeepsAnUntouchedOneAndAboutFreesItsFont) {
    TProgramWindow Window;
    const std::string Long(300, 'L');
    Window.Show({{.Name = "Rock", .Format = pfDXT3}, {.Name = Long, .Format = pfP8}});
    const std::tuple<std::string, std::string, std::string> Rows[] = {
        {"Rock", "Rock", "DirectDraw Surface (*.DDS)"},
        {Long, Long.substr(0, MAX_PATH - 1), "Windows Bitmap (*.BMP)"}};
    for (const auto& [Name, Shown, Type] : Rows) {
        SelectTexture(Name);
        const TModalDriver Driver([&](HWND Dialog) {
            char FileName[MAX_PATH * 2] = {};
            SendMessageA(Dialog, CDM_GETSPEC, sizeof(FileName), reinterpret_cast<LPARAM>(FileName));
            EXPECT_EQ(FileName, Shown);
            const HWND Types = GetDlgItem(Dialog, 0x470);
            EXPECT_EQ(WindowText(Types), Type);
            EXPECT_FALSE(IsWindowEnabled(Types));
            // The dialog drops the rows it doesn't use after it was placed,
            // so its height settles later.
            ExpectDialogLook(Dialog, 2, 24);
            PressButton(Dialog, IDCANCEL);
        });
        std::string FileType, FileName = "stale";
        int32_t BitCount = 0;
        ChooseExportFile(CMD_EXPORT_AS_IS, FileType, BitCount, FileName);
        ASSERT_TRUE(Driver.Ran());
        EXPECT_EQ(FileName, "");
    }
    ASSERT_EQ(Settings.FontSize, 12);
    const std::string Face = Settings.FontName = ListedFace();
    const TModalDriver Font([](HWND Dialog) {
        ExpectDialogLook(Dialog);
        PressButton(Dialog, IDOK);
    });
    ChoosePanelFont();
    ASSERT_TRUE(Font.Ran());
    EXPECT_EQ(Settings.FontName, Face);
    EXPECT_EQ(Settings.FontSize, 12);
    for (const bool CloseProgram : {false, true}) {
        SCOPED_TRACE(CloseProgram ? "program closed" : "Esc");
        HWND Box = nullptr;
        HFONT Title = nullptr;
        const TModalDriver Driver([&](HWND Dialog) {
            Box = Dialog;
            EXPECT_EQ(GetWindow(Dialog, GW_OWNER), App.MainWnd);
            Title =
                reinterpret_cast<HFONT>(SendDlgItemMessageA(Dialog, ABOUT_TITLE, WM_GETFONT, 0, 0));
            LOGFONTA Logical{};
            GetObjectA(Title, sizeof(Logical), &Logical);
            EXPECT_EQ(std::string(Logical.lfFaceName), Face);
            PostMessageA(CloseProgram ? App.MainWnd : GetFocus(),
                         CloseProgram ? WM_CLOSE : WM_KEYDOWN, VK_ESCAPE, 0);
        });
        SendMessageA(App.MainWnd, WM_SYSCOMMAND, CMD_SYS_ABOUT, 0);
        ASSERT_TRUE(Driver.Ran());
        Window.Pump();
        EXPECT_FALSE(IsWindow(Box));
        EXPECT_EQ(IsWindow(App.MainWnd) == FALSE, CloseProgram);
        EXPECT_EQ(GetObjectType(Title), 0u) << "the title font outlives the box";
    }
    EXPECT_TRUE(Window.Reporter.Messages.empty());
}

// The menu key sends no point (-1, -1): the menu opens at the list's corner
// instead of the far corner of the screen. An empty list greys "&Clear list"
// and the games. A highlighted item shows its help text in the status bar, a
// submenu none.
TEST(PackageMenu, OpensAtTheListsCornerGreysWhatAnEmptyListCantDoAndClears) {
    TProgramWindow Window;
    const auto Simple = [] { return SendMessageA(App.StatusBar, SB_ISSIMPLE, 0, 0) != 0; };
    for (const bool Empty : {true, false}) {
        SCOPED_TRACE(Empty ? "empty list" : "one package");
        if (!Empty)
            AddPackageFile("C:\\Textures\\Pkg.utx");
        RECT Shown{};
        std::string Help;
        const TModalDriver Driver(
            [&](HWND MenuWindow) {
                GetWindowRect(MenuWindow, &Shown);
                const LPARAM Menu = SendMessageA(MenuWindow, MN_GETHMENU, 0, 0);
                for (const UINT Position : {0u, 1u, 3u})
                    EXPECT_EQ(
                        (GetMenuState(reinterpret_cast<HMENU>(Menu), Position, MF_BYPOSITION) &
                         MF_GRAYED) != 0,
                        Empty && Position > 0)
                        << Position;
                SendMessageA(App.PackageList, WM_MENUSELECT, MAKEWPARAM(CMD_CLEAR_LIST, MF_HILITE),
                             Menu);
                Help = Simple() ? StatusText(0) : "";
                SendMessageA(App.PackageList, WM_MENUSELECT, MAKEWPARAM(3, MF_HILITE | MF_POPUP),
                             Menu);
                EXPECT_FALSE(Simple());
                PostMessageA(MenuWindow, Empty ? WM_KEYDOWN : WM_CHAR, Empty ? VK_ESCAPE : 'c', 0);
            },
            "#32768");
        SendMessageA(App.PackageList, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(App.PackageList),
                     MAKELPARAM(-1, -1));
        Window.Pump();
        ASSERT_TRUE(Driver.Ran());
        POINT Corner{0, 0};
        ClientToScreen(App.PackageList, &Corner);
        EXPECT_EQ(Shown.left, Corner.x);
        EXPECT_EQ(Shown.top, Corner.y);
        EXPECT_EQ(Help, "Clears the file list");
    }
    EXPECT_TRUE(App.PackageFiles.empty()) << "\"&Clear list\" was not carried out";
}

} // namespace
} // namespace swatchbox::testing
