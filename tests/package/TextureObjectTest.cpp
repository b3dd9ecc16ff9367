// Texture exports decoded into texture objects: properties, palette, group,
// the mip-map header per version, the upload hand-over, and first mip maps
// that are missing or too short; and the one walk over a package's texture
// exports, which visits them and, at one it can't read, goes on or stops as
// its caller chooses.
#include "package/Errors.h"
#include "package/TextureWalk.h"
#include "tests/package/PackageFile.h"

#include <gtest/gtest.h>

namespace swatchbox::testing {
namespace {

class TextureDecoding : public ::testing::Test {
protected:
    TUnrealPackage& Open() {
        File.emplace(Builder);
        return File->Open();
    }
    std::unique_ptr<TTextureObject> Decode(int32_t Reference) { return File->Decode(Reference); }

    TPackageBuilder Builder{69};
    std::optional<TPackageFile> File;
};

// Properties, palette and group reach the texture and exactly them the upload.
// Only P8 textures look up their palette; a texture without a Format
// property is P8, one without a palette property keeps none. A value too
// short for what is taken from it counts as missing.
TEST_F(TextureDecoding, TakesItsPropertiesAndHandsExactlyThemToTheUpload) {
    // Five groups before the palette make its reference 6, export 5; 300
    // colours make its colour count a two-byte index.
    for (const char* Group : {"A", "B", "C", "D", "E"})
        Builder.AddGroup(Group);
    const int32_t Palette = Builder.AddPalette("Pal", DefaultPaletteColours(), 0, 300);
    const int32_t Brick = Builder.AddTexture({.Name = "Brick",
                                              .Group = "Walls",
                                              .Width = 32,
                                              .Height = 8,
                                              .Masked = true,
                                              .AlphaTexture = true,
                                              .Palette = Palette});
    const int32_t Others[] = {Builder.AddTexture({.Format = std::nullopt, .Palette = Palette}),
                              Builder.AddTexture({.Format = pfDXT1, .Palette = Palette}),
                              Builder.AddTexture({.Masked = false, .AlphaTexture = false}),
                              Builder.AddTexture({.Format = 9})};
    const int32_t Short = Builder.AddTexture(
        {.Format = std::nullopt, .WriteUSize = false, .BeforeProperties = [](auto& Tags) {
             Tags.Tag("Format", TTagType::Byte, {}, {.SizeCode = 5})
                 .Tag("USize", TTagType::Integer, TBytes{0x10, 0x00})
                 .Tag("Palette", TTagType::Object, TBytes{0x40}); // an index cut short
         }});
    Open();
    const auto Texture = Decode(Brick);
    EXPECT_EQ(std::tie(Texture->Name, Texture->Group, Texture->PaletteExport, Texture->MipDataSize),
              std::tuple("Brick", "Walls", 5, 32 * 8));
    EXPECT_TRUE(Texture->bMasked && Texture->bAlphaTexture);
    ASSERT_EQ(File->Uploads.size(), 1u);
    const auto& [Request, StreamInstalled] = File->Uploads[0];
    EXPECT_EQ(std::tie(Request.Width, Request.Height, Request.DataPosition, Request.PalettePosition,
                       Request.Format),
              std::tuple(32, 8, File->Built.MipDataPosition(Brick),
                         File->Built.PalettePosition(Palette), pfP8));
    EXPECT_TRUE(StreamInstalled && Texture->GLTexture);
    EXPECT_EQ(File->Package->Stream, nullptr);
    EXPECT_THROW((TTextureObject{*File->Package, 1000}), EReferenceOutOfRange);

    const int32_t Positions[] = {File->Built.PalettePosition(Palette), 0, 0, 0};
    for (std::size_t Index = 0; Index < std::size(Others); ++Index) {
        const auto Other = Decode(Others[Index]);
        EXPECT_EQ(std::tie(Other->PalettePosition, Other->Group),
                  std::tuple(Positions[Index], "(None)"));
        EXPECT_FALSE(Other->bMasked || Other->bAlphaTexture);
    }
    // A format without a reader here is kept and still uploaded.
    ASSERT_EQ(File->Uploads.size(), 5u);
    EXPECT_EQ(File->Uploads[4].first.Format, pfBC4S); // 9 below version 100
    const auto ShortValues = Decode(Short);
    EXPECT_EQ(std::tie(ShortValues->Format, ShortValues->USize, ShortValues->VSize,
                       ShortValues->PalettePosition),
              std::tuple(pfP8, 0, 16, 0));
    EXPECT_FALSE(ShortValues->IsIgnored());
    EXPECT_TRUE(File->Reporter.Messages.empty());
}

// A texture whose palette reference is no export holding colours is ignored
// with a warning that names it, before its mip-map header is read; one whose
// first mip map is too short for its size would hand whoever reads the pixels
// another object's bytes, and is an error.
TEST_F(TextureDecoding, WithoutAPaletteOrItsPixelsItIsIgnoredWithAMessageNamingIt) {
    const int32_t Empty = Builder.AddPalette("Empty");
    Builder.Export(Empty).SerialSize = 0;
    const auto Warning = [](const std::string& Problem) {
        return "Problem while reading texture object!\r\n\r\nTexture \"Lava\" " + Problem +
               "\r\nTexture will be ignored.";
    };
    const auto Error = [](const std::string& Problem) {
        return std::string(TextureReadError) + "\r\n\r\nTexture \"Lava\" " + Problem;
    };
    const std::string Imported =
        "needs an imported palette.\r\nImported palettes are not supported!";
    const std::pair<TTextureDesc, std::string> Cases[] = {
        {{.Palette = 0}, Warning(Imported)},
        {{.Palette = -1}, Warning(Imported)},
        {{.Palette = 1000}, Warning("refers to a palette that is not in the package.")},
        {{.Palette = Empty}, Warning("refers to a palette that holds no colours.")},
        {{.Format = pfDXT5, .Width = 512, .Height = 512, .Pixels = TBytes(26)},
         Error("stores 26 bytes for its first mip map where its size needs 262144.")},
        // Two 4x4 blocks wide: a size rule without the partial blocks would take 16.
        {{.Format = pfDXT1, .Width = 6, .Height = 8, .Pixels = TBytes(16)},
         Error("stores 16 bytes for its first mip map where its size needs 32.")},
        {{.Format = pfRGBA8,
          .Width = 512,
          .Height = 512,
          .Pixels = TBytes(64),
          .StatedMipSize = 512 * 512 * 4},
         Error("has its first mip map beyond the end of the file.")}};
    std::vector<int32_t> References;
    for (auto [Desc, Message] : Cases) {
        Desc.Name = "Lava";
        References.push_back(Builder.AddTexture(Desc));
    }
    Open();
    for (std::size_t Index = 0; Index < std::size(Cases); ++Index) {
        File->Reporter.Messages.clear();
        const auto Texture = Decode(References[Index]);
        EXPECT_EQ(File->Texts(), std::vector<std::string>{Cases[Index].second});
        const bool Palette = Index < 4;
        EXPECT_EQ(File->Reporter.Messages.at(0).Kind,
                  Palette ? TMessageKind::Warning : TMessageKind::Error);
        EXPECT_TRUE(Texture->IsIgnored() && !Texture->HasMipData);
        EXPECT_EQ(Texture->MipCount, Palette ? 0 : 1);
    }
    EXPECT_TRUE(File->Uploads.empty());
}

// The mip-map header between the properties and the pixels: from 63 on
// MipEndOffset, at exactly 110 one more byte; Vengeance builds put an object
// header before every object's properties (groups, palettes, textures) and,
// from licensee 26 on, before each mip map, with a lazy array to skip after
// sub-version 1.
TEST(MipHeader, FollowsThePackageVersionAndEngineBuild) {
    // Version, licensee, the mip header's sub-version.
    const std::tuple<int16_t, uint16_t, int32_t> Cases[] = {
        {61, 0, 1},   {62, 0, 1},   {63, 0, 1},   {68, 0, 1},   {100, 0, 1},
        {109, 0, 1},  {110, 0, 1},  {111, 0, 1},  {128, 0, 1},  {129, 25, 1},
        {129, 26, 0}, {129, 27, 1}, {130, 27, 2}, {126, 20, 1}, {123, 3, 1}};
    for (const auto& [Version, Licensee, MipSubVersion] : Cases) {
        SCOPED_TRACE(::testing::Message() << Version << "/" << Licensee);
        TPackageBuilder Builder(Version, Licensee);
        Builder.MipSubVersion = MipSubVersion;
        const int32_t Palette = Builder.AddPalette("Pal");
        // A byte that a reader which failed to skip it would take for a
        // two-byte index.
        const int32_t Reference = Builder.AddTexture({.Group = "Walls",
                                                      .Width = 8,
                                                      .Height = 4,
                                                      .Palette = Palette,
                                                      .Version110Byte = 0x7F,
                                                      .MoreMips = {TBytes(8)}});
        TPackageFile File(Builder);
        File.Open();
        const auto Texture = File.Decode(Reference);
        // MipEndOffset: the file position after the first mip map's pixels.
        const int32_t Pixels = File.Built.MipDataPosition(Reference);
        EXPECT_EQ(std::tie(Texture->MipCount, Texture->MipDataSize, Texture->MipDataPosition,
                           Texture->PalettePosition, Texture->MipEndOffset),
                  std::tuple(2, 8 * 4, Pixels, File.Built.PalettePosition(Palette),
                             Version < 63 ? 0 : Pixels + 32));
        EXPECT_FALSE(Texture->IsIgnored());
    }
}

// Each engine build's "Format" numbers, by the names that the list and JSON
// output show and scripts match on, and the headers it writes (the package
// builder asks the same family, so only this can tell). Unreal 1 builds
// number the block formats their community patches added from 6 on;
// Vengeance adds its normal maps after L8, G16 and RRRGGGBBB, puts a header
// before each object from licensee 25 on and before each mip map from 26 on;
// Lineage II stores material data from version 123 on.
TEST(EngineFamily, NumbersFormatsAndWritesHeadersAsEachBuildDid) {
    const std::vector<std::string> Unreal = {"P8",    "RGBA7", "RGB16", "DXT1",  "RGB8",
                                             "RGBA8", "DXT3",  "DXT5",  "BC4",   "BC4S",
                                             "BC5",   "BC5S",  "BC7",   "BC6HS", "BC6H"};
    const std::vector<std::string> UE2 = {"P8",   "RGBA7", "RGB16",     "DXT1",
                                          "RGB8", "RGBA8", "(unknown)", "DXT3",
                                          "DXT5", "L8",    "G16",       "RRRGGGBBB"};
    std::vector<std::string> Vengeance = UE2;
    Vengeance.insert(Vengeance.end(), {"CxV8U8", "DXT5N", "BC5"});
    // Version, licensee, whether Lineage II wraps it, the format names by number
    // from 0 on (all later ones unknown), object header, mip header, material data.
    const std::tuple<int16_t, uint16_t, bool, const std::vector<std::string>&, bool, bool, bool>
        Cases[] = {{69, 0, false, Unreal, false, false, false},
                   {128, 29, false, UE2, false, false, false},
                   {129, 27, false, Vengeance, true, true, false},
                   {129, 25, false, Vengeance, true, false, false},
                   {129, 22, false, UE2, false, false, false},
                   {123, 0, true, UE2, false, false, true},
                   {122, 0, true, UE2, false, false, false}};
    for (const auto& [Version, Licensee, Lineage, Names, Object, Mip, Material] : Cases) {
        SCOPED_TRACE(::testing::Message() << Version << "/" << Licensee);
        const TEngineFamily Family = FindEngineFamily(PackageSignature, Version, Licensee, Lineage);
        EXPECT_EQ(std::tie(Family.ObjectHeader, Family.MipHeader, Family.MaterialExtras),
                  std::tie(Object, Mip, Material));
        for (std::size_t Number = 0; Number < 256; ++Number)
            EXPECT_EQ(GetFormatName(Family.FormatOf(static_cast<uint8_t>(Number))),
                      Number < Names.size() ? Names[Number] : "(unknown)")
                << "number " << Number;
    }
}

// The second, compressed picture of Unreal 1 textures: found after every mip
// of the first array, in the family's numbering; one that runs past its
// object or is too short for its size is an error that leaves the first
// picture readable; from version 84 on bHasComp means nothing.
TEST(CompressedPicture, FollowsTheFirstMipArrayInsideTheObject) {
    const std::string Error = std::string(TextureReadError) + "\r\n\r\nTexture \"Rock\" ";
    // Version, the second picture written, its format as read (pfUnknown: none)
    // and the message.
    const std::tuple<int16_t, std::optional<TCompDesc>, TPixelFormat, std::string> Cases[] = {
        {69, TCompDesc{.Width = 32, .Height = 64, .MoreMips = {TBytes(256)}}, pfDXT1, ""},
        {61, TCompDesc{.Format = pfDXT5}, pfDXT5, ""},
        {69, TCompDesc{.StatedMipSize = 200}, pfUnknown,
         Error + "has a compressed picture that runs past the end of its object; the picture "
                 "is left out."},
        {69, TCompDesc{.Pixels = TBytes(8)}, pfUnknown,
         Error + "stores 8 bytes for its compressed picture where its size needs 128; the "
                 "picture is left out."},
        {84, TCompDesc{}, pfUnknown, ""},
        {69, std::nullopt, pfUnknown, ""}};
    for (const auto& [Version, Written, Format, Message] : Cases) {
        SCOPED_TRACE(::testing::Message() << Version << " " << Message);
        TPackageBuilder Builder(Version);
        const int32_t Rock =
            Builder.AddTexture({.Name = "Rock", .MoreMips = {TBytes(64)}, .Comp = Written});
        Builder.AddTexture({.Name = "Next"});
        TPackageFile File(Builder);
        File.Open();
        const auto Texture = File.Decode(Rock);
        EXPECT_EQ(File.Texts(),
                  Message.empty() ? std::vector<std::string>{} : std::vector<std::string>{Message});
        EXPECT_TRUE(Texture->HasMipData && !Texture->IsIgnored());
        EXPECT_EQ(File.Uploads.size(), 1u);
        ASSERT_EQ(Texture->Comp.has_value(), Format != pfUnknown);
        if (!Texture->Comp)
            continue;
        const auto& Comp = *Texture->Comp;
        EXPECT_EQ(
            std::tie(Comp.Format, Comp.USize, Comp.VSize, Comp.MipDataSize, Comp.MipDataPosition),
            std::tuple(Format, Written->Width, Written->Height,
                       MipByteSize(Format, Written->Width, Written->Height),
                       File.Built.CompMipDataPosition(Rock)));
    }
}

TEST(TextureWalk, VisitsTexturesInOrderAndSkipsOrStopsAtAnUnreadableExport) {
    TPackageBuilder Builder;
    Builder.AddTexture({.Name = "First"});
    const int32_t Bad = Builder.AddTexture({.Name = "Bad"});
    Builder.Export(Bad).Class = -1000; // a class reference outside the tables
    Builder.AddTexture({.Name = "Shiny", .ClassName = "Shader"});
    Builder.AddTexture({.Name = "Last", .ClassName = "TEXTURE"});
    TPackageFile File(Builder);
    TUnrealPackage& Package = File.Open();

    std::vector<std::string> Visited;
    std::vector<int32_t> Failed;
    std::vector<std::size_t> Counts;
    TTextureWalk Walk;
    Walk.Errors = TWalkErrors::Skip;
    Walk.OnTexture = [&](int32_t, std::size_t, std::size_t Count) { Counts.push_back(Count); };
    Walk.OnError = [&](int32_t Index, const std::exception&) { Failed.push_back(Index); };
    const auto Visit = [&](auto Texture) { Visited.push_back(Texture->Name); };
    Walk.Run(Package, Visit);
    EXPECT_EQ(Visited, (std::vector<std::string>{"First", "Last"}));
    EXPECT_EQ(Failed, (std::vector<int32_t>{Bad - 1}));
    EXPECT_EQ(Counts, (std::vector<std::size_t>{2, 2}));

    Visited.clear();
    Walk.Errors = TWalkErrors::Stop;
    EXPECT_THROW(Walk.Run(Package, Visit), EReferenceOutOfRange);
    EXPECT_TRUE(Visited.empty());
    EXPECT_EQ(Package.Stream, nullptr);
}

} // namespace
} // namespace swatchbox::testing
