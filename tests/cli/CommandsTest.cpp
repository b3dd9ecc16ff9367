// The list and export commands and the command line.
#include "tests/cli/CommandTest.h"
#include "tests/support/ImageReader.h"
#include "tools/package-builder/LineageWrapper.h"

#include <optional>
#include <regex>

namespace swatchbox::cli {
namespace {

using testing::TBytes;
using testing::TPackageBuilder;
using testing::TTextureDesc;

// A palette, a group and six textures: paletted in a group, DXT1 with a
// Latin-1 name and a quote at the top level, an unsupported RGB8, one with an
// imported palette (ignored), one whose class is spelt in capitals, and an
// Unreal 1 texture with a second, compressed picture.
class CommandsTest : public TCommandTest {
protected:
    CommandsTest() {
        TPackageBuilder Builder(69);
        const int32_t Palette = Builder.AddPalette("BrickPal");
        const int32_t Foreign = Builder.AddImport("Engine", "Palette", 0, "Foreign");
        const TTextureDesc Textures[] = {
            {.Name = "Brick", .Group = "Walls", .Masked = true, .Palette = Palette},
            {.Name = "Caf\xE9\"", .Format = pfDXT1, .Width = 8, .Height = 8, .AlphaTexture = true},
            {.Name = "Odd", .Format = pfRGB8, .Width = 4, .Height = 4},
            {.Name = "Lost", .Palette = Foreign},
            {.Name = "Upper", .ClassName = "TEXTURE", .Format = pfDXT5, .Width = 4, .Height = 4},
            {.Name = "Rock",
             .Palette = Palette,
             .Comp = testing::TCompDesc{.Format = pfDXT5, .Width = 32, .Height = 32}}};
        for (const TTextureDesc& Desc : Textures)
            Exports.push_back(Builder.AddTexture(Desc) - 1);
        Small = Builder.WriteTo(SmallPath);
    }

    std::string SmallPath = Temp.File("Small.utx");
    testing::TBuiltPackage Small; // the palette is export 0
    std::vector<int32_t> Exports; // export numbers of the textures, in the order above
};

TEST_F(CommandsTest, ListShowsEveryTextureInExportOrderInAlignedColumns) {
    // The ignored texture is explained on stderr, but is no failure.
    EXPECT_EQ(Run({"list", SmallPath}), ExitOk) << Err.str();
    EXPECT_EQ(
        CountLines(Err.str(), "Warning: " + SmallPath + ", export " + std::to_string(Exports[3])),
        1);
    const std::vector<std::string> Rows = Lines(Out.str());
    ASSERT_EQ(Rows.size(), 7u) << Out.str();
    const std::string& Header = Rows[0];
    // What each texture's row shows, in export order.
    const char* const Shown[] = {
        "Walls +Brick +16x16  P8 .*masked",    "Caf\xC3\xA9\" .*alpha", "Odd", "ignored", "DXT5",
        "Rock +16x16 +P8 +256 +\\+DXT5 32x32$"};
    for (std::size_t Row = 1; Row < Rows.size(); ++Row) {
        EXPECT_EQ(std::stoi(Rows[Row]), Exports[Row - 1]) << Rows[Row];
        EXPECT_TRUE(std::regex_search(Rows[Row], std::regex(Shown[Row - 1]))) << Rows[Row];
    }
    EXPECT_EQ(Rows[1].find("Walls"), Header.find("Group"));
    EXPECT_EQ(Rows[1].find("Brick"), Header.find("Name"));
    // The Latin-1 name is shown as UTF-8 and padded by characters, not bytes.
    EXPECT_EQ(Rows[2].find("8x8"), Header.find("Size") + 1) << Rows[2];
}

// Scripts read this array: one object a line, keys in this order, names as
// UTF-8 with quotes escaped.
TEST_F(CommandsTest, ListJsonIsOneArrayWithTheDocumentedKeys) {
    const std::string Second = Temp.File("Second.utx");
    std::filesystem::copy_file(SmallPath, Second);
    EXPECT_EQ(Run({"list", "--json", SmallPath, Second}), ExitOk) << Err.str();
    const std::string Json = Out.str();
    // A path as a JSON string: Windows paths hold backslashes.
    const auto Object = [&](std::string Path, const std::string& Rest) {
        for (std::size_t At = Path.find('\\'); At != std::string::npos;
             At = Path.find('\\', At + 2))
            Path.insert(At, 1, '\\');
        return "{\"package\": \"" + Path + "\", \"export\": " + std::to_string(Exports[0]) +
               ", \"name\": \"Brick\"" + Rest;
    };
    const std::string Brick = Object(
        SmallPath, ", \"group\": \"Walls\", \"width\": 16, \"height\": 16, \"format\": \"P8\", "
                   "\"format_id\": 0, \"masked\": true, \"alpha_texture\": false, "
                   "\"mip_count\": 1, \"mip_position\": " +
                       std::to_string(Small.MipDataPosition(Exports[0] + 1)) +
                       ", \"mip_size\": 256, \"palette_position\": " +
                       std::to_string(Small.PalettePosition(1)) +
                       ", \"ignored\": false, \"compressed\": null, \"engine\": \"Unreal\", "
                       "\"comp_format\": null, \"comp_width\": null, \"comp_height\": null, "
                       "\"comp_mip_size\": null, \"comp_mip_position\": null}");
    EXPECT_EQ(Json.rfind("[\n  " + Brick + ",\n  {", 0), 0u) << Json;
    EXPECT_TRUE(Has(Json, "\"name\": \"Caf\xC3\xA9\\\"\", \"group\": \"(None)\""));
    EXPECT_TRUE(Has(Json, "\"format_id\": 3, \"masked\": false, \"alpha_texture\": true"));
    // The second package's objects follow in the same array.
    EXPECT_TRUE(Has(Json, "},\n  " + Object(Second, ","))) << Json;
    EXPECT_TRUE(Has(Json, "\"comp_format\": \"DXT5\", \"comp_width\": 32, \"comp_height\": 32, "
                          "\"comp_mip_size\": 1024, \"comp_mip_position\": " +
                              std::to_string(Small.CompMipDataPosition(Exports[5] + 1)) + "}"));
    EXPECT_EQ(CountLines(Json, "  {\"package\": "), 12);
    EXPECT_EQ(Json.substr(Json.size() - 4), "}\n]\n");
}

using EngineBuilds = TCommandTest;

// Each engine build names itself in the list and stores DXT5 under its own
// number and headers; the exported blocks are the same everywhere, also
// through a Lineage II wrapper whatever its key.
TEST_F(EngineBuilds, NameThemselvesAndExportTheSameBlocks) {
    // The engine's name, version, licensee, tag, and the XOR key of a Lineage
    // II wrapper (-1: none).
    const uint32_t Plain = PackageSignature;
    const std::tuple<const char*, int16_t, uint16_t, uint32_t, int> Cases[] = {
        {"Unreal", 69, 0, Plain, -1},
        {"UE2", 128, 29, Plain, -1},
        {"Killing Floor", 128, 29, KillingFloorSignature, -1},
        {"Vengeance", 129, 25, Plain, -1},
        {"Vengeance", 129, 27, Plain, -1},
        {"Lineage II", 121, 0, Plain, 0xAC},
        {"Lineage II", 121, 1, Plain, 0x00}};
    std::optional<TBytes> First;
    for (const auto& [Engine, Version, Licensee, Signature, LineageKey] : Cases) {
        const std::string Name = Engine + std::to_string(Licensee);
        SCOPED_TRACE(Name);
        TPackageBuilder Builder(Version, Licensee);
        Builder.Signature = Signature;
        const int32_t Palette = Builder.AddPalette("Pal");
        Builder.AddTexture({.Name = "Paletted", .Group = "G", .Palette = Palette});
        Builder.AddTexture({.Name = "Glass",
                            .Group = "G",
                            .Format = pfDXT5,
                            .Width = 8,
                            .Height = 8,
                            .Pixels = testing::PatternBytes(64, 5)});
        const std::string Path = Temp.File(Name + ".utx");
        const TBytes Bytes = Builder.Build().Bytes;
        testing::WriteFileBytes(
            Path, LineageKey < 0 ? Bytes : testing::WrapLineage(Bytes, "121", uint8_t(LineageKey)));
        ASSERT_EQ(Run({"list", "--json", Path}), ExitOk) << Err.str();
        EXPECT_EQ(CountLines(Out.str(), std::string("\"engine\": \"") + Engine + "\""), 2);
        EXPECT_EQ(CountLines(Out.str(), "\"format\": \"DXT5\""), 1) << Out.str();
        ASSERT_EQ(Run({"export", "--out", Temp.File("out"), Path}), ExitOk) << Err.str();
        const TBytes Exported = testing::ReadFileBytes(Temp.File("out/" + Name + "/G/Glass.DDS"));
        EXPECT_EQ(Exported, First.value_or(Exported));
        First = Exported;
        EXPECT_TRUE(std::filesystem::exists(Temp.File("out/" + Name + "/G/Paletted.BMP")));
    }
}

TEST_F(CommandsTest, ExportKeepsHostileAndDuplicateNamesInsideTheFolder) {
    TPackageBuilder Builder(69);
    const auto Add = [&](const std::string& Name, const std::string& Group) {
        return std::to_string(
            Builder.AddTexture(
                {.Name = Name, .Group = Group, .Format = pfDXT1, .Width = 4, .Height = 4}) -
            1);
    };
    Add("../../evil", "..");
    Add("CON", "a/b");
    Add("Twin", "Walls");
    const std::string Twin2 = Add("Twin", "Walls"), Twin3 = Add("TWIN", "Walls");
    const std::string Path = Temp.File("Hostile.utx");
    Builder.WriteTo(Path);

    EXPECT_EQ(Run({"export", "--out", Temp.File("out") + "/", Path, Path}), ExitOk) << Err.str();
    const std::string Files[] = {"_/.._.._evil.DDS", "a_b/_CON.DDS", "Walls/Twin.DDS",
                                 "Walls/Twin_" + Twin2 + ".DDS", "Walls/TWIN_" + Twin3 + ".DDS"};
    std::set<std::string> Expected;
    for (const std::string Folder : {"Hostile", "Hostile_2"})
        for (const std::string& File : Files)
            Expected.insert(Folder + "/" + File);
    EXPECT_EQ(FilesUnder("out"), Expected);
    EXPECT_EQ(FilesUnder("").size(), Expected.size() + 2); // and the two packages
    // Renamed files and folders are reported.
    EXPECT_TRUE(Has(Err.str(), "Walls/Twin_" + Twin2 + ".DDS")) << Err.str();
    EXPECT_TRUE(Has(Err.str(), "Hostile_2")) << Err.str();
    EXPECT_FALSE(Has(Err.str(), "\r")); // no progress line off a terminal
}

// A bad package or texture is reported and the next one still read and
// exported; any error fails the command.
TEST_F(CommandsTest, ABadPackageIsReportedAndTheNextOneStillRead) {
    const std::string Broken = Temp.File("Broken.utx"), Text = Temp.File("notes.txt"),
                      Missing = Temp.File("missing.utx"), ShortPath = Temp.File("Short.utx");
    testing::TBuiltPackage(Small).Truncate(60).WriteTo(Broken);
    testing::WriteFileBytes(Text, {'h', 'e', 'l', 'l', 'o'});
    // A texture whose first mip map needs more bytes than the file holds.
    TPackageBuilder Builder(69);
    Builder.AddTexture({.Name = "Short",
                        .Format = pfDXT1,
                        .Width = 1024,
                        .Height = 1024,
                        .Pixels = TBytes(64),
                        .StatedMipSize = 1 << 20});
    Builder.WriteTo(ShortPath);
    const std::string ShortError = "Error: " + ShortPath + ", export 0";

    EXPECT_EQ(Run({"list", Broken, Text, Missing, ShortPath, SmallPath}), ExitFailed);
    // Each failure is one error naming its file.
    EXPECT_EQ(CountLines(Err.str(), "Error: "), 4) << Err.str();
    for (const std::string& Bad : {Broken, Text + ": not a package file", Missing, ShortError})
        EXPECT_EQ(CountLines(Err.str(), Bad), 1) << Bad;
    EXPECT_TRUE(Has(Out.str(), SmallPath + ":\nExport")) << Out.str();
    EXPECT_TRUE(Has(Out.str(), "Brick"));

    EXPECT_EQ(Run({"export", "--out", Temp.File("out"), Broken, ShortPath, SmallPath}), ExitFailed);
    EXPECT_EQ(CountLines(Err.str(), ShortError), 1) << Err.str();
    // Each supported texture of the good package is written, the rest skipped;
    // a second, compressed picture beside the first as its stored blocks.
    EXPECT_EQ(FilesUnder("out"),
              (std::set<std::string>{"Small/Walls/Brick.BMP", "Small/(None)/Caf__.DDS",
                                     "Small/(None)/Odd.BMP", "Small/(None)/Upper.DDS",
                                     "Small/(None)/Rock.BMP", "Small/(None)/Rock.DDS"}));
    EXPECT_TRUE(Has(Out.str(), "Wrote 6 files")) << Out.str();
    const TBytes Dds = testing::ReadFileBytes(Temp.File("out/Small/(None)/Rock.DDS"));
    const auto Blocks = Small.Bytes.begin() + Small.CompMipDataPosition(Exports[5] + 1);
    EXPECT_EQ(TBytes(Dds.begin() + 128, Dds.end()), TBytes(Blocks, Blocks + 1024));
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

    EXPECT_EQ(Run({"list", Path}), ExitOk) << Err.str();
    const std::vector<std::string> Rows = Lines(Out.str());
    ASSERT_EQ(Rows.size(), 9u) << Out.str();
    EXPECT_TRUE(std::regex_search(Rows[6], std::regex(" DXT5 +0  no mips$"))) << Rows[6];
    EXPECT_FALSE(Has(Rows[7], "no mips")) << Rows[7];

    EXPECT_EQ(Run({"list", "--json", Path}), ExitOk) << Err.str();
    EXPECT_EQ(CountLines(Out.str(), "\"mip_count\": 0, \"mip_position\": null, \"mip_size\": 0,"),
              6)
        << Out.str();
    EXPECT_TRUE(Has(Out.str(), "\"format_id\": 13,"));
    EXPECT_TRUE(Err.str().empty()) << Err.str();

    for (const bool Verbose : {false, true}) {
        SCOPED_TRACE(Verbose);
        const std::string Folder = "out" + std::to_string(Verbose);
        std::vector<std::string> Arguments = {"export", "--out", Temp.File(Folder), Path};
        if (Verbose)
            Arguments.push_back("--verbose");
        EXPECT_EQ(Run(Arguments), ExitOk);
        EXPECT_EQ(FilesUnder(Folder), (std::set<std::string>{"Server/(None)/Kept.DDS"}));
        EXPECT_EQ(std::tuple(CountLines(Err.str(), "Warning: "),
                             CountLines(Err.str(), "Skipped 6 textures without a stored mip map"),
                             CountLines(Err.str(), "unknown format 13 can't be exported")),
                  std::tuple(Verbose ? 7 : 2, Verbose ? 0 : 1, 1))
            << Err.str();
        EXPECT_TRUE(Has(Out.str(), "Skipped 7 textures (6 without a stored mip map)."))
            << Out.str();
    }
}

// Only --prefer-compressed decodes the second picture instead of the first.
TEST_F(CommandsTest, PreferCompressedDecodesTheSecondPicture) {
    for (const std::string Option : {"-j1", "--prefer-compressed"}) {
        EXPECT_EQ(Run({"export", "--format", "png", Option, "--out", Temp.File(Option), SmallPath}),
                  ExitOk)
            << Err.str();
        EXPECT_EQ(testing::ReadImageFile(Temp.File(Option + "/Small/(None)/Rock.PNG")).Width,
                  Option == "-j1" ? 16 : 32);
    }
}

using CommandLine = TCommandTest;

TEST_F(CommandLine, UsageErrorsHelpAndVersion) {
    // Usage errors print only on stderr, help and version only on stdout.
    const auto Check = [&](const std::string& Line, int Status) {
        std::vector<std::string> Arguments;
        std::istringstream Words(Line);
        for (std::string Word; Words >> Word;)
            Arguments.push_back(Word);
        EXPECT_EQ(Run(Arguments), Status) << Line;
        EXPECT_EQ((Status == ExitUsage ? Out : Err).str(), "") << Line;
        EXPECT_EQ(Has(Err.str(), "Usage: swatchbox-cli"), Status == ExitUsage) << Line;
    };
    for (const char* Line :
         {"", "show a.utx", "list", "list --bogus a.utx", "export --json a.utx",
          "list --out x a.utx", "list --verbose a.utx", "export a.utx --out", "export --out= a.utx",
          "export --format gif a.utx", "export --opaque a.utx", "export --prefer-compressed a.utx",
          "export -j 0 a.utx", "export --jobs=many a.utx", "export --name a.utx",
          "list --format png a.utx", "list --opaque a.utx", "sheet a.utx b.utx",
          "sheet --size 0 a.utx"})
        Check(Line, ExitUsage);
    for (const char* Line : {"--help", "list --help", "--version"})
        Check(Line, ExitOk);
    EXPECT_EQ(Out.str().rfind("swatchbox-cli ", 0), 0u); // --version
    // After "--" an argument that looks like an option is a package.
    EXPECT_EQ(Run({"list", "--", "--json"}), ExitFailed);
    EXPECT_TRUE(Has(Err.str(), "--json"));
}

} // namespace
} // namespace swatchbox::cli
