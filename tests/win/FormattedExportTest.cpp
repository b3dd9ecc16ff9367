// The formatted export of textures uploaded by the real main window: every
// uploaded format read back into 24- and 32-bit bitmaps and Targa files,
// compared with files built here from pixels decoded without OpenGL; file
// names and types; textures without pixels; files that can't be written.
#include "display/OpenGLTexture.h"
#include "export/ExportFormatted.h"
#include "shell/WinHandles.h"
#include "tests/win/ProgramFixture.h"
#include "tests/win/ReferencePixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace swatchbox::testing {
namespace {

enum class TLayout { Bmp24, Bmp32, Tga };

// A file as its format lays it out, and how far each byte may be off:
// pixel bytes by the decoding's rounding, header and padding bytes not at all.
struct TExpectedFile {
    TBytes Bytes;
    TBytes Tolerance;

    void Put(uint32_t Value, int Size, uint8_t Slack = 0) {
        for (int Byte = 0; Byte < Size; ++Byte) {
            Bytes.push_back(Byte < 4 ? static_cast<uint8_t>(Value >> (8 * Byte)) : 0);
            Tolerance.push_back(Slack);
        }
    }
};

TExpectedFile ExpectedFile(TLayout Layout, int32_t Width, int32_t Height,
                           const std::vector<TBgra>& Pixels, uint8_t Slack) {
    const int PixelBytes = Layout == TLayout::Bmp24 ? 3 : 4;
    const int RowBytes = Width * PixelBytes;
    const int Pitch = Layout == TLayout::Tga ? RowBytes : (RowBytes + 3) / 4 * 4;
    // Field values and their sizes in bytes.
    const uint32_t W = Width, H = Height, Image = Pitch * Height;
    const std::vector<std::pair<uint32_t, int>> TgaHeader = {
        {1, 1}, {0, 1}, {2, 1}, {0, 9}, {W, 2}, {H, 2}, {32, 1}, {8, 1}, {0, 1}};
    const std::vector<std::pair<uint32_t, int>> BmpHeader = {
        {'B' | 'M' << 8, 2},  {54 + Image, 4}, {0, 4},     {54, 4}, {40, 4}, {W, 4}, {H, 4}, {1, 2},
        {PixelBytes * 8u, 2}, {0, 4},          {Image, 4}, {0, 16}};
    TExpectedFile File;
    for (const auto& [Value, Size] : Layout == TLayout::Tga ? TgaHeader : BmpHeader)
        File.Put(Value, Size);
    for (int32_t Row = Height - 1; Row >= 0; --Row) {
        for (int32_t X = 0; X < Width; ++X)
            for (int Channel = 0; Channel < PixelBytes; ++Channel)
                File.Put(Pixels[static_cast<std::size_t>(Row * Width + X)][Channel], 1, Slack);
        File.Put(0, Pitch - RowBytes);
    }
    return File;
}

// Offset of the first byte that is further off than allowed, -1 for none.
long FirstMismatch(const TBytes& Actual, const TExpectedFile& Expected) {
    const std::size_t Common = std::min(Actual.size(), Expected.Bytes.size());
    for (std::size_t At = 0; At < Common; ++At)
        if (std::abs(Actual[At] - Expected.Bytes[At]) > Expected.Tolerance[At])
            return static_cast<long>(At);
    return Actual.size() == Expected.Bytes.size() ? -1 : static_cast<long>(Common);
}

std::vector<std::string> FileNames(const TTempDir& Dir) {
    std::vector<std::string> Names;
    for (const auto& Entry : std::filesystem::directory_iterator(Dir.Path()))
        Names.push_back(Entry.path().filename().string());
    std::sort(Names.begin(), Names.end());
    return Names;
}

class FormattedExport : public ::testing::Test {
protected:
    static TOpenGLTexture& Image(const std::string& Name) {
        return dynamic_cast<TOpenGLTexture&>(*ShownTexture(Name).GLTexture);
    }
    bool Export(const std::string& Name, const std::string& FileName, const std::string& Type,
                int32_t BitCount) {
        return ExportFormatted(ShownTexture(Name), FileName, Type, BitCount, Window.Reporter);
    }
    std::string Package() const { return Window.Folder.File("Test.utx"); }

    TProgramWindow Window;
    TTempDir Out;
};

TEST_F(FormattedExport, EveryUploadedFormatIsWrittenAsOpenGLReturnsItInAllThreeLayouts) {
    struct TCase {
        std::string Name;
        TPixelFormat Format;
        int32_t Width, Height;
        uint8_t Slack; // the rounding of grey conversion and block decoding
    } const Cases[] = {
        {"P8", pfP8, 5, 3, 0},     {"RGBA8", pfRGBA8, 3, 2, 0}, {"G16", pfG16, 2, 2, 1},
        {"DXT1", pfDXT1, 8, 8, 1}, {"DXT3", pfDXT3, 6, 6, 1},   {"DXT5", pfDXT5, 8, 6, 1},
    };
    std::vector<TTextureDesc> Descs;
    uint32_t Seed = 0;
    for (const TCase& Case : Cases)
        Descs.push_back(
            {.Name = Case.Name,
             .Format = Case.Format,
             .Width = Case.Width,
             .Height = Case.Height,
             .Masked = Case.Format == pfP8,
             .Pixels = NoiseBytes(StoredMipSize(Case.Format, Case.Width, Case.Height), ++Seed)});
    AnalyseTextures(Package(), Descs);

    // The read-back must not depend on, or disturb, the pixel-store state and
    // binding others leave behind.
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, Image("P8").TextureID);

    const struct {
        TLayout Layout;
        const char* Type;
        int32_t BitCount;
        const char* Suffix;
    } Layouts[] = {{TLayout::Bmp24, "BMP", 24, ".BMP"},
                   {TLayout::Bmp32, "BMP", 32, ".BMP"},
                   {TLayout::Tga, "TGA", 32, ".TGA"}};
    for (std::size_t Index = 0; Index < std::size(Cases); ++Index) {
        const TCase& Case = Cases[Index];
        const std::vector<TBgra> Pixels =
            ReferencePixels(Case.Format, Case.Width, Case.Height, *Descs[Index].Pixels);
        for (const auto& Layout : Layouts) {
            const std::string Name = Case.Name + "_" + std::to_string(Layout.BitCount);
            SCOPED_TRACE(Name + Layout.Suffix);
            ASSERT_TRUE(Export(Case.Name, Out.File(Name), Layout.Type, Layout.BitCount));
            const TBytes File = ReadFileBytes(Out.File(Name + Layout.Suffix));
            const TExpectedFile Expected =
                ExpectedFile(Layout.Layout, Case.Width, Case.Height, Pixels, Case.Slack);
            EXPECT_EQ(File.size(), Expected.Bytes.size());
            EXPECT_EQ(FirstMismatch(File, Expected), -1);
        }
    }
    GLint Alignment = 0, Bound = 0;
    glGetIntegerv(GL_PACK_ALIGNMENT, &Alignment);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &Bound);
    EXPECT_EQ(Alignment, 1);
    EXPECT_EQ(static_cast<GLuint>(Bound), Image("P8").TextureID);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    EXPECT_TRUE(Window.Reporter.Messages.empty());
}

TEST_F(FormattedExport, TypesAreTakenInAnyCaseAndNamesGetTheWritersExtension) {
    AnalyseTextures(Package(), {{.Name = "Wall", .Format = pfRGBA8, .Width = 4, .Height = 4}});
    TOpenGLTexture& Wall = Image("Wall");

    EXPECT_TRUE(Export("Wall", Out.File("Lower.bmp"), "BMP", 24));
    EXPECT_EQ(Wall.SaveFileName, Out.File("Lower.bmp"));
    EXPECT_TRUE(Export("Wall", Out.File("Upper.BMP"), "bmp", 32));
    EXPECT_EQ(Wall.SaveFileType, "BMP");
    EXPECT_TRUE(Export("Wall", Out.File("Plain"), "Tga", 32));
    EXPECT_EQ(Wall.SaveFileName, Out.File("Plain.TGA"));
    EXPECT_TRUE(Export("Wall", Out.File("Other.bmp"), "tga", 32));
    EXPECT_EQ(Wall.SaveFileName, Out.File("Other.bmp.TGA"));
    EXPECT_EQ(Wall.SaveFileType, "TGA");
    EXPECT_EQ(Wall.SaveBitCount, 32);
    EXPECT_EQ(ReadFileBytes(Out.File("Other.bmp.TGA")).size(), 19u + 64u);

    // Another type writes nothing and says nothing.
    EXPECT_FALSE(Export("Wall", Out.File("Picture"), "png", 32));
    EXPECT_EQ(Wall.SaveFileType, "PNG");
    EXPECT_EQ(FileNames(Out),
              (std::vector<std::string>{"Lower.bmp", "Other.bmp.TGA", "Plain.TGA", "Upper.BMP"}));

    // An existing file is replaced.
    EXPECT_TRUE(Export("Wall", Out.File("Lower.bmp"), "BMP", 32));
    EXPECT_EQ(ReadFileBytes(Out.File("Lower.bmp")).size(), 54u + 64u);
    EXPECT_TRUE(Window.Reporter.Messages.empty());
}

TEST_F(FormattedExport, WhatCantBeReadBackIsRefusedWithoutWriting) {
    GLint Largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &Largest);
    ASSERT_GT(Largest, 0);
    AnalyseTextures(Package(),
                    {{.Name = "RGBA7", .Format = pfRGBA7, .Width = 4, .Height = 4},
                     {.Name = "RGB16", .Format = pfRGB16, .Width = 4, .Height = 4},
                     {.Name = "RGB8", .Format = pfRGB8, .Width = 4, .Height = 4},
                     {.Name = "Unnamed", .Format = 9, .Width = 4, .Height = 4},
                     {.Name = "Good", .Format = pfRGBA8, .Width = 4, .Height = 4},
                     // Wider than OpenGL takes: a name without an image.
                     {.Name = "Wide", .Format = pfP8, .Width = 2 * Largest, .Height = 1}});
    for (const char* Name : {"RGBA7", "RGB16", "RGB8", "Unnamed"}) {
        SCOPED_TRACE(Name);
        Window.Reporter.Messages.clear();
        EXPECT_FALSE(Export(Name, Out.File(Name), "BMP", 24));
        EXPECT_FALSE(Export(Name, Out.File(Name), "TGA", 32));
        ASSERT_EQ(Window.Reporter.Messages.size(), 2u);
        for (const auto& Message : Window.Reporter.Messages) {
            EXPECT_EQ(Message.Kind, TMessageKind::Error);
            EXPECT_EQ(Message.Caption, "Error");
            EXPECT_EQ(Message.Text, "Cannot save texture to file!\r\n(Unknown pixel format)");
        }
    }

    ASSERT_NE(Image("Wide").TextureID, 0u);
    Window.Reporter.Messages.clear();
    EXPECT_FALSE(Export("Wide", Out.File("Wide"), "BMP", 32));
    ASSERT_EQ(Window.Reporter.Messages.size(), 1u);
    EXPECT_EQ(Window.Reporter.Messages[0].Text,
              "Cannot save texture to file \"" + Out.File("Wide.BMP") +
                  "\"!\r\n(OpenGL holds no image of the texture.)");

    // Nor is a bitmap depth whose pixels OpenGL does not return.
    Window.Reporter.Messages.clear();
    EXPECT_FALSE(Export("Good", Out.File("Deep"), "BMP", 16));
    ASSERT_EQ(Window.Reporter.Messages.size(), 1u);
    EXPECT_NE(Window.Reporter.Messages[0].Text.find("24 or 32 bits"), std::string::npos);
    EXPECT_TRUE(FileNames(Out).empty());
}

TEST_F(FormattedExport, AFileThatCantBeWrittenIsNamedAndAnOlderOneKept) {
    AnalyseTextures(Package(), {{.Name = "Wall", .Format = pfDXT1, .Width = 8, .Height = 8}});

    const std::string Missing = Out.File("Missing") + "\\Wall";
    EXPECT_FALSE(Export("Wall", Missing, "BMP", 24));
    ASSERT_EQ(Window.Reporter.Messages.size(), 1u);
    const std::string Start = "Cannot save texture to file \"" + Missing + ".BMP\"!\r\n(";
    const std::string& Text = Window.Reporter.Messages[0].Text;
    EXPECT_EQ(Text.substr(0, Start.size()), Start);
    EXPECT_GT(Text.size(), Start.size() + 1);
    EXPECT_EQ(Text.back(), ')');
    EXPECT_EQ(Window.Reporter.Messages[0].Caption, "Error");

    // A file held open without sharing can't be replaced; it stays as it was
    // and no partial file is left beside it.
    const std::string Held = Out.File("Held.TGA");
    std::ofstream(Held, std::ios::binary) << "old";
    {
        const TKernelHandle Handle(CreateFileA(Held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                               OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(Handle);
        EXPECT_FALSE(Export("Wall", Held, "TGA", 32));
    }
    ASSERT_EQ(Window.Reporter.Messages.size(), 2u);
    EXPECT_EQ(Window.Reporter.Messages[1].Text.rfind("Cannot save texture to file \"" + Held, 0),
              0u);
    EXPECT_EQ(ReadFileText(Held), "old");

    // A folder of the file's name is neither replaced nor moved.
    const std::string Folder = Out.File("Folder.BMP");
    std::filesystem::create_directory(Folder);
    std::ofstream(Folder + "\\Inside.txt") << "kept";
    EXPECT_FALSE(Export("Wall", Out.File("Folder"), "BMP", 32));
    ASSERT_EQ(Window.Reporter.Messages.size(), 3u);
    EXPECT_EQ(Window.Reporter.Messages[2].Text.rfind("Cannot save texture to file \"" + Folder, 0),
              0u);
    EXPECT_EQ(ReadFileText(Folder + "\\Inside.txt"), "kept");
    EXPECT_EQ(FileNames(Out), (std::vector<std::string>{"Folder.BMP", "Held.TGA"}));
}

} // namespace
} // namespace swatchbox::testing
