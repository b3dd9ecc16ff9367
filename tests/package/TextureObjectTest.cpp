// Texture exports decoded into texture objects: properties, palette, group,
// mip-map header per version, the upload hand-over and the format names.
#include "package/Errors.h"
#include "tests/package/PackageFile.h"

#include <gtest/gtest.h>

namespace swatchbox::testing {
namespace {

std::string ImportedPaletteWarning(const std::string& Name) {
    return "Problem while reading texture object!\r\n\r\nTexture \"" + Name +
           "\" needs an imported palette.\r\nImported palettes are not supported!\r\n"
           "Texture will be ignored.";
}

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

TEST_F(TextureDecoding, TakesPropertiesAndHandsExactlyThemToTheUpload) {
    const int32_t Palette = Builder.AddPalette("Pal");
    const int32_t Reference = Builder.AddTexture({.Name = "Brick",
                                                  .Group = "Walls",
                                                  .Width = 32,
                                                  .Height = 8,
                                                  .Masked = true,
                                                  .AlphaTexture = true,
                                                  .Palette = Palette});
    Open();
    const auto Texture = Decode(Reference);
    EXPECT_EQ(Texture->Name, "Brick");
    EXPECT_EQ(Texture->Group, "Walls");
    EXPECT_EQ(Texture->ExportIndex, Reference - 1);
    EXPECT_EQ(Texture->USize, 32);
    EXPECT_EQ(Texture->VSize, 8);
    EXPECT_EQ(Texture->Format, pfP8);
    EXPECT_TRUE(Texture->bMasked);
    EXPECT_TRUE(Texture->bAlphaTexture);
    EXPECT_EQ(Texture->PaletteExport, Palette - 1);
    EXPECT_EQ(Texture->PalettePosition, File->Built.PalettePosition(Palette));
    EXPECT_EQ(Texture->MipDataPosition, File->Built.MipDataPosition(Reference));
    EXPECT_EQ(Texture->MipDataSize, 32 * 8);
    EXPECT_FALSE(Texture->IsIgnored());
    EXPECT_TRUE(Texture->PixelDataInFile(File->Package->FileSize));

    ASSERT_EQ(File->Uploads.size(), 1u);
    const TUploadRequest& Request = File->Uploads[0].Request;
    EXPECT_EQ(Request.Width, 32);
    EXPECT_EQ(Request.Height, 8);
    EXPECT_EQ(Request.DataPosition, Texture->MipDataPosition);
    EXPECT_EQ(Request.PalettePosition, Texture->PalettePosition);
    EXPECT_EQ(Request.Format, pfP8);
    EXPECT_TRUE(Request.UploadNow);
    EXPECT_TRUE(File->Uploads[0].StreamInstalled);
    EXPECT_EQ(File->Uploads[0].StreamSize, static_cast<int64_t>(File->Built.Bytes.size()));
    EXPECT_NE(Texture->GLTexture, nullptr);
    EXPECT_EQ(File->Package->Stream, nullptr);
    EXPECT_TRUE(File->Reporter.Messages.empty());
}

TEST_F(TextureDecoding, WithoutFormatIsP8AndLooksUpItsPalette) {
    const int32_t Palette = Builder.AddPalette("Pal");
    const int32_t Reference = Builder.AddTexture({.Format = std::nullopt, .Palette = Palette});
    Open();
    const auto Texture = Decode(Reference);
    EXPECT_EQ(Texture->Format, pfP8);
    EXPECT_EQ(Texture->PalettePosition, File->Built.PalettePosition(Palette));
}

TEST_F(TextureDecoding, CompressedWithAPalettePropertySkipsThePalette) {
    const int32_t Palette = Builder.AddPalette("Pal");
    const int32_t Reference = Builder.AddTexture({.Format = pfDXT1, .Palette = Palette});
    Open();
    const auto Texture = Decode(Reference);
    EXPECT_EQ(Texture->PaletteExport, 0);
    EXPECT_EQ(Texture->PalettePosition, 0);
    EXPECT_EQ(Texture->MipDataSize, 16 * 16 / 2);
    EXPECT_EQ(File->Uploads.size(), 1u);
}

TEST_F(TextureDecoding, PaletteReference6IsExport5AfterItsTwoIndices) {
    for (const char* Group : {"A", "B", "C", "D", "E"})
        Builder.AddGroup(Group);
    // 300 colours make the colour count a two-byte index.
    const int32_t Palette = Builder.AddPalette("Pal", DefaultPaletteColours(), 0, 300);
    ASSERT_EQ(Palette, 6);
    const int32_t Reference = Builder.AddTexture({.Palette = Palette});
    Open();
    const auto Texture = Decode(Reference);
    EXPECT_EQ(Texture->PaletteExport, 5);
    EXPECT_EQ(Texture->PalettePosition, File->Built.PalettePosition(Palette));
    EXPECT_EQ(Texture->PalettePosition, File->Package->Exports[5].SerialOffset + 1 + 2);
}

TEST_F(TextureDecoding, P8WithoutPaletteKeepsZeroesAndIsUploaded) {
    const int32_t Reference = Builder.AddTexture({});
    Open();
    const auto Texture = Decode(Reference);
    EXPECT_EQ(Texture->PaletteExport, 0);
    EXPECT_EQ(Texture->PalettePosition, 0);
    EXPECT_EQ(Texture->Group, "(None)");
    EXPECT_FALSE(Texture->bMasked);
    EXPECT_FALSE(Texture->bAlphaTexture);
    EXPECT_EQ(File->Uploads.size(), 1u);
}

TEST_F(TextureDecoding, TakesBooleansFromBit7OfTheirInfoByte) {
    const int32_t Off = Builder.AddTexture({.Name = "Off", .Masked = false, .AlphaTexture = false});
    // An Integer tag of that name with an array index has bit 7 set too.
    const int32_t Odd = Builder.AddTexture({.Name = "Odd", .AfterProperties = [](auto& Tags) {
                                                Tags.Int("bMasked", 0, {.ArrayIndex = 0});
                                            }});
    Open();
    EXPECT_FALSE(Decode(Off)->bMasked);
    EXPECT_FALSE(Decode(Off)->bAlphaTexture);
    EXPECT_TRUE(Decode(Odd)->bMasked);
}

class ImportedPalette : public TextureDecoding, public ::testing::WithParamInterface<int32_t> {};

TEST_P(ImportedPalette, WarnsNamingTheTextureAndIgnoresIt) {
    const int32_t Reference = Builder.AddTexture({.Name = "Lava", .Palette = GetParam()});
    Open();
    const auto Texture = Decode(Reference);
    ASSERT_EQ(File->Reporter.Messages.size(), 1u);
    EXPECT_EQ(File->Reporter.Messages[0].Kind, TMessageKind::Warning);
    EXPECT_EQ(File->Reporter.Messages[0].Caption, "Warning");
    EXPECT_EQ(File->Reporter.Messages[0].Text, ImportedPaletteWarning("Lava"));
    EXPECT_LT(Texture->PaletteExport, 0);
    EXPECT_TRUE(Texture->IsIgnored());
    EXPECT_EQ(Texture->MipCount, 0); // the mip-map header is not read
    EXPECT_EQ(Texture->MipDataPosition, 0);
    EXPECT_EQ(Texture->USize, 16); // the properties are kept
    EXPECT_TRUE(File->Uploads.empty());
    EXPECT_EQ(Texture->GLTexture, nullptr);
}

// 00 is no object, 81 the first import.
INSTANTIATE_TEST_SUITE_P(NoObjectOrImport, ImportedPalette, ::testing::Values(0, -1));

class MipHeader : public ::testing::TestWithParam<int16_t> {};

TEST_P(MipHeader, FollowsTheVersion) {
    TPackageBuilder Builder(GetParam());
    // A byte that a reader which failed to skip it would take for a two-byte index.
    const int32_t Reference = Builder.AddTexture({.Format = pfRGBA8,
                                                  .Width = 8,
                                                  .Height = 4,
                                                  .Version110Byte = 0x7F,
                                                  .MoreMips = {TBytes(32)}});
    TPackageFile File(Builder);
    File.Open();
    const auto Texture = File.Decode(Reference);
    EXPECT_EQ(Texture->MipCount, 2);
    EXPECT_EQ(Texture->MipDataSize, 8 * 4 * 4);
    EXPECT_EQ(Texture->MipDataPosition, File.Built.MipDataPosition(Reference));
    // From 63 on it is the file position after the first mip map's pixels.
    EXPECT_EQ(Texture->MipEndOffset, GetParam() < 63 ? 0 : Texture->MipDataPosition + 128);
    EXPECT_FALSE(Texture->IsIgnored());
}

INSTANTIATE_TEST_SUITE_P(Versions, MipHeader,
                         ::testing::Values<int16_t>(61, 62, 63, 68, 69, 100, 109, 110, 111, 120,
                                                    128));

TEST(FormatName, NamesTheKnownFormatsAndNothingElse) {
    const char* const Names[] = {"P8",        "RGBA7", "RGB16", "DXT1",      "RGB8", "RGBA8",
                                 "(unknown)", "DXT3",  "DXT5",  "(unknown)", "G16",  "(unknown)"};
    for (int Value = 0; Value < 12; ++Value)
        EXPECT_EQ(GetFormatName(static_cast<TPixelFormat>(Value)), Names[Value]) << Value;
    EXPECT_EQ(GetFormatName(static_cast<TPixelFormat>(255)), "(unknown)");
}

// Compressed mips count every 4x4 block they touch, also partly covered ones.
TEST(MipByteSize, CountsWholeBlocksAndBytesPerPixel) {
    const struct {
        TPixelFormat Format;
        int32_t Width, Height;
        int64_t Bytes;
    } Cases[] = {
        {pfDXT1, 1, 1, 8},   {pfDXT1, 2, 2, 8},         {pfDXT1, 6, 8, 32},
        {pfDXT1, 5, 3, 16},  {pfDXT3, 1, 1, 16},        {pfDXT5, 6, 8, 64},
        {pfDXT5, 5, 3, 32},  {pfDXT1, 256, 256, 32768}, {pfP8, 5, 3, 15},
        {pfRGBA8, 5, 3, 60}, {pfG16, 5, 3, 30},         {pfRGB8, 4, 4, 0},
        {pfDXT1, 0, 4, 0},   {pfP8, 4, -1, 0},          {static_cast<TPixelFormat>(13), 4, 4, 0},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(MipByteSize(Case.Format, Case.Width, Case.Height), Case.Bytes)
            << GetFormatName(Case.Format) << " " << Case.Width << "x" << Case.Height;
}

// Packages stripped for dedicated servers keep their textures' properties but
// store no mip map (MipCount 0). Nothing after the count is taken for pixels:
// not bytes that look like a mip map, nor the next export's data.
TEST_F(TextureDecoding, WithoutMipMapsNothingAfterTheCountIsRead) {
    std::vector<int32_t> Stripped;
    for (const uint8_t Format : {pfP8, pfRGBA8, pfG16, pfDXT1, pfDXT3, pfDXT5})
        Stripped.push_back(
            Builder.AddTexture({.Format = Format, .Width = 512, .Height = 512, .Stripped = true}));
    Stripped.push_back(Builder.AddTexture({.Format = pfDXT1, .MipCount = 0}));
    const int32_t Next = Builder.AddTexture({.Name = "Next", .Format = pfDXT5});
    Open();
    for (const int32_t Reference : Stripped) {
        const auto Texture = Decode(Reference);
        EXPECT_FALSE(Texture->IsIgnored()) << Reference;
        EXPECT_FALSE(Texture->HasMipData);
        EXPECT_EQ(Texture->MipDataSize, 0);
        EXPECT_EQ(Texture->MipDataPosition, 0);
        EXPECT_EQ(Texture->GLTexture, nullptr);
    }
    EXPECT_TRUE(File->Uploads.empty());
    EXPECT_TRUE(Decode(Next)->HasMipData);
    EXPECT_EQ(File->Uploads.size(), 1u);
    EXPECT_TRUE(File->Reporter.Messages.empty());
}

// A first mip map too short for the texture's size would hand whoever reads
// the pixels another object's bytes: the texture is an error and ignored.
TEST_F(TextureDecoding, AFirstMipMapTooShortForTheSizeIsAnError) {
    const int32_t Short = Builder.AddTexture(
        {.Name = "Short", .Format = pfDXT5, .Width = 512, .Height = 512, .Pixels = TBytes(26)});
    // Two 4x4 blocks wide: a size rule without the partial blocks would take 16.
    const int32_t Odd = Builder.AddTexture(
        {.Name = "Odd", .Format = pfDXT1, .Width = 6, .Height = 8, .Pixels = TBytes(16)});
    const int32_t Beyond = Builder.AddTexture({.Name = "Beyond",
                                               .Format = pfRGBA8,
                                               .Width = 512,
                                               .Height = 512,
                                               .Pixels = TBytes(64),
                                               .StatedMipSize = 512 * 512 * 4});
    Open();
    for (const int32_t Reference : {Short, Odd, Beyond}) {
        const auto Texture = Decode(Reference);
        EXPECT_TRUE(Texture->IsIgnored());
        EXPECT_FALSE(Texture->HasMipData);
    }
    EXPECT_TRUE(File->Uploads.empty());
    const std::string Error = std::string(TextureReadError) + "\r\n\r\nTexture ";
    EXPECT_EQ(File->Texts(),
              (std::vector<std::string>{
                  Error + "\"Short\" stores 26 bytes for its first mip map where its size needs "
                          "262144.",
                  Error + "\"Odd\" stores 16 bytes for its first mip map where its size needs 32.",
                  Error + "\"Beyond\" has its first mip map beyond the end of the file."}));
}

TEST_F(TextureDecoding, KeepsAnUnknownFormatAndStillUploadsIt) {
    const int32_t Reference = Builder.AddTexture({.Format = 9});
    Open();
    const auto Texture = Decode(Reference);
    EXPECT_EQ(Texture->Format, 9);
    EXPECT_EQ(GetFormatName(*Texture), "(unknown)");
    ASSERT_EQ(File->Uploads.size(), 1u);
    EXPECT_EQ(File->Uploads[0].Request.Format, 9);
}

TEST_F(TextureDecoding, WithoutUploaderDecodesOnly) {
    const int32_t Reference = Builder.AddTexture({});
    TUnrealPackage& Package = Open();
    const TTextureObject Texture(Package, Reference - 1);
    EXPECT_FALSE(Texture.IsIgnored());
    EXPECT_EQ(Texture.GLTexture, nullptr);
    EXPECT_THROW((TTextureObject{Package, Reference}), EReferenceOutOfRange);
}

} // namespace
} // namespace swatchbox::testing
