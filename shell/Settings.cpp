#include "shell/Settings.h"

#include "shell/MainWindowState.h"

#include <windows.h>

#include <array>

namespace swatchbox {

TSettings Settings;

namespace {

const TSettings Defaults;
// Thumbnails beyond this edge make no sense on any screen and would let the
// grid arithmetic overflow.
constexpr int32_t LargestTextureSize = 4096;

std::string& SettingsFileOverride() {
    static std::string FileName;
    return FileName;
}

int32_t ReadInt(const char* Section, const char* Key, int32_t Default, const std::string& File) {
    return static_cast<int32_t>(GetPrivateProfileIntA(Section, Key, Default, File.c_str()));
}

uint32_t ReadColor(const char* Section, const char* Key, uint32_t Default,
                   const std::string& File) {
    return static_cast<uint32_t>(
        GetPrivateProfileIntA(Section, Key, static_cast<INT>(Default), File.c_str()));
}

// The program's own commands never produce these; a value the grid or the
// timer can't work with gets its default.
void FallBackFromNonsense(TSettings& Values) {
    if (Values.TextureSize <= 0 || Values.TextureSize > LargestTextureSize)
        Values.TextureSize = Defaults.TextureSize;
    if (Values.RenderTime <= 0)
        Values.RenderTime = Defaults.RenderTime;
    if (Values.FontSize <= 0)
        Values.FontSize = Defaults.FontSize;
}

struct TWindowPlacement {
    RECT Rect{};
    bool Maximised = false;
};

// A minimised window's rectangle is the icon's; store where it would be
// restored to instead.
TWindowPlacement CurrentPlacement(HWND Window) {
    TWindowPlacement Placement;
    if (IsIconic(Window)) {
        WINDOWPLACEMENT Info{};
        Info.length = sizeof(Info);
        GetWindowPlacement(Window, &Info);
        Placement.Rect = Info.rcNormalPosition;
        Placement.Maximised = (Info.flags & WPF_RESTORETOMAXIMIZED) != 0;
        return Placement;
    }
    GetWindowRect(Window, &Placement.Rect);
    Placement.Maximised = IsZoomed(Window) != FALSE;
    return Placement;
}

} // namespace

std::string GetProgramFileName() {
    // A module path never grows beyond this, so a longer buffer is never needed.
    constexpr std::size_t LongestPath = 32768;
    std::string Path(MAX_PATH, '\0');
    for (;;) {
        const DWORD Length =
            GetModuleFileNameA(nullptr, Path.data(), static_cast<DWORD>(Path.size()));
        if (Length == 0)
            return {};
        if (Length < Path.size()) {
            Path.resize(Length);
            return Path;
        }
        if (Path.size() >= LongestPath)
            return {};
        Path.resize(Path.size() * 2);
    }
}

std::string GetProgramFolder() {
    const std::string Path = GetProgramFileName();
    const auto Separator = Path.find_last_of("\\/");
    return Separator == std::string::npos ? std::string() : Path.substr(0, Separator + 1);
}

std::string SettingsFileName() {
    const std::string& Override = SettingsFileOverride();
    return Override.empty() ? GetProgramFolder() + "Swatchbox.INI" : Override;
}

void UseSettingsFile(const std::string& FileName) {
    SettingsFileOverride() = FileName;
}

void LoadSettings() {
    const std::string File = SettingsFileName();
    TSettings Values;
    Values.WindowX = ReadInt("Window", "X", Defaults.WindowX, File);
    Values.WindowY = ReadInt("Window", "Y", Defaults.WindowY, File);
    Values.WindowW = ReadInt("Window", "W", Defaults.WindowW, File);
    Values.WindowH = ReadInt("Window", "H", Defaults.WindowH, File);
    Values.WindowState = ReadInt("Window", "State", Defaults.WindowState, File);
    if (Values.WindowState == 1) {
        // The stored rectangle is the maximised one; restore to the default.
        Values.WindowX = Defaults.WindowX;
        Values.WindowY = Defaults.WindowY;
        Values.WindowW = Defaults.WindowW;
        Values.WindowH = Defaults.WindowH;
    }
    Values.BackgroundColor = ReadColor("Colors", "Background", Defaults.BackgroundColor, File);
    Values.SelectionColor = ReadColor("Colors", "Selection", Defaults.SelectionColor, File);
    Values.TextColor = ReadColor("Colors", "Text", Defaults.TextColor, File);
    Values.TextureSize = ReadInt("Rendering", "TextureSize", Defaults.TextureSize, File);
    Values.RenderTime = ReadInt("Rendering", "RenderTime", Defaults.RenderTime, File);

    std::array<char, 64> Font{};
    GetPrivateProfileStringA("Rendering", "Font", Defaults.FontName.c_str(), Font.data(),
                             static_cast<DWORD>(Font.size()), File.c_str());
    Values.FontName = Font.data();
    if (Values.FontName.empty())
        Values.FontName = Defaults.FontName;
    Values.FontSize = ReadInt("Rendering", "FontSize", Defaults.FontSize, File);

    FallBackFromNonsense(Values);
    Settings = Values;
}

void SaveSettings() {
    const std::string File = SettingsFileName();
    const TWindowPlacement Placement = CurrentPlacement(App.MainWnd);
    Settings.WindowState = Placement.Maximised ? 1 : 0;

    const RECT& Rect = Placement.Rect;
    const struct {
        const char* Section;
        const char* Key;
        std::string Value;
    } Keys[] = {
        {"Window", "X", std::to_string(Rect.left)},
        {"Window", "Y", std::to_string(Rect.top)},
        {"Window", "W", std::to_string(Rect.right - Rect.left)},
        {"Window", "H", std::to_string(Rect.bottom - Rect.top)},
        {"Window", "State", std::to_string(Settings.WindowState)},
        {"Colors", "Background", std::to_string(Settings.BackgroundColor)},
        {"Colors", "Selection", std::to_string(Settings.SelectionColor)},
        {"Colors", "Text", std::to_string(Settings.TextColor)},
        {"Rendering", "TextureSize", std::to_string(Settings.TextureSize)},
        {"Rendering", "RenderTime", std::to_string(Settings.RenderTime)},
        {"Rendering", "Font", Settings.FontName},
        {"Rendering", "FontSize", std::to_string(Settings.FontSize)},
    };
    for (const auto& Entry : Keys) {
        if (!WritePrivateProfileStringA(Entry.Section, Entry.Key, Entry.Value.c_str(),
                                        File.c_str())) {
            ShowError("[INISETTINGS]\r\nCould not save settings to ini file!");
            return;
        }
    }
}

} // namespace swatchbox
