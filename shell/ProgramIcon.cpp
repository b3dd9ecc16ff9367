#include "shell/ProgramIcon.h"

#include "shell/MainWindowState.h"

namespace swatchbox {

void SetSmallProgramIcon(HWND Window) {
    // Shared: the system keeps one copy and frees it with the module, so
    // windows may hold it without anyone destroying it.
    HANDLE Icon = LoadImageA(App.Instance, "ICO_APP", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                             GetSystemMetrics(SM_CYSMICON), LR_SHARED);
    SendMessageA(Window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Icon));
}

} // namespace swatchbox
