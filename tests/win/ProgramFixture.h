#pragma once

#include "tests/support/RecordingReporter.h"
#include "tests/support/TestFiles.h"

#include <windows.h>

#include <string>
#include <vector>

namespace swatchbox::testing {

// The real main window of the program, made in this process the way the
// program makes it (controls, OpenGL context, package list data), with its
// settings file in a fresh folder and its messages recorded instead of shown.
// Destroying it runs the program's shutdown.
class TProgramWindow {
public:
    explicit TProgramWindow(std::vector<std::string> Files = {},
                            const std::string& SettingsText = {});
    ~TProgramWindow();
    TProgramWindow(const TProgramWindow&) = delete;
    TProgramWindow& operator=(const TProgramWindow&) = delete;

    // Handles every message waiting for this thread.
    void Pump();
    // Destroys the main window now (the shutdown writes the settings file).
    void Close();

    TTempDir Folder;
    std::string SettingsFile;
    TRecordingReporter Reporter;
    bool Started = false;
};

// Client rectangle of a child in its parent's client coordinates.
RECT ChildRect(HWND Child);

} // namespace swatchbox::testing
