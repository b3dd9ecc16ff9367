#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace swatchbox::testing {

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

// Presses a dialog's button as a click would.
void PressButton(HWND Dialog, int Id);

bool HasSmallIcon(HWND Dialog);
// Where the program's dialogs stand: centred over the main window.
void ExpectCentredOverMainWindow(HWND Dialog);

} // namespace swatchbox::testing
