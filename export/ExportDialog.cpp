#include "export/ExportDialog.h"

namespace swatchbox {

void ChooseExportFile(int, std::string&, int32_t&, std::string&) {}

UINT_PTR CALLBACK ExportDialogHook(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

BOOL CALLBACK FindTypeComboProc(HWND, LPARAM) {
    return TRUE;
}

} // namespace swatchbox
