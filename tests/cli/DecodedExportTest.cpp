// swatchbox-cli export --format, folders, --name and -j, and the sheet
// command; the written pictures are read back with an independent reader.
// Jobs on several threads come back in the order they were submitted.
#include "cli/ThreadPool.h"
#include "decode/PixelDecoder.h"
#include "sheet/ContactSheet.h"
#include "tests/cli/CommandTest.h"
#include "tests/support/ImageReader.h"

#include <chrono>
#include <fstream>

namespace swatchbox::cli {
namespace {

namespace fs = std::filesystem;
using testing::TPackageBuilder;
using testing::TTextureDesc;

class DecodedExport : public TCommandTest {
protected:
    // Writes the package; its P8 textures get the default palette.
    void Write(const fs::path& Path, std::vector<TTextureDesc> Textures) {
        TPackageBuilder Builder{128, 29}; // G16 has a number from UE2 on
        const int32_t Palette = Builder.AddPalette("Pal");
        for (TTextureDesc& Desc : Textures) {
            if (Desc.Format == pfP8)
                Desc.Palette = Palette;
            Builder.AddTexture(Desc);
        }
        Builder.WriteTo(Path);
    }
};

TEST_F(DecodedExport, EveryFormatHoldsTheDecodersPixelsWithTheEnginesAlpha) {
    // Every decoded format at odd sizes, the stored bytes noise, and one
    // format without a decoder.
    const std::tuple<const char*, uint8_t, int32_t, int32_t> Formats[] = {
        {"Paletted", pfP8, 5, 3},     {"Bgra", pfRGBA8, 2, 2}, {"Grey", pfG16, 6, 8},
        {"Dxt1", pfDXT1, 6, 8},       {"Dxt3", pfDXT3, 2, 2},  {"Dxt5", pfDXT5, 5, 3},
        {"Legacy", pfRRRGGGBBB, 4, 4}};
    std::vector<TTextureDesc> Textures;
    for (const auto& [Name, Format, Width, Height] : Formats) {
        TTextureDesc& Desc = Textures.emplace_back(TTextureDesc{.Name = Name, .Group = "G"});
        Desc.Format = Format;
        Desc.Width = Width;
        Desc.Height = Height;
        Desc.Pixels = testing::NoiseBytes(testing::StoredMipSize(Format, Width, Height),
                                          uint32_t(Textures.size()));
    }
    Textures[0].Masked = true;
    Textures[1].AlphaTexture = true;
    const std::string Package = Temp.File("Formats.utx");
    Write(Package, Textures);
    // Any number of jobs writes the same files; bmp24 and --opaque make every
    // pixel opaque.
    const std::tuple<const char*, const char*, const char*> Runs[] = {{"png", ".PNG", "-j1"},
                                                                      {"tga", ".TGA", "-j4"},
                                                                      {"bmp24", ".BMP", "-j1"},
                                                                      {"bmp32", ".BMP", "-j4"},
                                                                      {"png", ".PNG", "--opaque"}};
    for (const auto& [Format, Extension, Option] : Runs) {
        SCOPED_TRACE(std::string(Format) + Option);
        const std::string Folder = Temp.File(std::string(Format) + Option);
        ASSERT_EQ(Run({"export", "--format", Format, Option, "--out", Folder, Package}), ExitOk)
            << Err.str();
        EXPECT_TRUE(Has(Err.str(), "format RRRGGGBBB can't be decoded; skipped."));
        const bool Opaque = std::string(Format) == "bmp24" || std::string(Option) == "--opaque";
        for (const TTextureDesc& Desc : Textures) {
            if (Desc.Format == pfRRRGGGBBB)
                continue;
            SCOPED_TRACE(Desc.Name);
            const testing::TImageFile File =
                testing::ReadImageFile(Folder + "/Formats/G/" + Desc.Name + Extension);
            ASSERT_EQ(std::pair(File.Width, File.Height), std::pair(Desc.Width, Desc.Height));
            if (Desc.Format == pfG16 && Extension == std::string(".PNG")) {
                // All 16 bits, as stored.
                EXPECT_TRUE(File.SixteenBit);
                for (std::size_t Index = 0; Index < File.Values.size(); ++Index)
                    EXPECT_EQ(File.Values[Index],
                              (*Desc.Pixels)[Index * 2] | (*Desc.Pixels)[Index * 2 + 1] << 8);
                continue;
            }
            EXPECT_TRUE(!Opaque || File.Components == 3) << File.Components;
            // P8 masked: colour 0 of the noise is rare; the alpha rule itself
            // is the decoder's.
            TRgbaImage Expected = DecodeMip(
                {static_cast<TPixelFormat>(*Desc.Format), Desc.Width, Desc.Height, *Desc.Pixels,
                 testing::DefaultPaletteColours()},
                AlphaRuleFor(static_cast<TPixelFormat>(*Desc.Format), Desc.Masked.value_or(false),
                             Desc.AlphaTexture.value_or(false),
                             Opaque ? TAlphaMode::Opaque : TAlphaMode::Engine));
            EXPECT_EQ(File.Rgba, Expected.Pixels);
        }
    }
}

// Packages are found by their signature at any depth: a folder's files in
// name order, then its folders. Links are not followed: a folder linked into
// itself would never end, a linked package would be listed twice.
TEST_F(DecodedExport, FoldersGiveTheirPackagesAtAnyDepthAndNameFilters) {
    const fs::path Game = Temp.Path() / "Game", Textures = Game / "Textures";
    fs::create_directories(Textures / "Old");
    Write(Textures / "Rocks.utx", {{.Name = "RockWall", .Group = "Walls", .Width = 4, .Height = 4},
                                   {.Name = "Sand", .Group = "Floors", .Width = 4, .Height = 4}});
    Write(Textures / "Boulders.utx", {{.Name = "RockPile", .Width = 2, .Height = 2}});
    Write(Textures / "Old" / "Legacy.dat",
          {{.Name = "rockfloor", .Group = "Floors", .Width = 2, .Height = 2}});
    std::ofstream(Game / "Readme.utx") << "no package";
    std::error_code NoLinks; // then the links are left out
    fs::create_directory_symlink(Game, Textures / "Old" / "Loop", NoLinks);
    fs::create_symlink(Textures / "Rocks.utx", Game / "Link.utx", NoLinks);

    ASSERT_EQ(Run({"list", "--name", "ROCK*", Game.string()}), ExitOk) << Err.str();
    const std::string Listed = Out.str();
    EXPECT_LT(Listed.find("Boulders.utx:"), Listed.find("Rocks.utx:")) << Listed;
    EXPECT_LT(Listed.find("Rocks.utx:"), Listed.find("Legacy.dat:")) << Listed;
    EXPECT_NE(Listed.find("Legacy.dat:"), std::string::npos);
    EXPECT_EQ(CountLines(Listed, "RockWall"), 1) << Listed;
    EXPECT_TRUE(Has(Listed, "rockfloor") && !Has(Listed, "Sand")) << Listed;
    EXPECT_EQ(Err.str(), "1 file in the folders is no package.\n");

    ASSERT_EQ(Run({"list", "--name", "Nothing", Game.string()}), ExitOk);
    EXPECT_EQ(Out.str(), "");
    EXPECT_TRUE(Has(Err.str(), "No texture matches \"Nothing\"."));

    ASSERT_EQ(Run({"export", "--format", "tga", "--name", "*floor", "--out", Temp.File("out"),
                   Game.string()}),
              ExitOk);
    EXPECT_EQ(FilesUnder("out"), std::set<std::string>{"Legacy/Floors/rockfloor.TGA"});
    EXPECT_TRUE(Has(Out.str(), "Wrote 1 file") &&
                Has(Out.str(), "1 file in the folders is no package."))
        << Out.str();
}

TEST(OrderedJobs, DeliverInSubmissionOrderWithFewResultsHeldBack) {
    TThreadPool Pool(4);
    std::vector<int> Delivered, Submitted;
    TOrderedJobs<int> Jobs(Pool, [&](int& Result) { Delivered.push_back(Result); });
    for (int Index = 0; Index < 40; ++Index) {
        Jobs.Submit([Index] {
            // Early jobs take longest, so later ones finish first.
            std::this_thread::sleep_for(std::chrono::microseconds((40 - Index) * 50));
            return Index;
        });
        Submitted.push_back(Index);
        // At most four jobs a thread wait to be delivered.
        EXPECT_LE(Submitted.size() - Delivered.size(), 16u);
    }
    Jobs.Finish();
    EXPECT_EQ(Delivered, Submitted);
}

// The sheet command: the picture's size, each texture's thumbnail in its cell
// in name order, and the group filter.
TEST_F(DecodedExport, SheetDrawsEveryTextureInNameOrderInItsCell) {
    using testing::TRgba;
    // Textures of one colour, in an export order that differs from name order;
    // RGBA8 pixels are stored blue, green, red, alpha.
    std::vector<TTextureDesc> Textures;
    for (const auto& [Name, Group, Width, Height, Rgb] :
         {std::tuple{"Cyan", "B", 8, 8, TRgba{0, 255, 255}},
          {"amber", "A", 16, 4, TRgba{255, 191, 0}},
          {"Blue", "A", 2, 2, TRgba{0, 0, 255}}}) {
        TTextureDesc& Desc = Textures.emplace_back(
            TTextureDesc{.Name = Name, .Group = Group, .Format = pfRGBA8, .Width = Width});
        Desc.Height = Height;
        Desc.Pixels.emplace();
        for (int32_t Pixel = 0; Pixel < Width * Height; ++Pixel)
            Desc.Pixels->insert(Desc.Pixels->end(), {Rgb[2], Rgb[1], Rgb[0], 255});
    }
    Textures.push_back({.Name = "Old", .Group = "B", .Format = pfRGBA7, .Width = 4, .Height = 16});
    const std::string Package = Temp.File("Sheet.utx");
    Write(Package, Textures);

    ASSERT_EQ(Run({"sheet", "--size", "32", "--out", Temp.File("All"), Package}), ExitOk)
        << Err.str();
    EXPECT_TRUE(Err.str().empty()) << Err.str();
    const testing::TImageFile File = testing::ReadImageFile(Temp.File("All.PNG"));
    const TContactSheet Layout(4, 32, TPanelColours{});
    ASSERT_EQ(std::pair(File.Width, File.Height),
              std::pair(Layout.Image().Width, Layout.Image().Height));
    TRgbaImage Sheet(File.Width, File.Height);
    Sheet.Pixels = File.Rgba;
    // Each thumbnail's colour and the last pixel of it in its area.
    const std::tuple<TRgba, int32_t, int32_t> Expected[] = {
        {{255, 191, 0, 255}, 31, 7},  // amber: wide, 32 x 8
        {{0, 0, 255, 255}, 31, 31},   // Blue
        {{0, 255, 255, 255}, 31, 31}, // Cyan
        {{255, 255, 255, 255}, 7, 31} // Old: no decoder, a plain tall area, 8 x 32
    };
    for (std::size_t Index = 0; Index < std::size(Expected); ++Index) {
        const auto& [Colour, Right, Bottom] = Expected[Index];
        const int32_t Left = Layout.AreaLeft(Index), Top = Layout.AreaTop(Index);
        EXPECT_EQ(testing::PixelAt(Sheet, Left, Top), Colour) << Index;
        EXPECT_EQ(testing::PixelAt(Sheet, Left + Right, Top + Bottom), Colour) << Index;
    }
    // Below the wide texture's quad lies the background.
    EXPECT_EQ(testing::PixelAt(Sheet, Layout.AreaLeft(0), Layout.AreaTop(0) + 8),
              testing::PixelAt(Sheet, 0, 0));

    ASSERT_EQ(Run({"sheet", "--group", "a", "--size", "32", "--out", Temp.File("A.png"), Package}),
              ExitOk);
    EXPECT_EQ(testing::ReadImageFile(Temp.File("A.png")).Width,
              TContactSheet(2, 32, TPanelColours{}).Image().Width);

    EXPECT_EQ(Run({"sheet", "--name", "Nothing*", "--out", Temp.File("None"), Package}),
              ExitFailed);
    EXPECT_TRUE(Has(Err.str(), "no textures to show that match"));
}

} // namespace
} // namespace swatchbox::cli
