#pragma once

#include "package/TextureObject.h"
#include "shell/MainWindowState.h"
#include "shell/WinHandles.h"
#include "tests/support/RecordingReporter.h"
#include "tests/support/TestFiles.h"
#include "tools/package-builder/PackageBuilder.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace swatchbox::testing {

// The real main window of the program, made in this process the way the
// program makes it (controls, OpenGL context, package list data), with its
// settings file in a fresh folder and its messages recorded instead of shown.
// Destroying it runs the program's shutdown.
class TProgramWindow {
public:
    explicit TProgramWindow(std::vector<std::string> Files = {},
                            const std::string& SettingsText = {});
    ~TProgramWindow() { Close(); }
    TProgramWindow(const TProgramWindow&) = delete;
    TProgramWindow& operator=(const TProgramWindow&) = delete;

    // Handles every message waiting for this thread.
    void Pump();
    // Destroys the main window now (the shutdown writes the settings file).
    void Close();
    // Writes a package of these textures (P8 ones without a palette get one
    // with the default colours) into Folder and reads it as a row click does.
    std::string Show(std::vector<TTextureDesc> Textures, const std::string& Name = "Test.utx");
    std::string Show(const TPackageBuilder& Builder, const std::string& Name = "Test.utx");
    // The messages reported since the last call, each as "Caption: Text".
    std::vector<std::string> Texts();

    TTempDir Folder;
    std::string SettingsFile;
    TRecordingReporter Reporter;
    bool Started = false;
};

// An RGBA8 texture of one opaque colour.
TTextureDesc SolidTexture(TTextureDesc Desc, int32_t Width, int32_t Height, COLORREF Colour);

// Text of one status bar part, without the tabs that align it.
std::string StatusText(int Part);
inline std::string WindowText(HWND Window) {
    char Text[1024] = {};
    GetWindowTextA(Window, Text, sizeof(Text));
    return Text;
}
std::vector<std::string> ComboItems(HWND Combo);
// Chooses the item of that text in a combo box as the user does.
void ChooseComboItem(HWND Combo, const std::string& Text);
std::vector<std::string> ShownNames();
// The shown texture of that name; throws std::runtime_error when none is.
TTextureObject& ShownTexture(const std::string& Name);
inline void SelectTexture(const std::string& Name) {
    const auto Names = ShownNames();
    App.SelectedIndex =
        static_cast<int32_t>(std::find(Names.begin(), Names.end(), Name) - Names.begin());
}
SCROLLINFO PanelScrollInfo();
// Expects the window as it is before any package is chosen: no texture set,
// no groups and no status texts.
void ExpectNoPackageShown();
// A window's client area on the screen.
RECT ScreenRect(HWND Window);
inline HWND PreviewWindow() {
    return FindWindowA("SWATCHBOX_PREVIEW", nullptr);
}
inline void SendToPanel(UINT Message, WPARAM WParam, LPARAM LParam = 0) {
    SendMessageA(App.TexturePanel, Message, WParam, LParam);
}
void PutTextOnClipboard(const char* Text);

// A folder path spelled with "\" throughout, as the dialogs and lists take it.
inline std::string WindowsPath(std::string Path) {
    std::replace(Path.begin(), Path.end(), '/', '\\');
    return Path;
}

// Drives a modal window of this thread from inside its own message loop: a
// thread timer looks for the first visible window of WindowClass ("#32770"
// for dialogs, "#32768" for popup menus) and runs Action on it once. Action
// must close the window (or the test hangs until its time-out).
class TModalDriver {
public:
    explicit TModalDriver(std::function<void(HWND)> Action, std::string WindowClass = "#32770");
    ~TModalDriver();
    TModalDriver(const TModalDriver&) = delete;
    TModalDriver& operator=(const TModalDriver&) = delete;

    bool Ran() const { return Done; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Poll();

    std::function<void(HWND)> Action;
    std::string WindowClass;
    UINT_PTR Timer = 0;
    bool Done = false;
};

// Selects Folder in the open folder browser, as its status line shows; false
// when the browser never got there.
bool SelectBrowserFolder(HWND Dialog, const std::string& Folder, TProgramWindow& Window);

// A fresh folder under the system's temporary folder, on a drive the folder
// browser can navigate; removed with all it holds.
class TBrowsableDir {
public:
    TBrowsableDir();
    ~TBrowsableDir();
    TBrowsableDir(const TBrowsableDir&) = delete;
    TBrowsableDir& operator=(const TBrowsableDir&) = delete;
    const std::string& Path() const { return Folder; }

private:
    std::string Folder;
};

// Presses a dialog's button as a click would.
inline void PressButton(HWND Dialog, int Id) {
    PostMessageA(Dialog, WM_COMMAND, MAKEWPARAM(Id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(Dialog, Id)));
}

inline bool HasSmallIcon(HWND Dialog) {
    return SendMessageA(Dialog, WM_GETICON, ICON_SMALL, 0) != 0;
}
// Expects Window centred over Over (the screen when null), its centre within
// Slack pixels each way.
void ExpectCentred(HWND Window, HWND Over, LONG SlackX = 0, LONG SlackY = 0);
// The look of the program's dialogs: their own small icon, centred over the
// main window.
void ExpectDialogLook(HWND Dialog, LONG SlackX = 0, LONG SlackY = 0);

// Held by every test that uses the clipboard: CTest runs test processes side
// by side, and they all share one clipboard.
class TClipboardTestLock {
public:
    TClipboardTestLock() : Mutex(CreateMutexA(nullptr, FALSE, "SwatchboxClipboardTests")) {
        // An abandoned lock (a test that crashed) is taken over all the same.
        if (Mutex)
            WaitForSingleObject(Mutex.Get(), 60000);
    }
    ~TClipboardTestLock() {
        if (Mutex)
            ReleaseMutex(Mutex.Get());
    }
    TClipboardTestLock(const TClipboardTestLock&) = delete;
    TClipboardTestLock& operator=(const TClipboardTestLock&) = delete;

private:
    TKernelHandle Mutex;
};

} // namespace swatchbox::testing
