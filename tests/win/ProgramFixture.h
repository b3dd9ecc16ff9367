#pragma once

#include "package/AsciiCase.h"
#include "package/TextureObject.h"
#include "shell/ExportAll.h"
#include "shell/MainWindowState.h"
#include "shell/PackageAnalysis.h"
#include "shell/Settings.h"
#include "shell/Startup.h"
#include "shell/WinHandles.h"
#include "tests/support/RecordingReporter.h"
#include "tests/support/TestFiles.h"
#include "tools/package-builder/PackageBuilder.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace swatchbox::testing {

// True as soon as the condition holds, false when it still doesn't after
// Tries waits of Step milliseconds.
template <typename TCondition>
bool WaitUntil(TCondition Condition, int Tries = 100, DWORD Step = 100) {
    for (int Attempt = 0; Attempt < Tries; ++Attempt) {
        if (Condition())
            return true;
        Sleep(Step);
    }
    return false;
}

// The real main window of the program, made in this process the way the
// program makes it (controls, OpenGL context, package list data), with its
// settings file in a fresh folder and its messages recorded instead of shown.
// Destroying it runs the program's shutdown.
class TProgramWindow {
public:
    explicit TProgramWindow(std::vector<std::string> Files = {},
                            const std::string& SettingsText = {})
        : SettingsFile(Folder.File("Swatchbox.INI")) {
        if (!SettingsText.empty())
            std::ofstream(SettingsFile, std::ios::binary) << SettingsText;
        App.Reporter = &Reporter;
        UseSettingsFile(SettingsFile);
        Started = StartProgram(GetModuleHandleA(nullptr), std::move(Files));
        Pump();
    }
    ~TProgramWindow() { Close(); }
    TProgramWindow(const TProgramWindow&) = delete;
    TProgramWindow& operator=(const TProgramWindow&) = delete;

    // Handles every message waiting for this thread.
    void Pump() {
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
    // Destroys the main window now (the shutdown writes the settings file).
    void Close() {
        if (App.MainWnd && IsWindow(App.MainWnd))
            DestroyWindow(App.MainWnd);
        App.MainWnd = nullptr;
        Pump();
    }
    // Writes a package of these textures (P8 ones without a palette get one
    // with the default colours) into Folder and reads it as a row click does.
    std::string Show(std::vector<TTextureDesc> Textures, const std::string& Name = "Test.utx") {
        TPackageBuilder Builder;
        int32_t Palette = 0;
        for (TTextureDesc& Desc : Textures) {
            if (Desc.Format == pfP8 && !Desc.Palette)
                Desc.Palette = Palette ? Palette : (Palette = Builder.AddPalette("Pal"));
            Builder.AddTexture(Desc);
        }
        return Show(Builder, Name);
    }
    std::string Show(const TPackageBuilder& Builder, const std::string& Name = "Test.utx") {
        const std::string Path = Folder.File(Name);
        Builder.WriteTo(Path);
        AnalysePackage(Path);
        return Path;
    }
    // The messages reported since the last call, each as "Caption: Text".
    std::vector<std::string> Texts() {
        std::vector<std::string> Result;
        for (const auto& Message : Reporter.Messages)
            Result.push_back(Message.Caption + ": " + Message.Text);
        Reporter.Messages.clear();
        return Result;
    }

    TTempDir Folder;
    std::string SettingsFile;
    TRecordingReporter Reporter;
    bool Started = false;
};

// An RGBA8 texture of one opaque colour.
inline TTextureDesc SolidTexture(TTextureDesc Desc, int32_t Width, int32_t Height,
                                 COLORREF Colour) {
    Desc.Format = pfRGBA8;
    Desc.Width = Width;
    Desc.Height = Height;
    Desc.Pixels = TBytes();
    for (int32_t Index = 0; Index < Width * Height; ++Index)
        Desc.Pixels->insert(Desc.Pixels->end(),
                            {GetBValue(Colour), GetGValue(Colour), GetRValue(Colour), 255});
    return Desc;
}

// Text of one status bar part, without the tabs that align it.
inline std::string StatusText(int Part) {
    const LRESULT Length = SendMessageA(App.StatusBar, SB_GETTEXTLENGTHA, Part, 0);
    std::string Text(LOWORD(Length) + 1, '\0');
    SendMessageA(App.StatusBar, SB_GETTEXTA, Part, reinterpret_cast<LPARAM>(Text.data()));
    Text.resize(LOWORD(Length));
    return Text.substr(std::min(Text.find_first_not_of('\t'), Text.size()));
}
inline std::string WindowText(HWND Window) {
    char Text[1024] = {};
    GetWindowTextA(Window, Text, sizeof(Text));
    return Text;
}
inline std::vector<std::string> ComboItems(HWND Combo) {
    std::vector<std::string> Items;
    for (LRESULT Index = 0; Index < SendMessageA(Combo, CB_GETCOUNT, 0, 0); ++Index) {
        char Text[256] = {};
        SendMessageA(Combo, CB_GETLBTEXT, static_cast<WPARAM>(Index),
                     reinterpret_cast<LPARAM>(Text));
        Items.push_back(Text);
    }
    return Items;
}
// Chooses the item of that text in a combo box as the user does.
inline void ChooseComboItem(HWND Combo, const std::string& Text) {
    const LRESULT Item =
        SendMessageA(Combo, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(Text.c_str()));
    SendMessageA(Combo, CB_SETCURSEL, Item, 0);
    SendMessageA(App.MainWnd, WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Combo));
}
inline std::vector<std::string> ShownNames() {
    std::vector<std::string> Names;
    for (const auto* Texture : App.ShownTextures)
        Names.push_back(Texture->Name);
    return Names;
}
// The shown texture of that name; throws std::runtime_error when none is.
inline TTextureObject& ShownTexture(const std::string& Name) {
    for (TTextureObject* Texture : App.ShownTextures)
        if (Texture->Name == Name)
            return *Texture;
    throw std::runtime_error("no texture " + Name + " is shown");
}
inline void SelectTexture(const std::string& Name) {
    const auto Names = ShownNames();
    App.SelectedIndex =
        static_cast<int32_t>(std::find(Names.begin(), Names.end(), Name) - Names.begin());
}
inline SCROLLINFO PanelScrollInfo() {
    SCROLLINFO Info{};
    Info.cbSize = sizeof(Info);
    Info.fMask = SIF_ALL;
    GetScrollInfo(App.TexturePanel, SB_VERT, &Info);
    return Info;
}
// Expects the window as it is before any package is chosen: no texture set,
// no groups and no status texts.
inline void ExpectNoPackageShown() {
    EXPECT_TRUE(!App.Package && App.PackagePath.empty() && App.AllTextures.empty() &&
                App.ShownTextures.empty() && App.SelectedIndex == -1);
    EXPECT_TRUE(ComboItems(App.GroupCombo).empty());
    EXPECT_EQ(WindowText(App.GroupLabel), "Group");
    EXPECT_EQ(StatusText(0) + StatusText(1), "");
}
// A window's client area on the screen.
inline RECT ScreenRect(HWND Window) {
    RECT Client{};
    GetClientRect(Window, &Client);
    MapWindowPoints(Window, HWND_DESKTOP, reinterpret_cast<POINT*>(&Client), 2);
    return Client;
}
inline HWND PreviewWindow() {
    return FindWindowA("SWATCHBOX_PREVIEW", nullptr);
}
inline void SendToPanel(UINT Message, WPARAM WParam, LPARAM LParam = 0) {
    SendMessageA(App.TexturePanel, Message, WParam, LParam);
}
inline void PutTextOnClipboard(const char* Text) {
    ASSERT_TRUE(OpenClipboard(App.MainWnd));
    EmptyClipboard();
    const HGLOBAL Memory = GlobalAlloc(GMEM_MOVEABLE, std::strlen(Text) + 1);
    std::strcpy(static_cast<char*>(GlobalLock(Memory)), Text);
    GlobalUnlock(Memory);
    SetClipboardData(CF_TEXT, Memory);
    CloseClipboard();
}

// A folder path spelled with "\" throughout, as the dialogs and lists take it.
inline std::string WindowsPath(std::string Path) {
    std::replace(Path.begin(), Path.end(), '/', '\\');
    return Path;
}

inline std::string ClassName(HWND Window) {
    char Name[64] = {};
    GetClassNameA(Window, Name, sizeof(Name));
    return Name;
}
// The top-level windows, only this thread's when ThisThread is set, that
// Accept takes.
inline std::vector<HWND> WindowsWhere(const std::function<bool(HWND)>& Accept,
                                      bool ThisThread = false) {
    std::pair<const std::function<bool(HWND)>*, std::vector<HWND>> Search{&Accept, {}};
    const WNDENUMPROC Collect = [](HWND Window, LPARAM Data) -> BOOL {
        auto& [Test, Found] = *reinterpret_cast<decltype(Search)*>(Data);
        if ((*Test)(Window))
            Found.push_back(Window);
        return TRUE;
    };
    if (ThisThread)
        EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(&Search));
    else
        EnumWindows(Collect, reinterpret_cast<LPARAM>(&Search));
    return Search.second;
}

// Drives a modal window of this thread from inside its own message loop: a
// thread timer looks for the first visible window of WindowClass ("#32770"
// for dialogs, "#32768" for popup menus) and runs Action on it once. Action
// must close the window (or the test hangs until its time-out).
class TModalDriver {
public:
    explicit TModalDriver(std::function<void(HWND)> Action, std::string WindowClass = "#32770")
        : Action(std::move(Action)), WindowClass(std::move(WindowClass)) {
        Active = this;
        Timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
            if (Active)
                Active->Poll();
        });
    }
    ~TModalDriver() {
        KillTimer(nullptr, Timer);
        Active = nullptr;
    }
    TModalDriver(const TModalDriver&) = delete;
    TModalDriver& operator=(const TModalDriver&) = delete;

    bool Ran() const { return Done; }

private:
    void Poll() {
        if (Done)
            return;
        const auto Found = WindowsWhere(
            [&](HWND Window) {
                return IsWindowVisible(Window) && ClassName(Window) == WindowClass;
            },
            true);
        if (Found.empty())
            return;
        Done = true;
        KillTimer(nullptr, Timer);
        Action(Found[0]);
    }

    // Thread timers carry no data of their own; tests drive one window at a time.
    inline static TModalDriver* Active = nullptr;
    std::function<void(HWND)> Action;
    std::string WindowClass;
    UINT_PTR Timer = 0;
    bool Done = false;
};

// Selects Folder in the open folder browser, as its status line shows; false
// when the browser never got there.
inline bool SelectBrowserFolder(HWND Dialog, const std::string& Folder, TProgramWindow& Window) {
    constexpr int BrowserStatus = 0x3743;
    // The browser fills its tree as it goes; a busy machine may need a few
    // tries before the folder can be selected.
    return WaitUntil([&] {
        SendMessageA(Dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(Folder.c_str()));
        Window.Pump();
        return EqualsIgnoringAsciiCase(WindowText(GetDlgItem(Dialog, BrowserStatus)), Folder);
    });
}

// Presses a dialog's button as a click would.
inline void PressButton(HWND Dialog, int Id) {
    PostMessageA(Dialog, WM_COMMAND, MAKEWPARAM(Id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(Dialog, Id)));
}

// Expects Window centred over Over (the screen when null), its centre within
// Slack pixels each way.
inline void ExpectCentred(HWND Window, HWND Over, LONG SlackX = 0, LONG SlackY = 0) {
    RECT Under{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, Own{};
    if (Over)
        GetWindowRect(Over, &Under);
    GetWindowRect(Window, &Own);
    // Twice the distance between the centres; one for an odd difference in size.
    EXPECT_LE(std::abs(Own.left + Own.right - Under.left - Under.right), 2 * SlackX + 1);
    EXPECT_LE(std::abs(Own.top + Own.bottom - Under.top - Under.bottom), 2 * SlackY + 1);
}
// The look of the program's dialogs: their own small icon, centred over the
// main window.
inline void ExpectDialogLook(HWND Dialog, LONG SlackX = 0, LONG SlackY = 0) {
    EXPECT_NE(SendMessageA(Dialog, WM_GETICON, ICON_SMALL, 0), 0);
    ExpectCentred(Dialog, App.MainWnd, SlackX, SlackY);
}

// The HTML Help viewer's windows (class "HH Parent") that a process has open.
inline std::vector<HWND> HelpWindowsOf(DWORD ProcessId) {
    return WindowsWhere([&](HWND Window) {
        DWORD Process = 0;
        GetWindowThreadProcessId(Window, &Process);
        return Process == ProcessId && ClassName(Window) == "HH Parent";
    });
}

// Held by every test that uses the clipboard: CTest runs test processes side
// by side, and they all share one clipboard.
struct TClipboardTestLock {
    // An abandoned lock (a test that crashed) is taken over all the same.
    TClipboardTestLock() { WaitForSingleObject(Mutex.Get(), 60000); }
    ~TClipboardTestLock() { ReleaseMutex(Mutex.Get()); }

    const TKernelHandle Mutex{CreateMutexA(nullptr, FALSE, "SwatchboxClipboardTests")};
};

} // namespace swatchbox::testing
