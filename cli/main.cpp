#include "cli/CommandLine.h"

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

bool StderrIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    try {
        const std::vector<std::string> Arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
        return swatchbox::cli::RunCommandLine(Arguments, std::cout, std::cerr, StderrIsTerminal());
    } catch (const std::exception& Error) {
        std::cout.flush();
        std::cerr << "Error: " << Error.what() << '\n';
        return swatchbox::cli::ExitFailed;
    }
}
