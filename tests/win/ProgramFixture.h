#pragma once

#include "package/TextureObject.h"
#include "tests/support/RecordingReporter.h"
#include "tests/support/TestFiles.h"
#include "tools/package-builder/PackageBuilder.h"

#include <windows.h>

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
    ~TProgramWindow();
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

    TTempDir Folder;
    std::string SettingsFile;
    TRecordingReporter Reporter;
    bool Started = false;
};

// An RGBA8 texture of one opaque colour.
TTextureDesc SolidTexture(TTextureDesc Desc, int32_t Width, int32_t Height, COLORREF Colour);

// Text of one status bar part, without the tabs that align it.
std::string StatusText(int Part);
std::string WindowText(HWND Window);
std::vector<std::string> ComboItems(HWND Combo);
// Chooses the item of that text in a combo box as the user does.
void ChooseComboItem(HWND Combo, const std::string& Text);
std::vector<std::string> ShownNames();
// The shown texture of that name; throws std::runtime_error when none is.
TTextureObject& ShownTexture(const std::string& Name);
void SelectTexture(const std::string& Name);
SCROLLINFO PanelScrollInfo();
// Expects the window as it is before any package is chosen: no texture set,
// no groups and no status texts.
void ExpectNoPackageShown();
// A folder path spelled with "\" throughout, as the dialogs and lists take it.
std::string WindowsPath(std::string Path);

} // namespace swatchbox::testing
