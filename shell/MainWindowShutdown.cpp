#include "display/GLContext.h"
#include "shell/MainWindow.h"
#include "shell/MainWindowState.h"
#include "shell/PackageAnalysis.h"
#include "shell/Settings.h"

#include <GL/gl.h>

namespace swatchbox {

namespace {

void FreeShellData() {
    App.AllTextures.clear();
    App.ShownTextures.clear();
    App.PackageFiles.clear();
    for (auto List = App.RetailLists.rbegin(); List != App.RetailLists.rend(); ++List)
        List->clear();
    App.RetailImages.Reset();
    App.UIFont.Reset();
    App.PanelBrush.Reset();
    App.PreviewBitmap.Reset();
    App.PanelFont.Reset();
}

} // namespace

LRESULT OnMainWindowDestroy(HWND Window, WPARAM WParam) {
    // Context creation failed: nothing to take down, just end the loop.
    if (WParam == 1) {
        PostQuitMessage(0);
        return 0;
    }
    if (App.FontListBase != 0)
        glDeleteLists(App.FontListBase, 256);
    App.FontListBase = 0;
    DestroyGLContext(App.TexturePanel, App.PanelDC, App.PanelGLContext);
    App.PanelDC = nullptr;
    App.PanelGLContext = nullptr;
    if (App.Package)
        ReleasePackage();
    KillTimer(Window, RenderTimerId);
    FreeShellData();
    SaveSettings();
    PostQuitMessage(0);
    return 0;
}

} // namespace swatchbox
