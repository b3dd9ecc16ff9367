#pragma once

#include <windows.h>

namespace swatchbox {

constexpr UINT_PTR ExportTimerId = 97;

// "Export all shown": asks for the folder and the format, then writes the
// shown textures in export-table order, a slice at each tick of its timer,
// so that the window stays responsive.
void StartExportAll();
bool ExportAllRunning();
void OnExportTimer();
// Stops after the file being written and tells how far the export came.
void StopExportAll();
// Ends a running export without a word: the package goes away, and whoever
// releases it sets the status bar.
void AbandonExportAll();
// Esc while an export runs; true when the message was taken.
bool TranslateExportKeys(MSG& Message);

} // namespace swatchbox
