#include "shell/Startup.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

int WINAPI WinMain(HINSTANCE Instance, HINSTANCE, LPSTR, int) {
    // Every argument is a file for the package list; there are no options.
    std::vector<std::string> Files;
    for (int Index = 1; Index < __argc; ++Index)
        Files.emplace_back(__argv[Index]);
    return swatchbox::RunSwatchbox(Instance, std::move(Files));
}
