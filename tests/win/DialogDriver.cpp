#include "tests/win/DialogDriver.h"

#include "shell/CenterWindow.h"
#include "shell/MainWindowState.h"

#include <gtest/gtest.h>

#include <utility>

namespace swatchbox::testing {

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

void PressButton(HWND Dialog, int Id) {
    PostMessageA(Dialog, WM_COMMAND, MAKEWPARAM(Id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(Dialog, Id)));
}

bool HasSmallIcon(HWND Dialog) {
    return SendMessageA(Dialog, WM_GETICON, ICON_SMALL, 0) != 0;
}

void ExpectCentredOverMainWindow(HWND Dialog) {
    RECT Main{}, Own{};
    GetWindowRect(App.MainWnd, &Main);
    GetWindowRect(Dialog, &Own);
    const RECT Expected = CenteredRect(Main, Own);
    EXPECT_EQ(Own.left, Expected.left);
    EXPECT_EQ(Own.top, Expected.top);
}

} // namespace swatchbox::testing
