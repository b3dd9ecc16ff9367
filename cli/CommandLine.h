#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace swatchbox::cli {

// Exit statuses of the tool.
inline constexpr int ExitOk = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;

// Parses the arguments (without the program name) and runs the command.
// Usage errors print a short usage text on Err and give ExitUsage. Progress
// is shown only when ErrIsTerminal and more than one package is given.
int RunCommandLine(const std::vector<std::string>& Arguments, std::ostream& Out, std::ostream& Err,
                   bool ErrIsTerminal);

} // namespace swatchbox::cli
