#include "shell/FontDialog.h"

#include "display/PanelRendering.h"
#include "shell/CenterWindow.h"
#include "shell/MainWindowState.h"
#include "shell/ProgramIcon.h"
#include "shell/Settings.h"

#include <commdlg.h>

#include <algorithm>

namespace swatchbox {

void ChoosePanelFont() {
    LOGFONTA Font{};
    Font.lfHeight = -Settings.FontSize;
    Font.lfWidth = 0;
    const std::size_t NameLength = std::min(Settings.FontName.size(), sizeof(Font.lfFaceName) - 1);
    Settings.FontName.copy(Font.lfFaceName, NameLength);

    CHOOSEFONTA Info{};
    Info.lStructSize = sizeof(Info);
    Info.hwndOwner = App.TexturePanel;
    Info.lpLogFont = &Font;
    Info.Flags = CF_SCREENFONTS | CF_ENABLEHOOK | CF_INITTOLOGFONTSTRUCT | CF_NOSCRIPTSEL;
    Info.lpfnHook = FontDialogHook;
    if (!ChooseFontA(&Info))
        return;
    // The dialog answers with a character height, which is negative.
    Settings.FontName = Font.lfFaceName;
    Settings.FontSize = -Font.lfHeight;
    BuildFontLists(Settings.FontName, Settings.FontSize);
}

UINT_PTR CALLBACK FontDialogHook(HWND Dialog, UINT Message, WPARAM, LPARAM) {
    if (Message != WM_INITDIALOG)
        return 0;
    CenterOverMainWindow(Dialog);
    SetSmallProgramIcon(Dialog);
    return TRUE;
}

} // namespace swatchbox
