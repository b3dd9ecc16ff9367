#include "cli/CommandLine.h"

#include "cli/DisplayText.h"
#include "cli/ExportCommand.h"
#include "cli/ListCommand.h"
#include "cli/SheetCommand.h"
#include "cli/ThreadPool.h"
#include "export/DecodedExport.h"

#include <array>
#include <charconv>
#include <optional>
#include <string_view>

#ifndef SWATCHBOX_VERSION
#define SWATCHBOX_VERSION "unknown"
#endif

namespace swatchbox::cli {

namespace {

const char* const UsageText =
    "Usage: swatchbox-cli list [--json] [--name PATTERN] PACKAGE|FOLDER...\n"
    "       swatchbox-cli export [--out DIR] [--format FORMAT] [--opaque]\n"
    "                            [--prefer-compressed] [-j N] [--name PATTERN]\n"
    "                            [--verbose] PACKAGE|FOLDER...\n"
    "       swatchbox-cli sheet [--out FILE.PNG] [--size N] [--group NAME]\n"
    "                           [--name PATTERN] [--opaque] [-j N] PACKAGE\n"
    "       swatchbox-cli --help | --version\n";

const char* const HelpText =
    "\n"
    "Commands:\n"
    "  list      List the textures of each package, one row per texture.\n"
    "  export    Write each texture to DIR/<package>/<group>/<name> (DIR: the\n"
    "            current folder unless --out): unchanged as a .BMP or .DDS file, or\n"
    "            decoded as a .PNG, .TGA or .BMP file (--format). As is, a texture's\n"
    "            second, compressed picture (Unreal 1 bHasComp) goes beside it as\n"
    "            <name>.DDS.\n"
    "  sheet     Draw a package's textures as labelled thumbnails into one PNG file.\n"
    "\n"
    "A FOLDER stands for every package under it, at any depth and whatever its\n"
    "extension; other files are counted and skipped, symbolic links not followed.\n"
    "\n"
    "Options:\n"
    "  --json           list: print one JSON array of all textures instead of tables.\n"
    "  --name PATTERN   list, export, sheet: only the textures whose name or\n"
    "                   group.name matches PATTERN, in any case; '*' stands for any\n"
    "                   run of characters, '?' for one. Quote it for the shell.\n"
    "  --out DIR        export: the folder to write to; made when missing.\n"
    "  --out FILE       sheet: the PNG file to write (default: <package>.PNG in the\n"
    "                   current folder).\n"
    "  --format FORMAT  export: as-is (the default: the stored bytes), png (8-bit\n"
    "                   RGBA, or RGB when opaque or all clear pixels are one colour,\n"
    "                   named in tRNS; G16 textures as 16-bit grey), tga (32-bit),\n"
    "                   bmp24 or bmp32.\n"
    "  --opaque         export (decoded formats), sheet: alpha 255 everywhere.\n"
    "                   Without it textures keep the alpha the engine draws with:\n"
    "                   masked ones (P8: colour 0 clear) and alpha ones their own,\n"
    "                   DXT always its own; all others are opaque.\n"
    "  --prefer-compressed\n"
    "                   export (decoded formats): decode a texture's second,\n"
    "                   compressed picture, where it has one, instead of its first.\n"
    "  -j, --jobs N     export, sheet: decode and write on N threads (default: one\n"
    "                   per core). The files are the same whatever N.\n"
    "  --size N         sheet: edge of each thumbnail's square in pixels (default\n"
    "                   128).\n"
    "  --group NAME     sheet: only the textures of this group, in any case.\n"
    "  --verbose        export: name each texture skipped for having no stored mip\n"
    "                   map (by default a package with many gets one line).\n"
    "  --help           Show this text.\n"
    "  --version        Show the version.\n"
    "  --               End of options; all further arguments are packages.\n"
    "\n"
    "Exit status: 0 when everything was read and written, 1 when anything failed,\n"
    "2 for a usage error. Textures that can't be exported (formats without a file\n"
    "type or a decoder, textures stored without mip maps) are skipped with a\n"
    "warning and are no failure.\n";

int UsageError(std::ostream& Err, const std::string& Problem) {
    Err << "swatchbox-cli: " << EscapeControls(Problem) << '\n' << UsageText;
    return ExitUsage;
}

struct TParsed {
    std::string Command;
    std::vector<std::string> Packages;
    bool Json = false;
    bool Verbose = false;
    bool Opaque = false;
    bool PreferCompressed = false;
    bool Help = false;
    bool Version = false;
    std::optional<std::string> Out;
    std::optional<std::string> Format;
    std::optional<std::string> Jobs;
    std::optional<std::string> Size;
    std::optional<std::string> Group;
    std::optional<std::string> Name;
};

// An option, the commands that take it (none named: every command) and the
// flag it sets or the value it takes.
struct TOption {
    std::string_view Long;
    std::string_view Short;
    std::array<std::string_view, 3> Commands;
    bool TParsed::*Flag = nullptr;
    std::optional<std::string> TParsed::*Value = nullptr;
};

const TOption Options[] = {
    {"--help", "-h", {}, &TParsed::Help},
    {"--version", "", {}, &TParsed::Version},
    {"--json", "", {"list"}, &TParsed::Json},
    {"--verbose", "-v", {"export"}, &TParsed::Verbose},
    {"--opaque", "", {"export", "sheet"}, &TParsed::Opaque},
    {"--prefer-compressed", "", {"export"}, &TParsed::PreferCompressed},
    {"--out", "", {"export", "sheet"}, nullptr, &TParsed::Out},
    {"--format", "", {"export"}, nullptr, &TParsed::Format},
    {"--jobs", "-j", {"export", "sheet"}, nullptr, &TParsed::Jobs},
    {"--size", "", {"sheet"}, nullptr, &TParsed::Size},
    {"--group", "", {"sheet"}, nullptr, &TParsed::Group},
    {"--name", "", {"list", "export", "sheet"}, nullptr, &TParsed::Name},
};

bool TakenBy(const TOption& Option, const std::string& Command) {
    if (Option.Commands[0].empty())
        return true;
    for (const std::string_view Name : Option.Commands)
        if (!Name.empty() && Name == Command)
            return true;
    return false;
}

// Options may come before, between or after the packages, up to "--". A
// value follows its option as the next argument or after '=' ("--out=DIR"),
// or, for a short option, right after it ("-j4"). Returns an error text, or
// nothing when the arguments parse.
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
            continue;
        }
        const TOption* Found = nullptr;
        std::optional<std::string> Attached;
        for (const TOption& Option : Options) {
            if (!TakenBy(Option, Parsed.Command))
                continue;
            if (Argument == Option.Long || (!Option.Short.empty() && Argument == Option.Short)) {
                Found = &Option;
            } else if (Option.Value && Argument.starts_with(std::string(Option.Long) + "=")) {
                Found = &Option;
                Attached = Argument.substr(Option.Long.size() + 1);
            } else if (Option.Value && !Option.Short.empty() &&
                       Argument.starts_with(Option.Short)) {
                Found = &Option;
                Attached = Argument.substr(Option.Short.size());
            }
            if (Found)
                break;
        }
        if (!Found)
            return "unknown option \"" + Argument + "\"";
        if (Found->Flag) {
            Parsed.*(Found->Flag) = true;
            continue;
        }
        if (!Attached && I + 1 < Arguments.size())
            Attached = Arguments[++I];
        if (!Attached || Attached->empty())
            return std::string(Found->Long) + " needs a value";
        Parsed.*(Found->Value) = *Attached;
    }
    return std::nullopt;
}

// A whole number from First to Last, or nothing.
std::optional<int> Number(const std::string& Text, int First, int Last) {
    int Value = 0;
    const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
    if (Error != std::errc() || End != Text.data() + Text.size() || Value < First || Value > Last)
        return std::nullopt;
    return Value;
}

constexpr int MostJobs = 256;
constexpr int LargestThumbnail = 4096;

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
    if (Parsed.Command != "list" && Parsed.Command != "export" && Parsed.Command != "sheet")
        return UsageError(Err, "unknown command \"" + Parsed.Command + "\"");
    if (Parsed.Packages.empty())
        return UsageError(Err, "no package given");

    unsigned Jobs = DefaultJobCount();
    if (Parsed.Jobs) {
        const std::optional<int> Count = Number(*Parsed.Jobs, 1, MostJobs);
        if (!Count)
            return UsageError(Err, "--jobs needs a number from 1 to " + std::to_string(MostJobs));
        Jobs = static_cast<unsigned>(*Count);
    }

    if (Parsed.Command == "list")
        return RunList({Parsed.Packages, Parsed.Json, ErrIsTerminal, Parsed.Name}, Out, Err);

    if (Parsed.Command == "sheet") {
        if (Parsed.Packages.size() != 1)
            return UsageError(Err, "sheet takes one package");
        TSheetOptions Sheet;
        Sheet.Package = Parsed.Packages[0];
        Sheet.OutFile = Parsed.Out.value_or("");
        Sheet.Group = Parsed.Group;
        Sheet.Name = Parsed.Name;
        Sheet.Opaque = Parsed.Opaque;
        Sheet.Jobs = Jobs;
        if (Parsed.Size) {
            const std::optional<int> Size = Number(*Parsed.Size, 1, LargestThumbnail);
            if (!Size)
                return UsageError(Err, "--size needs a number from 1 to " +
                                           std::to_string(LargestThumbnail));
            Sheet.Size = *Size;
        }
        return RunSheet(Sheet, Out, Err);
    }

    TExportOptions Export;
    Export.Packages = Parsed.Packages;
    Export.OutDir = Parsed.Out.value_or("");
    Export.ShowProgress = ErrIsTerminal;
    Export.Verbose = Parsed.Verbose;
    if (Parsed.Format) {
        const std::optional<TExportFormat> Format = ParseExportFormat(*Parsed.Format);
        if (!Format)
            return UsageError(Err, "unknown format \"" + *Parsed.Format +
                                       "\"; use as-is, png, tga, bmp24 or bmp32");
        Export.Format = *Format;
    }
    if (Parsed.Opaque && Export.Format == TExportFormat::AsIs)
        return UsageError(Err, "--opaque needs --format png, tga, bmp24 or bmp32");
    Export.Opaque = Parsed.Opaque;
    if (Parsed.PreferCompressed && Export.Format == TExportFormat::AsIs)
        return UsageError(Err, "--prefer-compressed needs --format png, tga, bmp24 or bmp32");
    Export.PreferCompressed = Parsed.PreferCompressed;
    Export.Jobs = Jobs;
    Export.Name = Parsed.Name;
    return RunExport(Export, Out, Err);
}

} // namespace swatchbox::cli
