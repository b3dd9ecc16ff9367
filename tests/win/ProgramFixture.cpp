#include "tests/win/ProgramFixture.h"

#include "shell/MainWindowState.h"
#include "shell/Settings.h"
#include "shell/Startup.h"

#include <fstream>

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

TProgramWindow::~TProgramWindow() {
    Close();
}

void TProgramWindow::Pump() {
    MSG Message{};
    while (PeekMessageA(&Message, nullptr, 0, 0, PM_REMOVE)) {
        if (Message.message == WM_QUIT)
            continue;
        if (!TranslateAcceleratorA(App.MainWnd, App.Accelerators, &Message)) {
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

RECT ChildRect(HWND Child) {
    RECT Rect{};
    GetWindowRect(Child, &Rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(Child), reinterpret_cast<POINT*>(&Rect), 2);
    return Rect;
}

} // namespace swatchbox::testing
