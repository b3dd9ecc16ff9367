// swatchbox-cli export --format, folders, --name and -j; the written files
// are read back with an independent reader. Jobs on several threads come
// back in the order they were submitted.
#include "cli/ThreadPool.h"
#include "decode/PixelDecoder.h"
#include "tests/cli/CommandTest.h"
#include "tests/support/ImageReader.h"

#include <atomic>
#include <chrono>
#include <fstream>

namespace swatchbox::cli {
namespace {

namespace fs = std::filesystem;
using testing::TPackageBuilder;
using testing::TTextureDesc;

// Textures of every decoded format at odd sizes, their stored bytes noise,
// and one format without a decoder.
std::vector<TTextureDesc> EveryFormat() {
    auto Texture = [](const char* Name, uint8_t Format, int32_t Width, int32_t Height,
                      uint32_t Seed) {
        TTextureDesc Desc{
            .Name = Name, .Group = "G", .Format = Format, .Width = Width, .Height = Height};
        Desc.Pixels = testing::NoiseBytes(testing::StoredMipSize(Format, Width, Height), Seed);
        return Desc;
    };
    std::vector<TTextureDesc> Textures = {
        Texture("Paletted", pfP8, 5, 3, 1),      Texture("Bgra", pfRGBA8, 2, 2, 2),
        Texture("Grey", pfG16, 6, 8, 3),         Texture("Dxt1", pfDXT1, 6, 8, 4),
        Texture("Dxt3", pfDXT3, 2, 2, 5),        Texture("Dxt5", pfDXT5, 5, 3, 6),
        Texture("Legacy", pfRRRGGGBBB, 4, 4, 7),
    };
    Textures[0].Masked = true;
    Textures[1].AlphaTexture = true;
    return Textures;
}

class DecodedExport : public TCommandTest {
protected:
    // Writes the package; its P8 textures get the default palette.
    void Write(const std::string& Path, std::vector<TTextureDesc> Textures) {
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
    const std::vector<TTextureDesc> Textures = EveryFormat();
    const std::string Package = Temp.File("Formats.utx");
    Write(Package, Textures);
    // Any number of jobs writes the same files.
    for (const auto& [Format, Extension, Jobs] : {std::tuple{"png", ".PNG", "-j1"},
                                                  {"tga", ".TGA", "-j4"},
                                                  {"bmp24", ".BMP", "-j1"},
                                                  {"bmp32", ".BMP", "-j4"}}) {
        SCOPED_TRACE(Format);
        const std::string Folder = Temp.File(Format);
        ASSERT_EQ(Run({"export", "--format", Format, Jobs, "--out", Folder, Package}), ExitOk)
            << Err.str();
        EXPECT_NE(Err.str().find("format RRRGGGBBB can't be decoded; skipped."), std::string::npos);
        for (const TTextureDesc& Desc : Textures) {
            if (Desc.Format == pfRRRGGGBBB)
                continue;
            SCOPED_TRACE(Desc.Name);
            const testing::TImageFile File =
                testing::ReadImageFile(Folder + "/Formats/G/" + Desc.Name + Extension);
            ASSERT_EQ(File.Width, Desc.Width);
            ASSERT_EQ(File.Height, Desc.Height);
            if (Desc.Format == pfG16 && Extension == std::string(".PNG")) {
                // All 16 bits, as stored.
                EXPECT_TRUE(File.SixteenBit);
                for (std::size_t Index = 0; Index < File.Values.size(); ++Index)
                    EXPECT_EQ(File.Values[Index],
                              (*Desc.Pixels)[Index * 2] | (*Desc.Pixels)[Index * 2 + 1] << 8);
                continue;
            }
            const bool Opaque = std::string(Format) == "bmp24";
            TRgbaImage Expected = DecodeMip(
                {static_cast<TPixelFormat>(*Desc.Format), Desc.Width, Desc.Height, *Desc.Pixels,
                 testing::DefaultPaletteColours()},
                AlphaRuleFor(static_cast<TPixelFormat>(*Desc.Format), Desc.Masked.value_or(false),
                             Desc.AlphaTexture.value_or(false),
                             Opaque ? TAlphaMode::Opaque : TAlphaMode::Engine));
            EXPECT_EQ(File.Rgba, Expected.Pixels);
        }
    }
    // P8 masked: colour 0 of the noise is rare; the alpha rule itself is the
    // decoder's. --opaque makes every pixel opaque.
    ASSERT_EQ(Run({"export", "--format=png", "--opaque", "--out", Temp.File("opaque"), Package}),
              ExitOk);
    for (const char* Name : {"Bgra", "Dxt5"}) {
        const testing::TImageFile File =
            testing::ReadImageFile(Temp.File("opaque") + "/Formats/G/" + Name + ".PNG");
        EXPECT_EQ(File.Components, 3) << Name;
    }
}

// Packages are found by their signature at any depth: a folder's files in
// name order, then its folders.
TEST_F(DecodedExport, FoldersGiveTheirPackagesAtAnyDepthAndNameFilters) {
    const fs::path Textures = Temp.Path() / "Game" / "Textures";
    fs::create_directories(Textures / "Old");
    Write((Textures / "Rocks.utx").string(),
          {{.Name = "RockWall", .Group = "Walls", .Width = 4, .Height = 4},
           {.Name = "Sand", .Group = "Floors", .Width = 4, .Height = 4}});
    Write((Textures / "Boulders.utx").string(), {{.Name = "RockPile", .Width = 2, .Height = 2}});
    Write((Textures / "Old" / "Legacy.dat").string(),
          {{.Name = "rockfloor", .Group = "Floors", .Width = 2, .Height = 2}});
    std::ofstream(Temp.Path() / "Game" / "Readme.utx") << "no package";
    const std::string Game = Temp.File("Game");

    ASSERT_EQ(Run({"list", "--name", "ROCK*", Game}), ExitOk) << Err.str();
    const std::string Listed = Out.str();
    EXPECT_LT(Listed.find("Boulders.utx:"), Listed.find("Rocks.utx:")) << Listed;
    EXPECT_LT(Listed.find("Rocks.utx:"), Listed.find("Legacy.dat:")) << Listed;
    EXPECT_NE(Listed.find("Legacy.dat:"), std::string::npos);
    EXPECT_NE(Listed.find("RockWall"), std::string::npos);
    EXPECT_NE(Listed.find("rockfloor"), std::string::npos);
    EXPECT_EQ(Listed.find("Sand"), std::string::npos);
    EXPECT_NE(Err.str().find("1 file in the folders is no package."), std::string::npos);

    ASSERT_EQ(Run({"list", "--name", "Nothing", Game}), ExitOk);
    EXPECT_EQ(Out.str(), "");
    EXPECT_NE(Err.str().find("No texture matches \"Nothing\"."), std::string::npos);

    ASSERT_EQ(
        Run({"export", "--format", "tga", "--name", "*floor", "--out", Temp.File("out"), Game}),
        ExitOk);
    EXPECT_EQ(FilesUnder("out"), std::set<std::string>{"Legacy/Floors/rockfloor.TGA"});
    EXPECT_NE(Out.str().find("Wrote 1 file"), std::string::npos);
    EXPECT_NE(Out.str().find("1 file in the folders is no package."), std::string::npos);
}

TEST_F(DecodedExport, FoldersAreSearchedWithoutFollowingLinks) {
    const fs::path Root = Temp.Path() / "Root";
    fs::create_directories(Root / "Sub");
    Write((Root / "Sub" / "P.utx").string(), {{.Name = "Only"}});
    try {
        fs::create_directory_symlink(Root, Root / "Sub" / "Loop");
        fs::create_symlink(Root / "Sub" / "P.utx", Root / "Link.utx");
    } catch (const fs::filesystem_error& Error) {
        GTEST_SKIP() << "no symbolic links here: " << Error.what();
    }
    ASSERT_EQ(Run({"list", Root.string()}), ExitOk) << Err.str();
    EXPECT_EQ(CountLines(Out.str(), "Only"), 1) << Out.str(); // one package, listed once
    EXPECT_EQ(Err.str(), "");
}

TEST(OrderedJobs, DeliverInSubmissionOrderWithABoundedNumberUnderWay) {
    TThreadPool Pool(4);
    std::vector<int> Delivered;
    std::atomic<int> UnderWay = 0, MostUnderWay = 0;
    TOrderedJobs<int> Jobs(Pool, [&](int& Result) { Delivered.push_back(Result); });
    for (int Index = 0; Index < 40; ++Index)
        Jobs.Submit([&, Index] {
            const int Now = ++UnderWay;
            for (int Seen = MostUnderWay;
                 Now > Seen && !MostUnderWay.compare_exchange_weak(Seen, Now);)
                ;
            // Early jobs take longest, so later ones finish first.
            std::this_thread::sleep_for(std::chrono::microseconds((40 - Index) * 50));
            --UnderWay;
            return Index;
        });
    Jobs.Finish();
    ASSERT_EQ(Delivered.size(), 40u);
    for (int Index = 0; Index < 40; ++Index)
        EXPECT_EQ(Delivered[static_cast<std::size_t>(Index)], Index);
    EXPECT_LE(MostUnderWay, 8);
}

} // namespace
} // namespace swatchbox::cli
