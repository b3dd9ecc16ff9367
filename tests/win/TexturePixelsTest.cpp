// Textures uploaded by the real main window and read back the two ways the
// user gets them: the formatted export (bitmaps and Targa files, read with an
// independent reader) and the clipboard, compared with pixels decoded without
// OpenGL. Also what can't be read back, file names, files that can't be
// written, and uploads of pixels beyond the end of the file.
#include "decode/PixelDecoder.h"
#include "display/Clipboard.h"
#include "display/OpenGLTexture.h"
#include "export/ExportFormatted.h"
#include "package/Errors.h"
#include "shell/MainWindowState.h"
#include "tests/support/ImageReader.h"
#include "tests/win/ProgramFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace swatchbox::testing {
namespace {

// The clipboard's bitmap; empty when there is none.
TBytes ClipboardPixels(SIZE& Size) {
    if (!OpenClipboard(App.MainWnd))
        return {};
    TBytes Pixels = BitmapPixels(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)), Size);
    CloseClipboard();
    return Pixels;
}

// Largest difference of any channel; 256 when the sizes differ.
int LargestDifference(const TBytes& A, const TBytes& B) {
    if (A.size() != B.size())
        return 256;
    int Largest = 0;
    for (std::size_t At = 0; At < A.size(); ++At)
        Largest = std::max(Largest, std::abs(A[At] - B[At]));
    return Largest;
}

class TexturePixels : public ::testing::Test {
protected:
    bool Export(const std::string& Name, const std::string& FileName, const std::string& Type,
                int32_t BitCount) {
        return ExportFormatted(ShownTexture(Name), FileName, Type, BitCount, Window.Reporter);
    }

    TClipboardTestLock Lock;
    TProgramWindow Window;
    TTempDir Out;
};

TEST_F(TexturePixels, EveryUploadedFormatReadsBackAsStoredIntoFilesAndTheClipboard) {
    TBytes Reversed = DefaultPaletteColours();
    std::reverse(Reversed.begin(), Reversed.end());
    // The uploads of one analysis share palettes and buffers: each texture
    // must still get its own palette and only its own pixels, also after a
    // larger one. Odd widths catch rows padded where they are not.
    const struct {
        std::string Name;
        TPixelFormat Format;
        int32_t Width, Height;
        int Slack; // the rounding of grey conversion and block decoding
        const TBytes* Palette;
    } Cases[] = {
        {"A_P8", pfP8, 16, 16, 0, nullptr},
        {"B_P8", pfP8, 5, 3, 0, &Reversed},
        {"C_RGBA8", pfRGBA8, 3, 5, 0, nullptr},
        {"D_G16", pfG16, 5, 3, 1, nullptr},
        {"E_DXT1", pfDXT1, 8, 12, 1, nullptr},
        {"F_DXT1", pfDXT1, 2, 2, 1, nullptr},
        {"G_DXT3", pfDXT3, 6, 6, 1, nullptr},
        {"H_DXT5", pfDXT5, 8, 6, 1, nullptr},
        // Formats OpenGL 1.1 lacks go up decoded.
        {"I_L8", pfL8, 5, 3, 0, nullptr},
        {"J_RGB16", pfRGB16, 3, 5, 0, nullptr},
        {"K_RGB8", pfRGB8, 5, 3, 0, nullptr},
        {"L_CxV8U8", pfCxV8U8, 3, 5, 0, nullptr},
        {"M_DXT5N", pfDXT5N, 8, 4, 0, nullptr},
        {"N_BC5", pfBC5, 5, 6, 0, nullptr},
    };
    // A SWAT 4 package numbers every format above, its normal maps too, and
    // puts its object and mip headers around them.
    TPackageBuilder Builder(129, 27);
    const int32_t Palettes[] = {Builder.AddPalette("Pal"), Builder.AddPalette("Rev", Reversed)};
    std::vector<TBytes> Stored;
    for (const auto& Case : Cases) {
        // Random DXT1 endpoints put about half the blocks in the mode with a
        // transparent colour.
        Stored.push_back(NoiseBytes(StoredMipSize(Case.Format, Case.Width, Case.Height),
                                    static_cast<uint32_t>(Stored.size() + 1)));
        Builder.AddTexture({.Name = Case.Name,
                            .Format = Case.Format,
                            .Width = Case.Width,
                            .Height = Case.Height,
                            .Masked = Case.Format == pfP8,
                            .Palette = Palettes[Case.Palette ? 1 : 0],
                            .Pixels = Stored.back()});
    }
    Window.Show(Builder);

    // Files of three channels and of four, each read back with its own type.
    const std::pair<std::string, int32_t> Layouts[] = {{"BMP", 24}, {"BMP", 32}, {"TGA", 32}};
    for (std::size_t Index = 0; Index < std::size(Cases); ++Index) {
        const auto& Case = Cases[Index];
        SCOPED_TRACE(Case.Name);
        // The decoder's pixels with the alpha of a texture without flags: what
        // OpenGL keeps of the formats uploaded with three components.
        const TBytes& Palette = Case.Palette ? *Case.Palette : DefaultPaletteColours();
        const TBytes Expected =
            DecodeMip({Case.Format, Case.Width, Case.Height, Stored[Index], Palette},
                      AlphaRuleFor(Case.Format, false, false, TAlphaMode::Engine))
                .Pixels;

        PutTextOnClipboard("replaced");
        SelectTexture(Case.Name);
        CopyTextureToClipboard();
        SIZE Size{};
        EXPECT_LE(LargestDifference(ClipboardPixels(Size), Expected), Case.Slack);
        EXPECT_EQ(Size.cx, Case.Width);
        EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));

        for (const auto& [Type, BitCount] : Layouts) {
            SCOPED_TRACE(BitCount);
            const std::string File = Out.File(Case.Name + std::to_string(BitCount));
            ASSERT_TRUE(Export(Case.Name, File, Type, BitCount));
            const TImageFile Written = ReadImageFile(File + "." + Type);
            EXPECT_EQ(Written.Components, BitCount / 8);
            // The reader makes the pixels of files without alpha opaque.
            TBytes Want = Expected;
            for (std::size_t At = 3; BitCount == 24 && At < Want.size(); At += 4)
                Want[At] = 255;
            EXPECT_LE(LargestDifference(Written.Rgba, Want), Case.Slack);
        }
    }
    EXPECT_TRUE(Window.Texts().empty());
}

TEST_F(TexturePixels, WhatOpenGLHoldsNoImageOfIsRefusedOrCopiedCleared) {
    GLint Largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &Largest);
    // BC6H has no decoder; no engine build defines format 15.
    Window.Show({{.Name = "RGBA7", .Format = pfRGBA7, .Width = 4, .Height = 4},
                 {.Name = "BC6HS", .Format = pfBC6HS, .Width = 4, .Height = 4},
                 {.Name = "BC6H", .Format = pfBC6H, .Width = 4, .Height = 4},
                 {.Name = "Unnamed", .Format = 15, .Width = 4, .Height = 4},
                 {.Name = "Good", .Format = pfRGBA8, .Width = 4, .Height = 4},
                 // Wider than OpenGL takes: a name without an image.
                 {.Name = "Wide", .Format = pfP8, .Width = 2 * Largest, .Height = 1}});
    const std::string Unknown = "Error: Cannot save texture to file!\r\n(Unknown pixel format)";
    for (const char* Name : {"RGBA7", "BC6HS", "BC6H", "Unnamed"}) {
        EXPECT_FALSE(Export(Name, Out.File(Name), "BMP", 24));
        EXPECT_FALSE(Export(Name, Out.File(Name), "TGA", 32));
        EXPECT_EQ(Window.Texts(), (std::vector<std::string>{Unknown, Unknown})) << Name;
    }
    EXPECT_FALSE(Export("Wide", Out.File("Wide"), "BMP", 32));
    EXPECT_EQ(Window.Texts(), std::vector<std::string>{
                                  "Error: Cannot save texture to file \"" + Out.File("Wide.BMP") +
                                  "\"!\r\n(OpenGL holds no image of the texture.)"});
    // Nor is a bitmap depth whose pixels OpenGL does not return.
    EXPECT_FALSE(Export("Good", Out.File("Deep"), "BMP", 16));
    EXPECT_NE(Window.Texts().at(0).find("24 or 32 bits"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(Out.Path()));

    // The clipboard gets such a texture cleared, and keeps what it holds
    // while nothing is selected.
    for (const char* Name : {"BC6H", "Wide"}) {
        SelectTexture(Name);
        CopyTextureToClipboard();
        SIZE Size{};
        const TBytes Copy = ClipboardPixels(Size);
        EXPECT_EQ(Size.cx, ShownTexture(Name).USize) << Name;
        EXPECT_EQ(Copy, TBytes(static_cast<std::size_t>(Size.cx * Size.cy) * 4, 0)) << Name;
    }
    PutTextOnClipboard("kept");
    for (const int32_t Index : {-1, static_cast<int32_t>(App.ShownTextures.size())}) {
        App.SelectedIndex = Index;
        CopyTextureToClipboard();
    }
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
}

TEST_F(TexturePixels, NamesGetTheWritersExtensionAndFailuresKeepOlderFiles) {
    Window.Show({{.Name = "Wall", .Format = pfRGBA8, .Width = 4, .Height = 4}});
    EXPECT_TRUE(Export("Wall", Out.File("Plain"), "bmp", 32));
    EXPECT_EQ(ReadFileBytes(Out.File("Plain.BMP")).size(), 54u + 64u);
    EXPECT_TRUE(Export("Wall", Out.File("Other"), "Tga", 32));
    EXPECT_TRUE(std::filesystem::exists(Out.File("Other.TGA")));
    EXPECT_FALSE(Export("Wall", Out.File("Picture"), "png", 32));
    // An existing file is replaced.
    EXPECT_TRUE(Export("Wall", Out.File("Plain.BMP"), "BMP", 24));
    EXPECT_EQ(ReadFileBytes(Out.File("Plain.BMP")).size(), 54u + 48u);
    EXPECT_TRUE(Window.Texts().empty());

    // A missing folder, a file held open without sharing and a folder of the
    // file's name: each is named in the message, and nothing is changed.
    const std::string Held = Out.File("Held.TGA");
    std::ofstream(Held, std::ios::binary) << "old";
    std::filesystem::create_directory(Out.File("Folder.BMP"));
    const TKernelHandle Handle(CreateFileA(Held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(Handle);
    const std::string Missing = Out.File("Missing") + "\\Wall";
    EXPECT_FALSE(Export("Wall", Missing, "BMP", 24));
    EXPECT_FALSE(Export("Wall", Held, "TGA", 32));
    EXPECT_FALSE(Export("Wall", Out.File("Folder"), "BMP", 32));
    const std::vector<std::string> Targets = {Missing + ".BMP", Held, Out.File("Folder.BMP")};
    const std::vector<std::string> Messages = Window.Texts();
    ASSERT_EQ(Messages.size(), Targets.size());
    for (std::size_t Index = 0; Index < Targets.size(); ++Index)
        EXPECT_EQ(Messages[Index].rfind(
                      "Error: Cannot save texture to file \"" + Targets[Index] + "\"!\r\n(", 0),
                  0u)
            << Messages[Index];
    EXPECT_EQ(ReadFileText(Held), "old");
    // The two written before, the held file and the folder: nothing left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Out.Path()), {}), 4);
}

TEST_F(TexturePixels, PixelsOrPaletteBeyondTheEndOfTheFileGetNoTexture) {
    constexpr int32_t Size = 4096;
    const struct {
        TUploadRequest Request;
        bool Fits;
    } Cases[] = {
        // Indices and palette each ending exactly at the end of the file.
        {{16, 16, Size - 256, Size - 1024, pfP8, true}, true},
        {{16, 16, Size - 255, 0, pfP8, true}, false},
        {{16, 16, 0, Size - 1023, pfP8, true}, false},
        {{16, 16, 0, -1, pfP8, true}, false},
        {{16, 16, -16, 0, pfRGBA8, true}, false},
        {{8, 8, Size - 31, 0, pfDXT1, true}, false},
        // Byte counts beyond 32 bits are refused before anything is allocated.
        {{INT32_MAX, INT32_MAX, 0, 0, pfRGBA8, true}, false},
        {{65536, 65536, 0, 0, pfDXT5, true}, false},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(UploadFitsFile(Case.Request, Size), Case.Fits) << Case.Request.DataPosition;

    // A file that shrinks while it is read leaves no texture behind.
    const std::string Path = Out.File("Pixels.bin");
    WriteFileBytes(Path, NoiseBytes(Size, 5));
    TFileStream Stream(Path);
    std::filesystem::resize_file(Path, 100);
    EXPECT_EQ(UploadTexture(Stream, {16, 16, 0, 0, pfRGBA8, true}), nullptr);
    EXPECT_THROW(TOpenGLTexture(Stream, 16, 16, 0, 0, pfRGBA8, true), EPackageDamaged);
}

} // namespace
} // namespace swatchbox::testing
