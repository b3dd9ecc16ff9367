// Times the texture panel's frames in the real main window, at the default
// window size and maximised: the drawing pass, putting a frame on the screen,
// a whole frame with the window system's own work (its messages handled
// after it), and showing the last frame again. Prints the median of each in
// milliseconds.
// Usage: panel-frame-bench PACKAGE [FRAMES]
// A benchmark, not a test: it reports numbers and does not judge them.
#include "bench/BenchProgram.h"
#include "display/PanelRendering.h"
#include "shell/MainWindow.h"
#include "shell/MainWindowState.h"
#include "shell/PackageAnalysis.h"
#include "shell/Settings.h"
#include "shell/Startup.h"
#include "shell/WinHandles.h"

#include <windows.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace swatchbox;

void Pump() {
    MSG Message{};
    while (PeekMessageA(&Message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&Message);
        DispatchMessageA(&Message);
    }
}

double MedianMilliseconds(int Frames, const std::function<void()>& Frame) {
    LARGE_INTEGER Frequency{};
    QueryPerformanceFrequency(&Frequency);
    for (int Index = 0; Index < 5; ++Index)
        Frame();
    std::vector<double> Times;
    for (int Index = 0; Index < Frames; ++Index) {
        LARGE_INTEGER Start{};
        LARGE_INTEGER End{};
        QueryPerformanceCounter(&Start);
        Frame();
        QueryPerformanceCounter(&End);
        Times.push_back(1000.0 * static_cast<double>(End.QuadPart - Start.QuadPart) /
                        static_cast<double>(Frequency.QuadPart));
    }
    std::nth_element(Times.begin(), Times.begin() + Frames / 2, Times.end());
    return Times[static_cast<std::size_t>(Frames / 2)];
}

void Measure(const char* View, int Frames) {
    Pump();
    RECT Client{};
    GetClientRect(App.TexturePanel, &Client);
    const double Draw = MedianMilliseconds(Frames, [] {
        DrawTexturePanel();
        glFinish();
    });
    // Under Wine: the read-back and the copy into the panel; on Windows the swap.
    const double Present =
        MedianMilliseconds(Frames, [] { App.PanelPresenter.Present(App.PanelDC); });
    const double Frame = MedianMilliseconds(Frames, [] {
        RenderTexturePanel();
        Pump();
    });
    // Under Wine the last frame is kept and can be shown again without OpenGL.
    const TWindowDC Panel(App.TexturePanel);
    const double Again =
        MedianMilliseconds(Frames, [&Panel] { App.PanelPresenter.PresentAgain(Panel.Get()); });
    std::printf("%-9s panel %4ldx%-4ld  draw %6.2f  present %5.2f  frame with messages %6.2f  "
                "present again %4.2f (ms)\n",
                View, Client.right, Client.bottom, Draw, Present, Frame, Again);
}

} // namespace

int main(int Count, char** Arguments) {
    if (Count < 2) {
        std::fprintf(stderr, "usage: panel-frame-bench PACKAGE [FRAMES]\n");
        return 2;
    }
    const std::string Package = Arguments[1];
    const int Frames = Count > 2 ? std::max(1, std::atoi(Arguments[2])) : 50;

    const TBenchSettings SettingsFile("panel-frame-bench.ini");
    if (!StartProgram(GetModuleHandleA(nullptr), {}))
        return 1;
    // Frames come from here alone.
    KillTimer(App.MainWnd, RenderTimerId);
    AnalysePackage(Package);
    if (App.ShownTextures.empty()) {
        std::fprintf(stderr, "panel-frame-bench: no texture shown from %s\n", Package.c_str());
        return 1;
    }
    std::printf("%zu textures, %d frames each\n", App.ShownTextures.size(), Frames);
    Measure("default", Frames);
    ShowWindow(App.MainWnd, SW_MAXIMIZE);
    Measure("maximised", Frames);

    DestroyWindow(App.MainWnd);
    Pump();
    return 0;
}
