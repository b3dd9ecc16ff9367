// Packages made by others with other tools: every one must parse, with the
// texture counts and formats it is known to hold, and every texture-like
// export (procedural ones with empty mip maps included) must decode and
// export without harm.
#include "export/ExportAsIs.h"
#include "package/AsciiCase.h"
#include "package/TextureObject.h"
#include "tests/support/RecordingReporter.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace swatchbox::testing {
namespace {

struct TKnownPackage {
    const char* File;
    int Version;
    // Texture exports of class Texture by format, a second, compressed picture after a "+".
    std::map<std::string, int> Formats;
};

const TKnownPackage KnownPackages[] = {
    {"XC_Orb.utx", 69, {}},
    {"BuildingGraphics.utx", 69, {{"P8", 6}}},
    {"Species104.u", 68, {{"P8", 30}}},
    {"UTRPGTextures.utx", 121, {{"DXT1", 7}, {"DXT3", 1}, {"DXT5", 1}}},
    {"RPGTextures.utx", 128, {{"RGBA8", 1}}},
    {"MinPicksT.utx", 126, {{"DXT5", 1}}},
    {"SH22_Tex.utx", 126, {{"DXT5", 1}}},
    {"CountryFlagsUT2K4.utx", 128, {{"P8", 135}, {"DXT1", 36}}},
    {"TextureBTimes.utx", 128, {{"DXT5", 3}, {"DXT3", 1}, {"DXT1", 1}}},
    {"UT3VH_Nemesis.utx", 128, {{"DXT1", 6}}},
    {"EXtreme.utx", 83, {{"P8", 1}}},
    {"GenIn.utx", 69, {{"P8 +DXT1", 3}}},
    {"doors_knobs.utx", 129, {{"DXT1", 11}, {"DXT5N", 8}}},
    {"gui_tex3.utx", 129, {{"RGBA8", 4}, {"DXT5", 1}}},
    {"HOVguiTex.utx", 129, {{"DXT1", 30}}},
    {"ChatIcons.utx", 128, {{"P8", 18}}},
    {"ServerAchievements.utx", 128, {{"RGBA8", 1}, {"DXT5", 1}}},
    {"KFMutators.u.uz2", 128, {}},
    {"EXtreme.utx.uz", 83, {{"P8", 1}}},
    {"Pledge.utx", 123, {{"DXT3", 12}}},
    {"DropItemsTex2.utx", 132, {{"DXT3", 5}, {"DXT1", 2}}},
};

class RealPackages : public ::testing::TestWithParam<TKnownPackage> {};

TEST_P(RealPackages, HoldTheirKnownTexturesAndExportEveryTextureLikeExportWithoutHarm) {
    if (RealPackagesDir().empty())
        GTEST_SKIP() << "no real packages at " << SWATCHBOX_REALPKGS_DIR;
    const std::string Path = RealPackagesDir() + "/" + GetParam().File;
    TRecordingReporter Reporter;
    ASSERT_TRUE(TUnrealPackage::IsPackageFile(Path));
    TUnrealPackage Package(Path, Reporter);
    EXPECT_EQ(Package.PackageVersion, GetParam().Version);
    TTempDir Out;
    std::map<std::string, int> Formats;
    int Textures = 0, Written = 0;
    for (int32_t Index = 0; Index < static_cast<int32_t>(Package.Exports.size()); ++Index) {
        const std::string Class = AsciiUpper(Package.Exports[std::size_t(Index)].GetClassName());
        if (!Class.ends_with("TEXTURE"))
            continue;
        TTextureObject Texture(Package, Index);
        if (Class == "TEXTURE") {
            std::string Format(GetFormatName(Texture));
            if (Texture.Comp) {
                Format += " +" + std::string(GetFormatName(Texture.Comp->Format));
                EXPECT_LE(Texture.Comp->MipDataPosition + int64_t{Texture.Comp->MipDataSize},
                          Package.FileSize);
            }
            ++Formats[Format];
            ++Textures;
            EXPECT_FALSE(Texture.IsIgnored()) << Texture.Name;
            EXPECT_GT(Texture.USize, 0) << Texture.Name;
            EXPECT_GE(Texture.MipDataSize,
                      MipByteSize(Texture.Format, Texture.USize, Texture.VSize))
                << Texture.Name;
            EXPECT_TRUE(Texture.PixelDataInFile(Package.FileSize)) << Texture.Name;
        }
        if (Texture.IsIgnored())
            continue;
        const bool Exported = ExportAsIs(Texture, Out.File(std::to_string(Index)), Reporter);
        // An empty mip map (procedural textures) must be refused, never filled
        // with bytes that belong to something else.
        EXPECT_TRUE(Texture.MipDataSize > 0 || !Exported) << Texture.Name;
        Written += Exported;
    }
    EXPECT_EQ(Formats, GetParam().Formats);
    EXPECT_EQ(Written, Textures);
}

INSTANTIATE_TEST_SUITE_P(Known, RealPackages, ::testing::ValuesIn(KnownPackages),
                         [](const auto& Info) {
                             std::string Name = Info.param.File;
                             std::replace(Name.begin(), Name.end(), '.', '_');
                             return Name;
                         });

} // namespace
} // namespace swatchbox::testing
