#include "shell/Help.h"

#include "shell/MainWindowState.h"
#include "shell/Settings.h"

#include <windows.h>

namespace swatchbox {

namespace {

constexpr UINT HH_DISPLAY_TOPIC = 0;
using THtmlHelpA = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

// Loaded on first use and kept for the rest of the run; usable only when the
// library has both entry points.
THtmlHelpA HtmlHelpEntry() {
    if (!App.HtmlHelpLibrary)
        App.HtmlHelpLibrary.Reset(LoadLibraryA("hhctrl.ocx"));
    if (!App.HtmlHelpLibrary)
        return nullptr;
    HMODULE Library = App.HtmlHelpLibrary.Get();
    if (!GetProcAddress(Library, "HtmlHelpW"))
        return nullptr;
    return reinterpret_cast<THtmlHelpA>(
        reinterpret_cast<void*>(GetProcAddress(Library, "HtmlHelpA")));
}

std::string& HelpFileOverride() {
    static std::string FileName;
    return FileName;
}

} // namespace

std::string HelpFileName() {
    const std::string& Override = HelpFileOverride();
    return Override.empty() ? GetProgramFolder() + "Swatchbox.CHM" : Override;
}

void UseHelpFile(const std::string& FileName) {
    HelpFileOverride() = FileName;
}

bool HelpFileExists() {
    const DWORD Attributes = GetFileAttributesA(HelpFileName().c_str());
    return Attributes != INVALID_FILE_ATTRIBUTES && !(Attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void OpenHelp() {
    if (!HelpFileExists())
        return;
    if (const THtmlHelpA HtmlHelp = HtmlHelpEntry()) {
        const std::string Topic = HelpFileName() + "::/html/Sprache.HTML";
        HtmlHelp(App.MainWnd, Topic.c_str(), HH_DISPLAY_TOPIC, 0);
    }
}

} // namespace swatchbox
