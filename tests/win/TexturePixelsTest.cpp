// Textures leaving the program. Uploaded by the real main window and read
// back the two ways the user gets one: the formatted export (bitmaps and Targa
// files, read with an independent reader) and the clipboard, compared with
// pixels decoded without OpenGL; also what can't be read back, file names,
// files that can't be written, and uploads of pixels beyond the end of the
// file. And "Export all shown": the files are the ones the command-line export
// writes for the same package, the closing box counts them, Esc stops between
// files, and an unusable folder gives one box.
#include "cli/ExportCommand.h"
#include "decode/PixelDecoder.h"
#include "display/Clipboard.h"
#include "display/OpenGLTexture.h"
#include "export/ExportFormatted.h"
#include "package/Errors.h"
#include "resources/ResourceIds.h"
#include "shell/FolderDialog.h"
#include "tests/support/ImageReader.h"
#include "tests/win/ProgramFixture.h"

#include <map>
#include <sstream>

namespace swatchbox::testing {
namespace {

// The clipboard's bitmap as red, green, blue, alpha bytes, top row first, and
// its size; empty when there is none.
TBytes ClipboardPixels(SIZE& Size) {
    BITMAP Info{};
    if (!OpenClipboard(App.MainWnd))
        return {};
    const auto Bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    TBytes Pixels;
    if (Bitmap && GetObjectA(Bitmap, sizeof(Info), &Info)) {
        Size = {Info.bmWidth, Info.bmHeight};
        BITMAPINFO Format{};
        Format.bmiHeader = {
            sizeof(Format.bmiHeader), Info.bmWidth, -Info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        Pixels.resize(static_cast<std::size_t>(Info.bmWidth * Info.bmHeight) * 4);
        const TWindowDC Screen(nullptr);
        GetDIBits(Screen.Get(), Bitmap, 0, static_cast<UINT>(Info.bmHeight), Pixels.data(), &Format,
                  DIB_RGB_COLORS);
        for (std::size_t At = 0; At < Pixels.size(); At += 4)
            std::swap(Pixels[At], Pixels[At + 2]);
    }
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

TEST_F(TexturePixels, WhatOpenGLHoldsNoImageOfIsRefusedOrCopiedClearedAndFailuresKeepOlderFiles) {
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

    // Names get the writer's extension; an existing file is replaced.
    EXPECT_TRUE(Export("Good", Out.File("Plain"), "bmp", 32));
    EXPECT_EQ(ReadFileBytes(Out.File("Plain.BMP")).size(), 54u + 64u);
    EXPECT_FALSE(Export("Good", Out.File("Picture"), "png", 32));
    EXPECT_TRUE(Export("Good", Out.File("Plain.BMP"), "BMP", 24));
    EXPECT_EQ(ReadFileBytes(Out.File("Plain.BMP")).size(), 54u + 48u);
    EXPECT_TRUE(Window.Texts().empty());

    // A file held open without sharing and a folder of the file's name: each
    // is named in the message, and nothing is changed.
    const std::string Held = Out.File("Held.TGA");
    std::ofstream(Held, std::ios::binary) << "old";
    std::filesystem::create_directory(Out.File("Folder.BMP"));
    const TKernelHandle Handle(CreateFileA(Held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(Handle);
    for (const std::string& Target : {Held, Out.File("Folder.BMP")}) {
        EXPECT_FALSE(Export("Good", Target, Target.substr(Target.size() - 3), 32));
        const std::vector<std::string> Texts = Window.Texts();
        ASSERT_EQ(Texts.size(), 1u);
        EXPECT_TRUE(Texts[0].starts_with("Error: Cannot save texture to file \"" + Target + "\"!"))
            << Texts[0];
    }
    EXPECT_EQ(ReadFileText(Held), "old");
    // The one written before, the held file and the folder: nothing left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Out.Path()), {}), 3);
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

namespace fs = std::filesystem;

using TFiles = std::map<std::string, std::vector<uint8_t>>;

// Every file under Root by its path relative to it, with its bytes.
TFiles FilesUnder(const fs::path& Root) {
    TFiles Files;
    for (const auto& Entry : fs::recursive_directory_iterator(Root))
        if (Entry.is_regular_file())
            Files[Entry.path().lexically_relative(Root).generic_string()] =
                ReadFileBytes(Entry.path().string());
    return Files;
}

TEST(ExportAll, WritesTheFilesOfTheCommandLineExportAndStopsBetweenFiles) {
    TProgramWindow Window;
    // Two groups, four formats, a name twice in one group, and a second,
    // compressed picture, which goes beside the first as is.
    const std::string Package = Window.Show({
        {.Name = "Brick", .Group = "Walls", .Format = pfP8, .Comp = TCompDesc{}},
        {.Name = "Stone", .Group = "Walls", .Format = pfDXT1, .Width = 8, .Height = 8},
        SolidTexture({.Name = "Grass", .Group = "Floors"}, 8, 4, 0x00FF00),
        {.Name = "Brick", .Group = "Walls", .Format = pfDXT5, .Width = 4, .Height = 4},
        {.Name = "Tile", .Group = "Floors", .Format = pfDXT3, .Width = 4, .Height = 4},
    });
    const struct {
        const char* Group;
        TExportFormat Format;
        bool StopAfterFirst;
        // A plain file where the export wants a folder, or "".
        std::string Blocker;
        // The closing box, % for the chosen folder; it ends in the system's
        // reason when Reason is set.
        std::string Box;
        bool Reason = false;
    } Rows[] = {
        {"Walls", TExportFormat::AsIs, false, "", "Information: 3 textures exported to %."},
        {"Floors", TExportFormat::Png, false, "", "Information: 2 textures exported to %."},
        {"(All)", TExportFormat::Tga, false, "", "Information: 5 textures exported to %."},
        {"(All)", TExportFormat::Png, true, "",
         "Information: 1 texture exported to %.\r\nStopped after 1 of 5."},
        {"(All)", TExportFormat::Bmp32, false, "Test\\Walls",
         "Warning: 2 textures exported to %.\r\n\r\n3 textures skipped or failed:\r\n"
         "Walls.Brick\r\nWalls.Stone\r\nWalls.Brick\r\n\r\nCannot create folder \"",
         true},
        {"(All)", TExportFormat::Png, false, "Test", "Error: Cannot export to folder \"%\"!\r\n(",
         true},
    };
    // One folder for every row, emptied in between: from the second row on
    // the browser opens on it, as it opens on the last folder chosen.
    // On the system drive: the browser shows the Unix root under Wine as a
    // drive it can't navigate to.
    char Temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof(Temp), Temp);
    const struct TRemoved {
        std::string Path;
        ~TRemoved() {
            std::error_code Kept;
            fs::remove_all(Path, Kept);
        }
    } Out{Temp + ("SwatchboxBrowse" + std::to_string(GetCurrentProcessId()))};
    for (const auto& Row : Rows) {
        SCOPED_TRACE(Row.Box);
        fs::remove_all(Out.Path);
        fs::create_directories(Out.Path);
        if (!Row.Blocker.empty()) {
            std::filesystem::create_directories(
                fs::path(Out.Path + "\\" + Row.Blocker).parent_path());
            std::ofstream(Out.Path + "\\" + Row.Blocker) << "a file";
        }
        ChooseComboItem(App.GroupCombo, Row.Group);
        const TModalDriver Driver([&](HWND Dialog) {
            EXPECT_TRUE(SelectBrowserFolder(Dialog, Out.Path, Window));
            SendMessageA(GetDlgItem(Dialog, ExportFormatComboId), CB_SETCURSEL,
                         static_cast<WPARAM>(Row.Format), 0);
            PressButton(Dialog, IDOK);
        });
        App.ExportAll.SliceTime = Row.StopAfterFirst ? 0 : 30;
        SendToPanel(WM_COMMAND, CMD_EXPORT_ALL);
        ASSERT_TRUE(Driver.Ran());
        // Esc right after the first tick's one file: posted keys come before
        // the next tick.
        if (Row.StopAfterFirst) {
            OnExportTimer();
            PostMessageA(App.MainWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        }
        ASSERT_TRUE(WaitUntil(
            [&] {
                Window.Pump();
                return !ExportAllRunning();
            },
            500, 10));
        const std::vector<std::string> Texts = Window.Texts();
        ASSERT_EQ(Texts.size(), 1u);
        std::string Box = Row.Box;
        if (const std::size_t Folder = Box.find('%'); Folder != std::string::npos)
            Box.replace(Folder, 1, Out.Path);
        const std::string Shown = Row.Reason ? Texts[0].substr(0, Box.size()) : Texts[0];
        EXPECT_TRUE(EqualsIgnoringAsciiCase(Shown, Box)) << Texts[0];

        const TTempDir Reference;
        std::ostringstream Ignored;
        cli::RunExport(
            {.Packages = {Package}, .OutDir = Reference.Path().string(), .Format = Row.Format},
            Ignored, Ignored);
        // What the command line writes for the group, less what the blocker
        // keeps from being written.
        const std::string Group = std::string("Test/") + Row.Group + "/";
        const std::string Blocked = fs::path(Row.Blocker).generic_string() + "/";
        auto Expected = FilesUnder(Reference.Path());
        std::erase_if(Expected, [&](const auto& File) {
            return (Group != "Test/(All)/" && File.first.rfind(Group, 0) != 0) ||
                   (!Row.Blocker.empty() && File.first.rfind(Blocked, 0) == 0);
        });
        // A stopped run leaves the first file in export order, whole.
        if (Row.StopAfterFirst)
            std::erase_if(Expected,
                          [](const auto& File) { return File.first != "Test/Walls/Brick.PNG"; });
        auto Written = FilesUnder(Out.Path);
        Written.erase(fs::path(Row.Blocker).generic_string());
        EXPECT_EQ(Written.size(), Expected.size());
        for (const auto& [Name, Bytes] : Expected)
            EXPECT_TRUE(Written.contains(Name) && Written[Name] == Bytes) << Name;
    }
}

} // namespace
} // namespace swatchbox::testing
