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
    if (WParam == 1) {
        PostQuitMessage(0);
        return 0;
    }
    // No context: creation stopped before one was made, or the shutdown has
    // already run (the extension lookup failed). Nothing is left to take down,
    // and the settings file stays as it was.
    if (!App.PanelGLContext) {
        FreeShellData();
        return 0;
    }
    if (App.FontListBase != 0)
        glDeleteLists(App.FontListBase, 256);
    App.FontListBase = 0;
    DestroyGLContext(App.PanelPresenter.DrawingWindow(), App.PanelDC, App.PanelGLContext);
    App.PanelPresenter.Detach();
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
