#pragma once

#include "sheet/PanelColours.h"

#include <cstdint>
#include <string>

namespace swatchbox {

// The user's settings, read once at start and written once at exit.
// Colours are 0x00BBGGRR.
struct TSettings {
    int32_t WindowX = 100;
    int32_t WindowY = 100;
    int32_t WindowW = 810;
    int32_t WindowH = 600;
    int32_t WindowState = 0;
    uint32_t BackgroundColor = TPanelColours{}.BackgroundColor;
    uint32_t SelectionColor = TPanelColours{}.SelectionColor;
    uint32_t TextColor = TPanelColours{}.TextColor;
    int32_t TextureSize = 128;
    int32_t RenderTime = 100;
    std::string FontName = "MS Shell Dlg";
    int32_t FontSize = 12;
};

extern TSettings Settings;

// The running program's full path, and its folder with a trailing separator.
std::string GetProgramFileName();
std::string GetProgramFolder();
// The settings file: Swatchbox.INI beside the program, unless a test chose
// another with UseSettingsFile.
std::string SettingsFileName();
void UseSettingsFile(const std::string& FileName);

void LoadSettings();
// Takes the placement from the main window as it is now.
void SaveSettings();

} // namespace swatchbox
