#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace swatchbox {

// Everything of the start-up up to the message loop: classes, settings, the
// main window with its controls and OpenGL, the extension check. Files are
// the command line's arguments. False when no main window could be made.
bool StartProgram(HINSTANCE Instance, std::vector<std::string> Files);
// Runs until the quit message; returns its exit code.
int RunMessageLoop();
// The whole program: ends at once, raising the running copy, when one runs.
int RunSwatchbox(HINSTANCE Instance, std::vector<std::string> Files);

} // namespace swatchbox
