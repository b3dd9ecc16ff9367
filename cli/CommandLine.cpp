#include "cli/CommandLine.h"

#include "cli/DisplayText.h"
#include "cli/ExportCommand.h"
#include "cli/ListCommand.h"

#include <optional>
#include <string_view>

#ifndef SWATCHBOX_VERSION
#define SWATCHBOX_VERSION "unknown"
#endif

namespace swatchbox::cli {

namespace {

const char* const UsageText = "Usage: swatchbox-cli list [--json] PACKAGE...\n"
                              "       swatchbox-cli export [--out DIR] [--verbose] PACKAGE...\n"
                              "       swatchbox-cli --help | --version\n";

const char* const HelpText =
    "\n"
    "Commands:\n"
    "  list      List the textures of each package, one row per texture.\n"
    "  export    Write each texture unchanged as a .BMP or .DDS file to\n"
    "            DIR/<package>/<group>/<name> (DIR: the current folder unless --out).\n"
    "\n"
    "Options:\n"
    "  --json        list: print one JSON array of all textures instead of tables.\n"
    "  --out DIR     export: the folder to write to; made when missing.\n"
    "  --verbose     export: name each texture skipped for having no stored mip\n"
    "                map (by default a package with many gets one line).\n"
    "  --help        Show this text.\n"
    "  --version     Show the version.\n"
    "  --            End of options; all further arguments are packages.\n"
    "\n"
    "Exit status: 0 when everything was read and written, 1 when anything failed,\n"
    "2 for a usage error. Textures that can't be exported as is (formats without\n"
    "a file type, textures stored without mip maps) are skipped with a warning\n"
    "and are no failure.\n";

int UsageError(std::ostream& Err, const std::string& Problem) {
    Err << "swatchbox-cli: " << EscapeControls(Problem) << '\n' << UsageText;
    return ExitUsage;
}

struct TParsed {
    std::string Command;
    std::vector<std::string> Packages;
    bool Json = false;
    std::optional<std::string> OutDir;
    bool Verbose = false;
    bool Help = false;
    bool Version = false;
};

// Options may come before, between or after the packages, up to "--".
// Returns an error text, or nothing when the arguments parse.
std::optional<std::string> Parse(const std::vector<std::string>& Arguments, TParsed& Parsed) {
    bool OptionsEnded = false;
    for (std::size_t I = 0; I < Arguments.size(); ++I) {
        const std::string& Argument = Arguments[I];
        const bool IsOption = !OptionsEnded && Argument.size() > 1 && Argument[0] == '-';
        if (!IsOption) {
            if (Parsed.Command.empty())
                Parsed.Command = Argument;
            else
                Parsed.Packages.push_back(Argument);
            continue;
        }
        if (Argument == "--") {
            OptionsEnded = true;
        } else if (Argument == "--help" || Argument == "-h") {
            Parsed.Help = true;
        } else if (Argument == "--version") {
            Parsed.Version = true;
        } else if (Argument == "--json" && Parsed.Command == "list") {
            Parsed.Json = true;
        } else if ((Argument == "--verbose" || Argument == "-v") && Parsed.Command == "export") {
            Parsed.Verbose = true;
        } else if (Argument == "--out" && Parsed.Command == "export") {
            if (I + 1 == Arguments.size())
                return "--out needs a folder";
            Parsed.OutDir = Arguments[++I];
        } else if (Argument.starts_with("--out=") && Parsed.Command == "export") {
            Parsed.OutDir = Argument.substr(6);
        } else {
            return "unknown option \"" + Argument + "\"";
        }
        if (Parsed.OutDir && Parsed.OutDir->empty())
            return "--out needs a folder";
    }
    return std::nullopt;
}

} // namespace

int RunCommandLine(const std::vector<std::string>& Arguments, std::ostream& Out, std::ostream& Err,
                   bool ErrIsTerminal) {
    TParsed Parsed;
    if (const std::optional<std::string> Problem = Parse(Arguments, Parsed))
        return UsageError(Err, *Problem);
    if (Parsed.Help) {
        Out << UsageText << HelpText;
        return ExitOk;
    }
    if (Parsed.Version) {
        Out << "swatchbox-cli " << SWATCHBOX_VERSION << '\n';
        return ExitOk;
    }
    if (Parsed.Command.empty())
        return UsageError(Err, "no command given");
    if (Parsed.Command != "list" && Parsed.Command != "export")
        return UsageError(Err, "unknown command \"" + Parsed.Command + "\"");
    if (Parsed.Packages.empty())
        return UsageError(Err, "no package given");

    const bool ShowProgress = ErrIsTerminal && Parsed.Packages.size() > 1;
    if (Parsed.Command == "list")
        return RunList({Parsed.Packages, Parsed.Json, ShowProgress}, Out, Err);
    return RunExport({Parsed.Packages, Parsed.OutDir.value_or(""), ShowProgress, Parsed.Verbose},
                     Out, Err);
}

} // namespace swatchbox::cli
