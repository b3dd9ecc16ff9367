#include "tests/win/ProgramFixture.h"

#include "package/AsciiCase.h"
#include "shell/ExportAll.h"
#include "shell/PackageAnalysis.h"
#include "shell/Settings.h"
#include "shell/Startup.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <utility>

namespace swatchbox::testing {

TProgramWindow::TProgramWindow(std::vector<std::string> Files, const std::string& SettingsText)
    : SettingsFile(Folder.File("Swatchbox.INI")) {
    if (!SettingsText.empty())
        std::ofstream(SettingsFile, std::ios::binary) << SettingsText;
    App.Reporter = &Reporter;
    UseSettingsFile(SettingsFile);
    Started = StartProgram(GetModuleHandleA(nullptr), std::move(Files));
    Pump();
}

void TProgramWindow::Pump() {
    MSG Message{};
    while (PeekMessageA(&Message, nullptr, 0, 0, PM_REMOVE)) {
        if (Message.message == WM_QUIT)
            continue;
        if (!TranslateExportKeys(Message) &&
            !TranslateAcceleratorA(App.MainWnd, App.Accelerators, &Message)) {
            TranslateMessage(&Message);
            DispatchMessageA(&Message);
        }
    }
}

void TProgramWindow::Close() {
    if (App.MainWnd && IsWindow(App.MainWnd))
        DestroyWindow(App.MainWnd);
    App.MainWnd = nullptr;
    Pump();
}

std::string TProgramWindow::Show(std::vector<TTextureDesc> Textures, const std::string& Name) {
    TPackageBuilder Builder;
    int32_t Palette = 0;
    for (TTextureDesc& Desc : Textures) {
        if (Desc.Format == pfP8 && !Desc.Palette)
            Desc.Palette = Palette ? Palette : (Palette = Builder.AddPalette("Pal"));
        Builder.AddTexture(Desc);
    }
    return Show(Builder, Name);
}

std::string TProgramWindow::Show(const TPackageBuilder& Builder, const std::string& Name) {
    const std::string Path = Folder.File(Name);
    Builder.WriteTo(Path);
    AnalysePackage(Path);
    return Path;
}

std::vector<std::string> TProgramWindow::Texts() {
    std::vector<std::string> Result;
    for (const auto& Message : Reporter.Messages)
        Result.push_back(Message.Caption + ": " + Message.Text);
    Reporter.Messages.clear();
    return Result;
}

TTextureDesc SolidTexture(TTextureDesc Desc, int32_t Width, int32_t Height, COLORREF Colour) {
    Desc.Format = pfRGBA8;
    Desc.Width = Width;
    Desc.Height = Height;
    Desc.Pixels = TBytes();
    for (int32_t Index = 0; Index < Width * Height; ++Index)
        Desc.Pixels->insert(Desc.Pixels->end(),
                            {GetBValue(Colour), GetGValue(Colour), GetRValue(Colour), 255});
    return Desc;
}

std::string StatusText(int Part) {
    const LRESULT Length = SendMessageA(App.StatusBar, SB_GETTEXTLENGTHA, Part, 0);
    std::string Text(LOWORD(Length) + 1, '\0');
    SendMessageA(App.StatusBar, SB_GETTEXTA, Part, reinterpret_cast<LPARAM>(Text.data()));
    Text.resize(LOWORD(Length));
    return Text.substr(std::min(Text.find_first_not_of('\t'), Text.size()));
}

std::vector<std::string> ComboItems(HWND Combo) {
    std::vector<std::string> Items;
    for (LRESULT Index = 0; Index < SendMessageA(Combo, CB_GETCOUNT, 0, 0); ++Index) {
        char Text[256] = {};
        SendMessageA(Combo, CB_GETLBTEXT, static_cast<WPARAM>(Index),
                     reinterpret_cast<LPARAM>(Text));
        Items.push_back(Text);
    }
    return Items;
}

void ChooseComboItem(HWND Combo, const std::string& Text) {
    const LRESULT Item =
        SendMessageA(Combo, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(Text.c_str()));
    SendMessageA(Combo, CB_SETCURSEL, Item, 0);
    SendMessageA(App.MainWnd, WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Combo));
}

std::vector<std::string> ShownNames() {
    std::vector<std::string> Names;
    for (const auto* Texture : App.ShownTextures)
        Names.push_back(Texture->Name);
    return Names;
}

TTextureObject& ShownTexture(const std::string& Name) {
    for (TTextureObject* Texture : App.ShownTextures)
        if (Texture->Name == Name)
            return *Texture;
    throw std::runtime_error("no texture " + Name + " is shown");
}

SCROLLINFO PanelScrollInfo() {
    SCROLLINFO Info{};
    Info.cbSize = sizeof(Info);
    Info.fMask = SIF_ALL;
    GetScrollInfo(App.TexturePanel, SB_VERT, &Info);
    return Info;
}

void ExpectNoPackageShown() {
    EXPECT_FALSE(App.Package);
    EXPECT_TRUE(App.PackagePath.empty());
    EXPECT_TRUE(App.AllTextures.empty());
    EXPECT_TRUE(App.ShownTextures.empty());
    EXPECT_EQ(App.SelectedIndex, -1);
    EXPECT_TRUE(ComboItems(App.GroupCombo).empty());
    EXPECT_EQ(WindowText(App.GroupLabel), "Group");
    EXPECT_EQ(StatusText(0) + StatusText(1), "");
}

RECT ScreenRect(HWND Window) {
    RECT Client{};
    GetClientRect(Window, &Client);
    MapWindowPoints(Window, HWND_DESKTOP, reinterpret_cast<POINT*>(&Client), 2);
    return Client;
}

void PutTextOnClipboard(const char* Text) {
    ASSERT_TRUE(OpenClipboard(App.MainWnd));
    EmptyClipboard();
    const HGLOBAL Memory = GlobalAlloc(GMEM_MOVEABLE, std::strlen(Text) + 1);
    std::strcpy(static_cast<char*>(GlobalLock(Memory)), Text);
    GlobalUnlock(Memory);
    SetClipboardData(CF_TEXT, Memory);
    CloseClipboard();
}

namespace {

// Thread timers carry no data of their own; tests drive one window at a time.
TModalDriver* ActiveDriver = nullptr;

} // namespace

TModalDriver::TModalDriver(std::function<void(HWND)> Action, std::string WindowClass)
    : Action(std::move(Action)), WindowClass(std::move(WindowClass)) {
    ActiveDriver = this;
    Timer = SetTimer(nullptr, 0, 50, OnTimer);
}

TModalDriver::~TModalDriver() {
    KillTimer(nullptr, Timer);
    ActiveDriver = nullptr;
}

void CALLBACK TModalDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (ActiveDriver)
        ActiveDriver->Poll();
}

void TModalDriver::Poll() {
    if (Done)
        return;
    std::pair<const std::string*, HWND> Search{&WindowClass, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND Window, LPARAM Data) -> BOOL {
            auto& [Class, Found] = *reinterpret_cast<decltype(Search)*>(Data);
            char Name[64] = {};
            GetClassNameA(Window, Name, sizeof(Name));
            if (!IsWindowVisible(Window) || *Class != Name)
                return TRUE;
            Found = Window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&Search));
    if (!Search.second)
        return;
    Done = true;
    KillTimer(nullptr, Timer);
    Action(Search.second);
}

bool SelectBrowserFolder(HWND Dialog, const std::string& Folder, TProgramWindow& Window) {
    constexpr int BrowserStatus = 0x3743;
    // The browser fills its tree as it goes; a busy machine may need a few
    // tries before the folder can be selected.
    for (int Attempt = 0; Attempt < 100; ++Attempt) {
        SendMessageA(Dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(Folder.c_str()));
        if (EqualsIgnoringAsciiCase(WindowText(GetDlgItem(Dialog, BrowserStatus)), Folder))
            return true;
        Window.Pump();
        Sleep(100);
    }
    return false;
}

// A folder on the system drive: the browser shows the Unix root under Wine
// as a drive it can't navigate to.
TBrowsableDir::TBrowsableDir() {
    static int Made = 0;
    char Temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof(Temp), Temp);
    Folder = std::string(Temp) + "SwatchboxBrowse" + std::to_string(GetCurrentProcessId()) + "_" +
             std::to_string(++Made);
    std::filesystem::create_directories(Folder);
}

TBrowsableDir::~TBrowsableDir() {
    std::error_code Ignored;
    std::filesystem::remove_all(Folder, Ignored);
}

void ExpectCentred(HWND Window, HWND Over, LONG SlackX, LONG SlackY) {
    RECT Under{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, Own{};
    if (Over)
        GetWindowRect(Over, &Under);
    GetWindowRect(Window, &Own);
    // Twice the distance between the centres; one for an odd difference in size.
    EXPECT_LE(std::abs(Own.left + Own.right - Under.left - Under.right), 2 * SlackX + 1);
    EXPECT_LE(std::abs(Own.top + Own.bottom - Under.top - Under.bottom), 2 * SlackY + 1);
}

void ExpectDialogLook(HWND Dialog, LONG SlackX, LONG SlackY) {
    EXPECT_TRUE(HasSmallIcon(Dialog));
    ExpectCentred(Dialog, App.MainWnd, SlackX, SlackY);
}

} // namespace swatchbox::testing
