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

#include <cctype>
#include <map>

namespace swatchbox::testing {
namespace {

struct TKnownPackage {
    const char* File;
    int Version;
    std::map<std::string, int> Formats; // texture exports of class Texture by format
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
};

bool EndsWithTexture(const std::string& ClassName) {
    const std::string Upper = AsciiUpper(ClassName);
    return Upper.size() >= 7 && Upper.compare(Upper.size() - 7, 7, "TEXTURE") == 0;
}

class RealPackages : public ::testing::TestWithParam<TKnownPackage> {
protected:
    void SetUp() override {
        if (RealPackagesDir().empty())
            GTEST_SKIP() << "no real packages at " << SWATCHBOX_REALPKGS_DIR;
    }
    std::string PathOf(const char* File) const { return RealPackagesDir() + "/" + File; }
};

TEST_P(RealPackages, HoldTheirKnownTexturesWithPixelsInsideTheFile) {
    const TKnownPackage& Known = GetParam();
    TRecordingReporter Reporter;
    ASSERT_TRUE(TUnrealPackage::IsPackageFile(PathOf(Known.File)));
    TUnrealPackage Package(PathOf(Known.File), Reporter);
    EXPECT_EQ(Package.PackageVersion, Known.Version);
    std::map<std::string, int> Formats;
    for (int32_t Index = 0; Index < static_cast<int32_t>(Package.Exports.size()); ++Index) {
        if (AsciiUpper(Package.Exports[static_cast<std::size_t>(Index)].GetClassName()) !=
            "TEXTURE")
            continue;
        TTextureObject Texture(Package, Index);
        ++Formats[std::string(GetFormatName(Texture))];
        EXPECT_FALSE(Texture.IsIgnored()) << Texture.Name;
        EXPECT_GT(Texture.USize, 0) << Texture.Name;
        EXPECT_GT(Texture.VSize, 0) << Texture.Name;
        EXPECT_GE(Texture.MipDataSize, MipByteSize(Texture.Format, Texture.USize, Texture.VSize))
            << Texture.Name;
        EXPECT_TRUE(Texture.PixelDataInFile(Package.FileSize)) << Texture.Name;
        EXPECT_FALSE(Texture.Group.empty());
    }
    EXPECT_EQ(Formats, Known.Formats);
    EXPECT_TRUE(Reporter.Messages.empty());
}

TEST_P(RealPackages, DecodeAndExportEveryTextureLikeExportWithoutHarm) {
    TRecordingReporter Reporter;
    TUnrealPackage Package(PathOf(GetParam().File), Reporter);
    TTempDir Out;
    int Written = 0;
    for (int32_t Index = 0; Index < static_cast<int32_t>(Package.Exports.size()); ++Index) {
        if (!EndsWithTexture(Package.Exports[static_cast<std::size_t>(Index)].GetClassName()))
            continue;
        TTextureObject Texture(Package, Index);
        if (Texture.IsIgnored())
            continue;
        const std::string Number = std::to_string(Index);
        const bool Exported = ExportAsIs(Texture, Out.File("t" + Number), Reporter);
        // An empty mip map (procedural textures) must be refused, never filled
        // with bytes that belong to something else.
        if (Texture.MipDataSize == 0) {
            EXPECT_FALSE(Exported) << Texture.Name;
        }
        Written += Exported;
    }
    EXPECT_EQ(Written, [&] {
        int Count = 0;
        for (const auto& [Format, Number] : GetParam().Formats)
            Count += Number;
        return Count;
    }());
}

INSTANTIATE_TEST_SUITE_P(Known, RealPackages, ::testing::ValuesIn(KnownPackages),
                         [](const auto& Info) {
                             std::string Name = Info.param.File;
                             for (char& C : Name)
                                 if (!std::isalnum(static_cast<unsigned char>(C)))
                                     C = '_';
                             return Name;
                         });

} // namespace
} // namespace swatchbox::testing
