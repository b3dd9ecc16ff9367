#include "shell/ColorDialog.h"

#include "resources/ResourceIds.h"
#include "shell/CenterWindow.h"
#include "shell/MainWindowState.h"
#include "shell/ProgramIcon.h"

#include <commdlg.h>

#include <array>
#include <string>

namespace swatchbox {

namespace {

const char* CaptionEnding(LPARAM Command) {
    switch (Command) {
    case CMD_COLOR_BACKGROUND:
        return " of Background";
    case CMD_COLOR_SELECTION:
        return " of Selection";
    case CMD_COLOR_TEXT:
        return " of Font";
    default:
        return "";
    }
}

} // namespace

uint32_t ChoosePanelColor(int Command, uint32_t Current) {
    // The three default panel colours lead the custom colours.
    std::array<COLORREF, 16> CustomColors = {0x4F4F4F, 0x596354, 0xBFBFBF};
    CHOOSECOLORA Info{};
    Info.lStructSize = sizeof(Info);
    Info.hwndOwner = App.TexturePanel;
    Info.rgbResult = Current;
    Info.lpCustColors = CustomColors.data();
    Info.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK | CC_ANYCOLOR;
    Info.lCustData = Command;
    Info.lpfnHook = ColorDialogHook;
    return ChooseColorA(&Info) ? Info.rgbResult : Current;
}

UINT_PTR CALLBACK ColorDialogHook(HWND Dialog, UINT Message, WPARAM, LPARAM LParam) {
    if (Message != WM_INITDIALOG)
        return 0;
    const auto& Info = *reinterpret_cast<const CHOOSECOLORA*>(LParam);
    CenterOverMainWindow(Dialog);
    SetSmallProgramIcon(Dialog);
    char Caption[261] = {};
    GetWindowTextA(Dialog, Caption, sizeof(Caption));
    SetWindowTextA(Dialog, (std::string(Caption) + CaptionEnding(Info.lCustData)).c_str());
    return TRUE;
}

} // namespace swatchbox
