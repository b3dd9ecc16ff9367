#include "shell/Startup.h"

#include "display/GLContext.h"
#include "display/PreviewWindow.h"
#include "shell/ExportAll.h"
#include "shell/MainWindow.h"
#include "shell/MainWindowState.h"
#include "shell/Settings.h"
#include "shell/VersionInfo.h"

#include <commctrl.h>

namespace swatchbox {

namespace {

constexpr char MainClassName[] = "SWATCHBOX";
constexpr char PreviewClassName[] = "SWATCHBOX_PREVIEW";
constexpr char MainTitle[] = "Swatchbox";

void RegisterWindowClass(const char* Name, WNDPROC Procedure) {
    WNDCLASSEXA Class{};
    Class.cbSize = sizeof(Class);
    Class.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    Class.lpfnWndProc = Procedure;
    Class.hInstance = App.Instance;
    Class.hIcon = LoadIconA(App.Instance, "ICO_APP");
    Class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    Class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    Class.lpszClassName = Name;
    RegisterClassExA(&Class);
}

} // namespace

bool StartProgram(HINSTANCE Instance, std::vector<std::string> Files) {
    SetFloatingPointControl();
    App.Instance = Instance;
    App.CommandLineFiles = std::move(Files);
    InitCommonControls();
    RegisterWindowClass(MainClassName, MainWindowProc);
    LoadSettings();
    App.CellWidth = static_cast<float>(Settings.TextureSize + 16);
    App.CellHeight = static_cast<float>(Settings.TextureSize + 80);

    // MainWnd is set by the window's creation message, before any child exists.
    // It is null when creation stopped, after the one message that says why.
    if (!CreateWindowExA(WS_EX_ACCEPTFILES, MainClassName, MainTitle,
                         WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, Settings.WindowX,
                         Settings.WindowY, Settings.WindowW, Settings.WindowH, nullptr, nullptr,
                         Instance, nullptr)) {
        App.MainWnd = nullptr;
        return false;
    }

    RegisterWindowClass(PreviewClassName, PreviewProc);
    LoadGLExtensions();
    App.VersionText = MakeVersionText();
    return true;
}

int RunMessageLoop() {
    MSG Message{};
    BOOL Result = 0;
    for (;;) {
        Result = GetMessageA(&Message, nullptr, 0, 0);
        if (Result == 0 || Result == -1)
            break;
        if (!TranslateExportKeys(Message) &&
            !TranslateAcceleratorA(App.MainWnd, App.Accelerators, &Message)) {
            TranslateMessage(&Message);
            DispatchMessageA(&Message);
        }
    }
    return Result == 0 ? static_cast<int>(Message.wParam) : 0;
}

int RunSwatchbox(HINSTANCE Instance, std::vector<std::string> Files) {
    if (HWND Running = FindWindowA(MainClassName, MainTitle)) {
        SetForegroundWindow(Running);
        return 0;
    }
    if (!StartProgram(Instance, std::move(Files)))
        return 1;
    return RunMessageLoop();
}

} // namespace swatchbox
