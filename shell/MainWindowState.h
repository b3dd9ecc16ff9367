#pragma once

#include "display/PanelPresenter.h"
#include "export/BatchRun.h"
#include "package/Reporter.h"
#include "package/TextureObject.h"
#include "package/UnrealPackage.h"
#include "shell/WinHandles.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace swatchbox {

// Each game's texture folder, empty when the game is not installed.
struct TTextureFolders {
    std::string Unreal;
    std::string Unreal2;
    std::string UT99;
    std::string UT2003;
    std::string UT2004;
};

// "Export all shown": the running export, stepped by its timer, and what
// the next one starts from.
struct TExportAllState {
    std::unique_ptr<TBatchRun> Run;
    std::string Folder;        // the chosen folder, as the closing box names it
    std::string PackageStatus; // status bar part 0 before the run
    DWORD StatusShown = 0;     // when the progress text was last written
    HACCEL StopKeys = nullptr; // resource-owned: Esc while a run is on
    // Work done per timer tick, in milliseconds: at least one file a tick.
    DWORD SliceTime = 30;
    std::string LastFolder;
    TExportFormat LastFormat = TExportFormat::AsIs;
};

// Everything the main window, its controls and the texture display share.
// One instance for the program (App); handles are plain Win32 handles owned
// by their windows, GDI objects and lists are owned here.
struct TMainWindowState {
    HINSTANCE Instance = nullptr;
    HWND MainWnd = nullptr;
    HWND GameLabel = nullptr;
    HWND GameCombo = nullptr;
    HWND PackageList = nullptr;
    HWND GroupLabel = nullptr;
    HWND GroupCombo = nullptr;
    HWND TexturePanel = nullptr;
    HWND StatusBar = nullptr;
    WNDPROC OldPackageListProc = nullptr;
    WNDPROC OldTexturePanelProc = nullptr;
    HACCEL Accelerators = nullptr; // resource-owned, freed with the module
    std::array<int, 3> StatusParts{};
    SCROLLINFO PanelScroll{};
    TFontHandle UIFont;
    TBrushHandle PanelBrush;

    // Package list (left column) and retail markers.
    std::array<std::vector<std::string>, 5> RetailLists; // Unreal, Unreal2, UT99, UT2003, UT2004
    TTextureFolders TextureFolders;
    std::vector<std::string> PackageFiles;
    TImageListHandle RetailImages;
    int32_t RetailMarker = 0;

    // One thumbnail cell of the panel: TextureSize + 16 by TextureSize + 80.
    float CellWidth = 0;
    float CellHeight = 0;

    // Preview window: the full-size image, its 128-pixel tile, and whether
    // the maximised window shows the tile pattern.
    TBitmapHandle PreviewBitmap;
    TBitmapHandle PreviewTile;
    bool PreviewTiled = false;
    // True while the preview shows the second, compressed picture of the
    // textures that have one (the C key); kept while stepping.
    bool PreviewCompressed = false;

    TExportAllState ExportAll;

    // The save dialog's file-type list, found while "Export as is" opens it.
    HWND TypeComboBox = nullptr;
    // "<ProductVersion> (<BuildDate>)" from the program's version record.
    std::string VersionText;

    // Texture set.
    std::unique_ptr<TUnrealPackage> Package;
    std::string PackagePath;
    std::vector<std::unique_ptr<TTextureObject>> AllTextures;
    std::vector<TTextureObject*> ShownTextures;
    int32_t SelectedIndex = -1;

    // OpenGL: the device context the panel is drawn into, its context, and
    // what puts the frames on the screen.
    HDC PanelDC = nullptr;
    HGLRC PanelGLContext = nullptr;
    uint32_t FontListBase = 0;
    TFontHandle PanelFont;
    TPanelPresenter PanelPresenter;
    // Something the panel shows has changed since its last frame; set only
    // by InvalidatePanelFrame. While it is clear nothing is drawn.
    bool PanelNeedsFrame = true;

    // The HTML Help library, loaded when help is first asked for.
    TModuleHandle HtmlHelpLibrary;

    // The files named on the command line, listed when the window is made.
    std::vector<std::string> CommandLineFiles;
    // Where messages go; a message box owned by the active window unless a
    // test puts a recorder here.
    IReporter* Reporter = nullptr;
};

extern TMainWindowState App;

// The program's message road: a box with caption "Error" or "Warning".
void ShowError(const std::string& Text);
void ShowWarning(const std::string& Text);

} // namespace swatchbox
