// Start-up shared by the benchmarks that drive the real main window.
#pragma once

#include "shell/Settings.h"
#include "shell/Startup.h"

#include <windows.h>

#include <string>

namespace swatchbox {

// The settings file of a benchmark run: in the temporary folder, so the
// program starts with default settings and a benchmark never touches the
// user's own; removed before the run and when the benchmark ends.
class TBenchSettings {
public:
    explicit TBenchSettings(const char* Name) {
        char Folder[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, Folder);
        Path = std::string(Folder) + Name;
        DeleteFileA(Path.c_str());
        UseSettingsFile(Path);
    }
    ~TBenchSettings() { DeleteFileA(Path.c_str()); }
    TBenchSettings(const TBenchSettings&) = delete;
    TBenchSettings& operator=(const TBenchSettings&) = delete;

private:
    std::string Path;
};

} // namespace swatchbox
