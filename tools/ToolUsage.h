#pragma once

#include <initializer_list>
#include <iostream>
#include <optional>
#include <string_view>

namespace swatchbox::tools {

// The small tools' answer to options: "--help" or "-h" prints Usage and gives
// exit status 0; any other argument that starts with '-' and is not one of
// Options prints Usage on stderr and gives 2, so it is never taken for a file
// name. Nothing when the tool is to read its arguments itself.
inline std::optional<int> AnswerOptions(int argc, char** argv, std::string_view Usage,
                                        std::initializer_list<std::string_view> Options = {}) {
    for (int Index = 1; Index < argc; ++Index) {
        const std::string_view Argument = argv[Index];
        if (Argument == "--help" || Argument == "-h") {
            std::cout << Usage;
            return 0;
        }
    }
    for (int Index = 1; Index < argc; ++Index) {
        const std::string_view Argument = argv[Index];
        bool Known = false;
        for (const std::string_view Option : Options)
            Known = Known || Argument == Option;
        if (Argument.size() > 1 && Argument[0] == '-' && !Known) {
            std::cerr << "unknown option \"" << Argument << "\"\n" << Usage;
            return 2;
        }
    }
    return std::nullopt;
}

} // namespace swatchbox::tools
