// The list and export commands and the command line, run in-process on
// packages made by the test-side builder.
#include "cli/CommandLine.h"
#include "cli/ExportCommand.h"
#include "cli/ListCommand.h"
#include "tools/package-builder/PackageBuilder.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>

namespace swatchbox::cli {
namespace {

using testing::TBuiltPackage;
using testing::TBytes;
using testing::TPackageBuilder;
using testing::TTempDir;
using testing::TTextureDesc;

// Export numbers (not references) of the small package's exports.
struct TSmallPackage {
    TBuiltPackage Built;
    int32_t Palette, Brick, Cafe, Odd, Lost, Upper;
};

// A palette, a group and five textures: paletted in a group, DXT1 with a
// Latin-1 name and a quote at the top level, an unsupported RGB8, one with an
// imported palette (ignored), and one whose class is spelt in capitals.
TSmallPackage WriteSmallPackage(const std::string& Path) {
    TPackageBuilder Builder(69);
    const auto Add = [&](const TTextureDesc& Desc) { return Builder.AddTexture(Desc) - 1; };
    const int32_t Palette = Builder.AddPalette("BrickPal");
    const int32_t Foreign = Builder.AddImport("Engine", "Palette", 0, "Foreign");
    TSmallPackage Package{
        .Built = {},
        .Palette = Palette - 1,
        .Brick = Add({.Name = "Brick", .Group = "Walls", .Masked = true, .Palette = Palette}),
        .Cafe = Add(
            {.Name = "Caf\xE9\"", .Format = pfDXT1, .Width = 8, .Height = 8, .AlphaTexture = true}),
        .Odd = Add({.Name = "Odd", .Format = pfRGB8, .Width = 4, .Height = 4}),
        .Lost = Add({.Name = "Lost", .Palette = Foreign}),
        .Upper = Add(
            {.Name = "Upper", .ClassName = "TEXTURE", .Format = pfDXT5, .Width = 4, .Height = 4})};
    Package.Built = Builder.WriteTo(Path);
    return Package;
}

// Every file under Root, as generic paths relative to it.
std::set<std::string> FilesUnder(const std::filesystem::path& Root) {
    std::set<std::string> Files;
    for (const auto& Entry : std::filesystem::recursive_directory_iterator(Root))
        if (Entry.is_regular_file())
            Files.insert(Entry.path().lexically_relative(Root).generic_string());
    return Files;
}

std::vector<std::string> Lines(const std::string& Text) {
    std::vector<std::string> Result;
    std::istringstream In(Text);
    for (std::string Line; std::getline(In, Line);)
        Result.push_back(Line);
    return Result;
}

// True when an "Error:" line of Err names Path.
bool HasErrorNaming(const std::string& Err, const std::string& Path) {
    for (const std::string& Line : Lines(Err))
        if (Line.rfind("Error: ", 0) == 0 && Line.find(Path) != std::string::npos)
            return true;
    return false;
}

// How many lines of Text contain Part.
std::ptrdiff_t CountLines(const std::string& Text, const std::string& Part) {
    const auto All = Lines(Text);
    return std::count_if(All.begin(), All.end(), [&](const std::string& Line) {
        return Line.find(Part) != std::string::npos;
    });
}

class CommandsTest : public ::testing::Test {
protected:
    TTempDir Temp;
    std::string SmallPath = Temp.File("Small.utx");
    TSmallPackage Small = WriteSmallPackage(SmallPath);
    std::ostringstream Out;
    std::ostringstream Err;
};

TEST_F(CommandsTest, ListShowsEveryTextureInExportOrderInAlignedColumns) {
    EXPECT_EQ(RunList({{SmallPath}}, Out, Err), ExitOk) << Err.str();
    const std::vector<std::string> Rows = Lines(Out.str());
    ASSERT_EQ(Rows.size(), 6u) << Out.str();
    const std::string& Header = Rows[0];
    const std::vector<int32_t> Order = {Small.Brick, Small.Cafe, Small.Odd, Small.Lost,
                                        Small.Upper};
    for (std::size_t Row = 0; Row < Order.size(); ++Row) {
        const std::string& Line = Rows[Row + 1];
        std::istringstream Cells(Line);
        int32_t Export = -1;
        Cells >> Export;
        EXPECT_EQ(Export, Order[Row]) << Line;
    }
    const std::string& Brick = Rows[1];
    EXPECT_EQ(Brick.find("Walls"), Header.find("Group"));
    EXPECT_EQ(Brick.find("Brick"), Header.find("Name"));
    EXPECT_NE(Brick.find("16x16  P8"), std::string::npos) << Brick;
    EXPECT_NE(Brick.find("masked"), std::string::npos) << Brick;
    // The Latin-1 name is shown as UTF-8 and padded by characters, not bytes.
    const std::string& Cafe = Rows[2];
    EXPECT_NE(Cafe.find("Caf\xC3\xA9\""), std::string::npos) << Cafe;
    EXPECT_EQ(Cafe.find("8x8"), Header.find("Size") + 1) << Cafe;
    EXPECT_NE(Cafe.find("alpha"), std::string::npos);
    EXPECT_NE(Rows[4].find("ignored"), std::string::npos) << Rows[4];
    EXPECT_NE(Rows[5].find("DXT5"), std::string::npos) << Rows[5];
    // The imported palette is explained on stderr, but is no failure.
    EXPECT_NE(Err.str().find("Warning: " + SmallPath + ", export " + std::to_string(Small.Lost)),
              std::string::npos)
        << Err.str();
    EXPECT_EQ(Err.str().find("Error"), std::string::npos) << Err.str();
}

// Scripts read this array: one object a line, keys in this order, names as
// UTF-8 with quotes escaped.
TEST_F(CommandsTest, ListJsonIsOneArrayWithTheDocumentedKeys) {
    const std::string Second = Temp.File("Second.utx");
    std::filesystem::copy_file(SmallPath, Second);
    EXPECT_EQ(RunList({{SmallPath, Second}, true}, Out, Err), ExitOk) << Err.str();
    const std::string Json = Out.str();
    // A path as a JSON string: Windows paths hold backslashes.
    const auto Quoted = [](std::string Path) {
        for (std::size_t At = Path.find('\\'); At != std::string::npos;
             At = Path.find('\\', At + 2))
            Path.insert(At, 1, '\\');
        Path.insert(0, 1, '"');
        return Path + '"';
    };
    const auto Object = [&](const std::string& Package, int32_t Export, const std::string& Rest) {
        return "{\"package\": " + Quoted(Package) + ", \"export\": " + std::to_string(Export) +
               ", " + Rest + "}";
    };
    const std::string Brick =
        Object(SmallPath, Small.Brick,
               "\"name\": \"Brick\", \"group\": \"Walls\", \"width\": 16, \"height\": 16, "
               "\"format\": \"P8\", \"format_id\": 0, \"masked\": true, \"alpha_texture\": false, "
               "\"mip_count\": 1, \"mip_position\": " +
                   std::to_string(Small.Built.MipDataPosition(Small.Brick + 1)) +
                   ", \"mip_size\": 256, \"palette_position\": " +
                   std::to_string(Small.Built.PalettePosition(Small.Palette + 1)) +
                   ", \"ignored\": false");
    EXPECT_EQ(Json.rfind("[\n  " + Brick + ",\n  {", 0), 0u) << Json;
    EXPECT_NE(Json.find("\"name\": \"Caf\xC3\xA9\\\"\", \"group\": \"(None)\""), std::string::npos);
    EXPECT_NE(Json.find("\"format_id\": 3, \"masked\": false, \"alpha_texture\": true"),
              std::string::npos);
    // The second package's objects follow in the same array.
    EXPECT_NE(Json.find("},\n  {\"package\": " + Quoted(Second) +
                        ", \"export\": " + std::to_string(Small.Brick) + ", \"name\": \"Brick\""),
              std::string::npos);
    EXPECT_EQ(CountLines(Json, "  {\"package\": "), 10);
    EXPECT_EQ(Json.substr(Json.size() - 4), "}\n]\n");
}

TEST_F(CommandsTest, ExportKeepsHostileAndDuplicateNamesInsideTheFolder) {
    TPackageBuilder Builder(69);
    const auto Add = [&](const std::string& Name, const std::string& Group) {
        return Builder.AddTexture(
                   {.Name = Name, .Group = Group, .Format = pfDXT1, .Width = 4, .Height = 4}) -
               1;
    };
    Add("../../evil", "..");
    Add("CON", "a/b");
    Add("Twin", "Walls");
    const int32_t Twin2 = Add("Twin", "Walls");
    const int32_t Twin3 = Add("TWIN", "Walls");
    const std::string Path = Temp.File("Hostile.utx");
    Builder.WriteTo(Path);

    const std::filesystem::path OutDir = Temp.Path() / "out";
    EXPECT_EQ(RunExport({{Path, Path}, OutDir.string() + "/"}, Out, Err), ExitOk) << Err.str();
    std::set<std::string> Expected;
    for (const std::string Folder : {"Hostile", "Hostile_2"}) {
        Expected.insert(Folder + "/_/.._.._evil.DDS");
        Expected.insert(Folder + "/a_b/_CON.DDS");
        Expected.insert(Folder + "/Walls/Twin.DDS");
        Expected.insert(Folder + "/Walls/Twin_" + std::to_string(Twin2) + ".DDS");
        Expected.insert(Folder + "/Walls/TWIN_" + std::to_string(Twin3) + ".DDS");
    }
    EXPECT_EQ(FilesUnder(OutDir), Expected);
    EXPECT_EQ(FilesUnder(Temp.Path()).size(), Expected.size() + 2); // and the two packages
    // Renamed files and folders are reported.
    EXPECT_NE(Err.str().find("Walls/Twin_" + std::to_string(Twin2) + ".DDS"), std::string::npos)
        << Err.str();
    EXPECT_NE(Err.str().find("Hostile_2"), std::string::npos) << Err.str();
}

// A bad package or texture is reported and the next one still read and
// exported; any error fails the command.
TEST_F(CommandsTest, ABadPackageIsReportedAndTheNextOneStillRead) {
    const std::string Broken = Temp.File("Broken.utx");
    TBuiltPackage Damaged = Small.Built;
    Damaged.Truncate(60).WriteTo(Broken);
    const std::string Text = Temp.File("notes.txt");
    testing::WriteFileBytes(Text, std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o'});
    const std::string Missing = Temp.File("missing.utx");
    // A texture whose first mip map needs more bytes than the file holds.
    TPackageBuilder Builder(69);
    const int32_t Short = Builder.AddTexture({.Name = "Short",
                                              .Format = pfDXT1,
                                              .Width = 1024,
                                              .Height = 1024,
                                              .Pixels = TBytes(64),
                                              .StatedMipSize = 1 << 20}) -
                          1;
    const std::string ShortPath = Temp.File("Short.utx");
    Builder.WriteTo(ShortPath);
    const std::string ShortError = "Error: " + ShortPath + ", export " + std::to_string(Short);

    EXPECT_EQ(RunList({{Broken, Text, Missing, ShortPath, SmallPath}}, Out, Err), ExitFailed);
    EXPECT_TRUE(HasErrorNaming(Err.str(), Broken)) << Err.str();
    EXPECT_NE(Err.str().find("Error: " + Text + ": not a package file"), std::string::npos);
    EXPECT_TRUE(HasErrorNaming(Err.str(), Missing));
    EXPECT_NE(Err.str().find(ShortError), std::string::npos) << Err.str();
    EXPECT_NE(Out.str().find(SmallPath + ":\nExport"), std::string::npos) << Out.str();
    EXPECT_NE(Out.str().find("Brick"), std::string::npos);

    std::ostringstream ExportOut;
    std::ostringstream ExportErr;
    const std::filesystem::path OutDir = Temp.Path() / "out";
    EXPECT_EQ(RunExport({{Broken, ShortPath, SmallPath}, OutDir.string()}, ExportOut, ExportErr),
              ExitFailed);
    EXPECT_NE(ExportErr.str().find(ShortError), std::string::npos) << ExportErr.str();
    // Each supported texture of the good package is written, the rest skipped.
    EXPECT_EQ(FilesUnder(OutDir),
              (std::set<std::string>{"Small/Walls/Brick.BMP", "Small/(None)/Caf__.DDS",
                                     "Small/(None)/Upper.DDS"}));
    EXPECT_NE(ExportErr.str().find("RGB8"), std::string::npos) << ExportErr.str();
    EXPECT_NE(ExportOut.str().find("Wrote 3 files"), std::string::npos) << ExportOut.str();
}

// Packages stripped for dedicated servers keep their textures without mip
// maps: listed with a flag, skipped on export without failing, with one line
// for many unless --verbose. A format without a name is listed and skipped.
TEST_F(CommandsTest, TexturesWithoutMipMapsAreListedAndSkippedWithoutFailing) {
    TPackageBuilder Builder(128, 29);
    for (const uint8_t Format : {pfP8, pfRGBA8, pfG16, pfDXT1, pfDXT3, pfDXT5})
        Builder.AddTexture({.Name = "Bare" + std::string(GetFormatName(TPixelFormat(Format))),
                            .Format = Format,
                            .Width = 512,
                            .Height = 512,
                            .Stripped = true});
    Builder.AddTexture({.Name = "Kept", .Format = pfDXT1, .Width = 8, .Height = 8});
    Builder.AddTexture({.Name = "Future", .Format = 13, .Width = 8, .Height = 8});
    const std::string Path = Temp.File("Server.utx");
    Builder.WriteTo(Path);

    EXPECT_EQ(RunList({{Path}}, Out, Err), ExitOk) << Err.str();
    const std::vector<std::string> Rows = Lines(Out.str());
    ASSERT_EQ(Rows.size(), 9u) << Out.str();
    std::istringstream Stripped(Rows[6]);
    std::string Export, Group, Name, Size, Format, MipBytes, Flags;
    Stripped >> Export >> Group >> Name >> Size >> Format >> MipBytes;
    std::getline(Stripped, Flags);
    EXPECT_EQ(Format + " " + MipBytes + Flags, "DXT5 0  no mips") << Rows[6];
    EXPECT_EQ(Rows[7].find("no mips"), std::string::npos) << Rows[7];

    std::ostringstream Json;
    EXPECT_EQ(RunList({{Path}, true}, Json, Err), ExitOk) << Err.str();
    EXPECT_EQ(CountLines(Json.str(), "\"mip_count\": 0, \"mip_position\": null, \"mip_size\": 0, "
                                     "\"palette_position\": 0, \"ignored\": false}"),
              6)
        << Json.str();
    EXPECT_NE(Json.str().find("\"format_id\": 13,"), std::string::npos);
    EXPECT_TRUE(Err.str().empty()) << Err.str();

    for (const bool Verbose : {false, true}) {
        SCOPED_TRACE(Verbose);
        std::ostringstream ExportOut;
        std::ostringstream ExportErr;
        const std::filesystem::path OutDir = Temp.Path() / ("out" + std::to_string(Verbose));
        EXPECT_EQ(RunExport({{Path}, OutDir.string(), false, Verbose}, ExportOut, ExportErr),
                  ExitOk);
        EXPECT_EQ(FilesUnder(OutDir), (std::set<std::string>{"Server/(None)/Kept.DDS"}));
        EXPECT_EQ(CountLines(ExportErr.str(), "Warning: "), Verbose ? 7 : 2) << ExportErr.str();
        EXPECT_EQ(CountLines(ExportErr.str(), "Skipped 6 textures without a stored mip map"),
                  Verbose ? 0 : 1);
        EXPECT_EQ(CountLines(ExportErr.str(), "unknown format 13 can't be exported"), 1)
            << ExportErr.str();
        EXPECT_NE(ExportOut.str().find("Skipped 7 textures (6 without a stored mip map)."),
                  std::string::npos)
            << ExportOut.str();
    }
}

TEST(CommandLine, UsageErrorsHelpAndVersion) {
    struct TCase {
        std::vector<std::string> Arguments;
        int Status;
    };
    const std::vector<TCase> Cases = {
        {{}, ExitUsage},
        {{"show", "a.utx"}, ExitUsage},
        {{"list"}, ExitUsage},
        {{"list", "--bogus", "a.utx"}, ExitUsage},
        {{"export", "--json", "a.utx"}, ExitUsage},
        {{"list", "--out", "x", "a.utx"}, ExitUsage},
        {{"list", "--verbose", "a.utx"}, ExitUsage},
        {{"export", "a.utx", "--out"}, ExitUsage},
        {{"export", "--out=", "a.utx"}, ExitUsage},
        {{"export", "--format", "gif", "a.utx"}, ExitUsage},
        {{"export", "--opaque", "a.utx"}, ExitUsage},
        {{"export", "-j", "0", "a.utx"}, ExitUsage},
        {{"export", "--jobs=many", "a.utx"}, ExitUsage},
        {{"export", "--name", "a.utx"}, ExitUsage},
        {{"list", "--format", "png", "a.utx"}, ExitUsage},
        {{"list", "--opaque", "a.utx"}, ExitUsage},
        {{"sheet", "a.utx", "b.utx"}, ExitUsage},
        {{"sheet", "--size", "0", "a.utx"}, ExitUsage},
        {{"--help"}, ExitOk},
        {{"list", "--help"}, ExitOk},
        {{"--version"}, ExitOk},
    };
    for (const TCase& Case : Cases) {
        std::ostringstream Out;
        std::ostringstream Err;
        EXPECT_EQ(RunCommandLine(Case.Arguments, Out, Err, false), Case.Status)
            << ::testing::PrintToString(Case.Arguments);
        if (Case.Status == ExitUsage) {
            EXPECT_NE(Err.str().find("Usage: swatchbox-cli"), std::string::npos);
            EXPECT_TRUE(Out.str().empty());
        } else {
            EXPECT_TRUE(Err.str().empty());
        }
    }
    std::ostringstream Out;
    std::ostringstream Err;
    EXPECT_EQ(RunCommandLine({"--version"}, Out, Err, false), ExitOk);
    EXPECT_EQ(Out.str().rfind("swatchbox-cli ", 0), 0u);
    // After "--" an argument that looks like an option is a package.
    EXPECT_EQ(RunCommandLine({"list", "--", "--json"}, Out, Err, false), ExitFailed);
    EXPECT_NE(Err.str().find("--json"), std::string::npos);
}

} // namespace
} // namespace swatchbox::cli
