#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace swatchbox {

// Asks for the target of an export of the selected texture with the save
// dialog. Command is CMD_EXPORT_AS_IS or CMD_EXPORT_FORMATTED. FileName is
// left empty when the user cancels; FileType and BitCount are set only for
// CMD_EXPORT_FORMATTED after confirmation.
void ChooseExportFile(int Command, std::string& FileType, int32_t& BitCount, std::string& FileName);

UINT_PTR CALLBACK ExportDialogHook(HWND Dialog, UINT Message, WPARAM WParam, LPARAM LParam);
BOOL CALLBACK FindTypeComboProc(HWND Window, LPARAM Parameter);

} // namespace swatchbox
