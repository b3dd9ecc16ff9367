// Textures read from built packages and uploaded into the program's OpenGL
// context, read back from OpenGL and compared with what the file holds.
#include "display/GLContext.h"
#include "display/OpenGLTexture.h"
#include "package/Errors.h"
#include "shell/PackageAnalysis.h"
#include "tests/package/PackageFile.h"
#include "tests/win/ProgramFixture.h"
#include "tests/win/ReferencePixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>

namespace swatchbox::testing {
namespace {

// The name OpenGL hands out next. Names come in rising order, so an upload
// that took none leaves the next one just after the previous.
GLuint NextTextureName() {
    GLuint Name = 0;
    glGenTextures(1, &Name);
    return Name;
}

// Blocks of one colour each, red 8 * (b % 32) as 565 stores it and, for DXT3
// and DXT5, alpha 17 * (b % 16), and the pixels they decode to: a block read
// from the wrong place or in the wrong format shows another colour.
TBytes SolidBlocks(TPixelFormat Format, int32_t Width, int32_t Height, std::vector<TBgra>& Pixels) {
    const int32_t BlocksWide = (Width + 3) / 4;
    const auto Red = [](int32_t Block) {
        return static_cast<uint8_t>(Block % 32 * 8 + Block % 32 / 4);
    };
    const auto Alpha = [&](int32_t Block) {
        return static_cast<uint8_t>(Format == pfDXT1 ? 255 : 17 * (Block % 16));
    };
    TBytes Data;
    for (int32_t Block = 0; Block < BlocksWide * ((Height + 3) / 4); ++Block) {
        const uint8_t A = Alpha(Block);
        if (Format == pfDXT3)
            Data.insert(Data.end(), 8, static_cast<uint8_t>(A / 17 * 0x11));
        if (Format == pfDXT5)
            Data.insert(Data.end(), {A, A, 0, 0, 0, 0, 0, 0});
        const auto High = static_cast<uint8_t>(Block % 32 * 8); // red: the top five bits
        Data.insert(Data.end(), {0, High, 0, High, 0, 0, 0, 0});
    }
    Pixels.clear();
    for (int32_t Y = 0; Y < Height; ++Y)
        for (int32_t X = 0; X < Width; ++X)
            Pixels.push_back(
                {0, 0, Red(Y / 4 * BlocksWide + X / 4), Alpha(Y / 4 * BlocksWide + X / 4)});
    return Data;
}

// Index of the first pixel that differs, -1 when none does.
long FirstDifference(const std::vector<TBgra>& Actual, const std::vector<TBgra>& Expected) {
    if (Actual.size() != Expected.size())
        return 0;
    const auto Where = std::mismatch(Actual.begin(), Actual.end(), Expected.begin());
    return Where.first == Actual.end() ? -1 : Where.first - Actual.begin();
}

class TextureUpload : public ::testing::Test {
protected:
    // Writes a package holding the texture (with a palette for P8), reads it
    // and runs the program's upload.
    const TOpenGLTexture* Load(TTextureDesc Desc) {
        Texture.reset();
        TPackageBuilder Builder;
        if (Desc.Format == pfP8)
            Desc.Palette = Builder.AddPalette("Pal");
        const int32_t Reference = Builder.AddTexture(Desc);
        File.emplace(Builder);
        File->Open();
        Texture = std::make_unique<TTextureObject>(*File->Package, Reference - 1, UploadTexture);
        return dynamic_cast<const TOpenGLTexture*>(Texture->GLTexture.get());
    }

    static std::vector<TBgra> ReadBack(const TOpenGLTexture& Image) {
        std::vector<TBgra> Pixels(static_cast<std::size_t>(Image.Width * Image.Height));
        glBindTexture(GL_TEXTURE_2D, Image.TextureID);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA_EXT, GL_UNSIGNED_BYTE, Pixels.data());
        return Pixels;
    }

    TProgramWindow Window;
    std::optional<TPackageFile> File;
    std::unique_ptr<TTextureObject> Texture;
};

TEST_F(TextureUpload, UncompressedPixelsArriveWithTheirColoursAndWithoutAlpha) {
    ASSERT_NE(glCompressedTexImage2DARB, nullptr);
    const TBytes Indices = NoiseBytes(16 * 16, 1);
    const TBytes Palette = DefaultPaletteColours();
    const TBytes Bgra = NoiseBytes(3 * 5 * 4, 2);
    // Grey levels that are whole multiples of 257 read back exactly as bytes;
    // an odd width catches rows padded to four bytes.
    TBytes Grey;
    for (uint8_t Level = 0; Level < 15; ++Level)
        Grey.insert(Grey.end(),
                    {static_cast<uint8_t>(Level * 17), static_cast<uint8_t>(Level * 17)});

    struct TCase {
        TTextureDesc Desc;
        int32_t DataSize;
        std::vector<TBgra> Expected;
    } Cases[] = {
        {{.Format = pfP8, .Width = 16, .Height = 16, .Masked = true, .Pixels = Indices}, 1024, {}},
        {{.Format = pfRGBA8, .Width = 3, .Height = 5, .AlphaTexture = true, .Pixels = Bgra},
         60,
         {}},
        {{.Format = pfG16, .Width = 5, .Height = 3, .Pixels = Grey}, 30, {}},
    };
    for (const uint8_t Index : Indices)
        Cases[0].Expected.push_back(
            {Palette[Index * 4u + 2], Palette[Index * 4u + 1], Palette[Index * 4u], 255});
    for (std::size_t At = 0; At < Bgra.size(); At += 4)
        Cases[1].Expected.push_back({Bgra[At], Bgra[At + 1], Bgra[At + 2], 255});
    for (std::size_t At = 0; At < Grey.size(); At += 2)
        Cases[2].Expected.push_back({Grey[At], Grey[At], Grey[At], 255});

    for (const TCase& Case : Cases) {
        SCOPED_TRACE(GetFormatName(static_cast<TPixelFormat>(*Case.Desc.Format)));
        const TOpenGLTexture* Image = Load(Case.Desc);
        ASSERT_NE(Image, nullptr);
        EXPECT_NE(Image->TextureID, 0u);
        EXPECT_EQ(Image->DataSize, Case.DataSize);
        EXPECT_EQ(FirstDifference(ReadBack(*Image), Case.Expected), -1);
    }
    GLint Alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &Alignment);
    EXPECT_EQ(Alignment, 4);
}

TEST_F(TextureUpload, CompressedBlocksArriveUnchangedWithTheirAlpha) {
    const struct {
        TPixelFormat Format;
        int32_t Width, Height, DataSize;
        GLenum GLFormat;
    } Cases[] = {
        {pfDXT1, 256, 256, 32768, GL_COMPRESSED_RGBA_S3TC_DXT1_EXT},
        {pfDXT3, 16, 8, 128, GL_COMPRESSED_RGBA_S3TC_DXT3_EXT},
        {pfDXT5, 256, 256, 65536, GL_COMPRESSED_RGBA_S3TC_DXT5_EXT},
        // Sizes that are no multiple of 4 still take whole blocks.
        {pfDXT1, 2, 2, 8, GL_COMPRESSED_RGBA_S3TC_DXT1_EXT},
        {pfDXT5, 6, 6, 64, GL_COMPRESSED_RGBA_S3TC_DXT5_EXT},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(std::string(GetFormatName(Case.Format)) + " " + std::to_string(Case.Width) +
                     "x" + std::to_string(Case.Height));
        std::vector<TBgra> Expected;
        const TBytes Data = SolidBlocks(Case.Format, Case.Width, Case.Height, Expected);
        const TOpenGLTexture* Image = Load(
            {.Format = Case.Format, .Width = Case.Width, .Height = Case.Height, .Pixels = Data});
        ASSERT_NE(Image, nullptr);
        EXPECT_EQ(Image->GLFormat, Case.GLFormat);
        EXPECT_EQ(Image->GLType, 0);
        EXPECT_EQ(Image->DataSize, Case.DataSize);
        EXPECT_EQ(FirstDifference(ReadBack(*Image), Expected), -1);
    }
}

TEST_F(TextureUpload, UnsupportedFormatsKeepTheirObjectButMakeNoOpenGLCall) {
    for (const uint8_t Format : {1, 2, 4, 6, 9}) {
        SCOPED_TRACE(int{Format}); // RGBA7, RGB16, RGB8 and two without a name
        const GLuint Before = NextTextureName();
        const TOpenGLTexture* Image = Load({.Format = Format, .Width = 8, .Height = 8});
        ASSERT_NE(Image, nullptr);
        EXPECT_EQ(GetTextureID(*Texture), 0u);
        EXPECT_EQ(Image->GLFormat, 0);
        EXPECT_EQ(NextTextureName(), Before + 1);
    }
}

TEST_F(TextureUpload, PixelsOrPaletteBeyondTheEndOfTheFileLeaveNoTexture) {
    const GLuint Before = NextTextureName();
    // 64 KB asked for, 64 bytes stored.
    EXPECT_EQ(Load({.Format = pfRGBA8, .Width = 128, .Height = 128, .Pixels = NoiseBytes(64, 4)}),
              nullptr);
    EXPECT_EQ(GetTextureID(*Texture), 0u);

    constexpr int32_t Size = 4096;
    const std::string Path = File->Dir.File("Pixels.bin");
    WriteFileBytes(Path, NoiseBytes(Size, 5));
    TFileStream Stream(Path);
    const auto Upload = [&](const TUploadRequest& Request) {
        return UploadTexture(Stream, Request);
    };
    // Indices and palette each ending exactly at the end of the file.
    const auto Fitting = Upload({16, 16, Size - 256, Size - 1024, pfP8, true});
    EXPECT_NE(Fitting, nullptr);
    EXPECT_EQ(Upload({16, 16, Size - 255, 0, pfP8, true}), nullptr);
    EXPECT_EQ(Upload({16, 16, 0, Size - 1023, pfP8, true}), nullptr);
    EXPECT_EQ(Upload({16, 16, 0, -1, pfP8, true}), nullptr);
    EXPECT_EQ(Upload({16, 16, -16, 0, pfRGBA8, true}), nullptr);
    EXPECT_EQ(Upload({8, 8, Size - 31, 0, pfDXT1, true}), nullptr);
    // Byte counts beyond 32 bits are refused before anything is allocated.
    EXPECT_EQ(Upload({INT32_MAX, INT32_MAX, 0, 0, pfRGBA8, true}), nullptr);
    EXPECT_EQ(Upload({65536, 65536, 0, 0, pfDXT5, true}), nullptr);
    // A file that shrinks while read leaves no texture behind.
    std::filesystem::resize_file(Path, 100);
    EXPECT_EQ(Upload({16, 16, 0, 0, pfRGBA8, true}), nullptr);
    EXPECT_THROW(TOpenGLTexture(Stream, 16, 16, 0, 0, pfRGBA8, true), EPackageDamaged);
    EXPECT_EQ(NextTextureName(), Before + 2);
}

// The uploads of one analysis share palettes and buffers: every texture must
// still get its own palette and only its own pixels, also after a larger one.
TEST_F(TextureUpload, TexturesOfOneAnalysisKeepTheirOwnPaletteAndPixels) {
    const TBytes First = DefaultPaletteColours();
    TBytes Second = First;
    std::reverse(Second.begin(), Second.end());
    TPackageBuilder Builder;
    const int32_t FirstPalette = Builder.AddPalette("First", First);
    const int32_t SecondPalette = Builder.AddPalette("Second", Second);
    const struct {
        TTextureDesc Desc;
        const TBytes* Palette;
    } Cases[] = {
        {{.Name = "a", .Format = pfP8, .Width = 16, .Height = 16, .Palette = FirstPalette}, &First},
        {{.Name = "b", .Format = pfP8, .Width = 4, .Height = 4, .Palette = SecondPalette}, &Second},
        {{.Name = "c", .Format = pfP8, .Width = 8, .Height = 4, .Palette = FirstPalette}, &First},
        {{.Name = "d", .Format = pfRGBA8, .Width = 2, .Height = 3}, &First},
    };
    std::vector<TBytes> Stored;
    for (const auto& Case : Cases) {
        TTextureDesc Desc = Case.Desc;
        Desc.Pixels =
            NoiseBytes(static_cast<std::size_t>(MipByteSize(static_cast<TPixelFormat>(*Desc.Format),
                                                            Desc.Width, Desc.Height)),
                       static_cast<uint32_t>(Stored.size() + 7));
        Stored.push_back(*Desc.Pixels);
        Builder.AddTexture(Desc);
    }
    const std::string Path = Window.Folder.File("Shared.utx");
    Builder.WriteTo(Path);
    AnalysePackage(Path);

    for (std::size_t Index = 0; Index < std::size(Cases); ++Index) {
        const TTextureDesc& Desc = Cases[Index].Desc;
        SCOPED_TRACE(Desc.Name);
        const auto* Image =
            dynamic_cast<const TOpenGLTexture*>(ShownTexture(Desc.Name).GLTexture.get());
        ASSERT_NE(Image, nullptr);
        EXPECT_EQ(
            FirstDifference(ReadBack(*Image),
                            ReferencePixels(static_cast<TPixelFormat>(*Desc.Format), Desc.Width,
                                            Desc.Height, Stored[Index], *Cases[Index].Palette)),
            -1);
    }
}

} // namespace
} // namespace swatchbox::testing
