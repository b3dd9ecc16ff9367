// The selected texture copied to the clipboard through the real main window,
// and the read-back bitmap it is made from.
#include "display/Clipboard.h"
#include "display/TextureReadback.h"
#include "shell/MainWindowState.h"
#include "shell/WinHandles.h"
#include "tests/win/ClipboardLock.h"
#include "tests/win/ProgramFixture.h"
#include "tests/win/ReferencePixels.h"

#include <gtest/gtest.h>

#include <cstring>

namespace swatchbox::testing {
namespace {

struct TBitmapPixels {
    BITMAP Info{};
    std::vector<TBgra> Pixels; // top row first
};

// The bitmap's size and depth, and its pixels as a top-down 32-bit image.
TBitmapPixels ReadBitmap(HBITMAP Bitmap) {
    TBitmapPixels Result;
    if (GetObjectA(Bitmap, sizeof(Result.Info), &Result.Info) == 0)
        return Result;
    BITMAPINFO Format{};
    Format.bmiHeader.biSize = sizeof(Format.bmiHeader);
    Format.bmiHeader.biWidth = Result.Info.bmWidth;
    Format.bmiHeader.biHeight = -Result.Info.bmHeight;
    Format.bmiHeader.biPlanes = 1;
    Format.bmiHeader.biBitCount = 32;
    Format.bmiHeader.biCompression = BI_RGB;
    Result.Pixels.resize(static_cast<std::size_t>(Result.Info.bmWidth * Result.Info.bmHeight));
    const HDC Screen = GetDC(nullptr);
    const int Lines = GetDIBits(Screen, Bitmap, 0, static_cast<UINT>(Result.Info.bmHeight),
                                Result.Pixels.data(), &Format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, Screen);
    if (Lines != Result.Info.bmHeight)
        Result.Pixels.clear();
    return Result;
}

void PutTextOnClipboard(const char* Text) {
    ASSERT_TRUE(OpenClipboard(App.MainWnd));
    EmptyClipboard();
    const HGLOBAL Memory = GlobalAlloc(GMEM_MOVEABLE, std::strlen(Text) + 1);
    std::strcpy(static_cast<char*>(GlobalLock(Memory)), Text);
    GlobalUnlock(Memory);
    SetClipboardData(CF_TEXT, Memory);
    CloseClipboard();
}

std::string ClipboardText() {
    std::string Text;
    if (!OpenClipboard(App.MainWnd))
        return Text;
    if (const HANDLE Memory = GetClipboardData(CF_TEXT)) {
        Text = static_cast<const char*>(GlobalLock(Memory));
        GlobalUnlock(Memory);
    }
    CloseClipboard();
    return Text;
}

class Clipboard : public ::testing::Test {
protected:
    void SetUp() override {
        GLint Largest = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &Largest);
        AnalyseTextures(
            Window.Folder.File("Test.utx"),
            {{.Name = "P8", .Width = 256, .Height = 128, .Masked = true, .Pixels = Indices},
             {.Name = "RGBA8", .Format = pfRGBA8, .Width = 3, .Height = 5, .Pixels = Bgra},
             {.Name = "DXT1", .Format = pfDXT1, .Width = 8, .Height = 12, .Pixels = Blocks},
             {.Name = "RGB8", .Format = pfRGB8, .Width = 4, .Height = 2},
             {.Name = "Wide", .Width = 2 * Largest, .Height = 1}});
    }

    void Select(const std::string& Name) {
        for (std::size_t Index = 0; Index < App.ShownTextures.size(); ++Index)
            if (App.ShownTextures[Index]->Name == Name)
                App.SelectedIndex = static_cast<int32_t>(Index);
    }
    static const TOpenGLTexture& Image(const std::string& Name) {
        return dynamic_cast<const TOpenGLTexture&>(*ShownTexture(Name).GLTexture);
    }

    TClipboardTestLock Lock;
    TProgramWindow Window;
    const TBytes Indices = NoiseBytes(256 * 128, 1);
    const TBytes Bgra = NoiseBytes(3 * 5 * 4, 2);
    // Random endpoints put about half the blocks in the mode with a
    // transparent colour.
    const TBytes Blocks = NoiseBytes(2 * 3 * 8, 3);
};

TEST_F(Clipboard, NothingSelectedLeavesTheClipboardAsItWas) {
    PutTextOnClipboard("kept");
    for (const int32_t Index : {-1, static_cast<int32_t>(App.ShownTextures.size())}) {
        App.SelectedIndex = Index;
        CopyTextureToClipboard();
    }
    EXPECT_EQ(ClipboardText(), "kept");
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
}

TEST_F(Clipboard, CopiedTextureIsAnUpright32BitBitmapWithTheAlphaOpenGLKeeps) {
    const struct {
        const char* Name;
        TPixelFormat Format;
        int32_t Width, Height;
        const TBytes& Stored;
    } Cases[] = {
        {"P8", pfP8, 256, 128, Indices},
        {"RGBA8", pfRGBA8, 3, 5, Bgra},
        {"DXT1", pfDXT1, 8, 12, Blocks},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        PutTextOnClipboard("replaced");
        Select(Case.Name);
        CopyTextureToClipboard();

        ASSERT_TRUE(OpenClipboard(App.MainWnd));
        const auto Bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
        const TBitmapPixels Copy = ReadBitmap(Bitmap);
        CloseClipboard();
        EXPECT_EQ(ClipboardText(), "");
        EXPECT_EQ(Copy.Info.bmWidth, Case.Width);
        EXPECT_EQ(Copy.Info.bmHeight, Case.Height);
        EXPECT_EQ(Copy.Info.bmBitsPixel, 32);
        const std::vector<TBgra> Expected =
            ReferencePixels(Case.Format, Case.Width, Case.Height, Case.Stored);
        EXPECT_LE(LargestDifference(Copy.Pixels, Expected), Case.Format == pfDXT1 ? 1 : 0);
    }
    // The blocks did hold transparent texels, and they stayed transparent.
    const std::vector<TBgra> Dxt1 = ReferencePixels(pfDXT1, 8, 12, Blocks);
    EXPECT_TRUE(std::any_of(Dxt1.begin(), Dxt1.end(), [](const TBgra& P) { return P[3] == 0; }));
}

TEST_F(Clipboard, TexturesWithoutAnImageInOpenGLGiveClearedBitmaps) {
    for (const char* Name : {"RGB8", "Wide"}) {
        SCOPED_TRACE(Name);
        const TOpenGLTexture& Texture = Image(Name);
        const TBitmapHandle Bitmap(CreateBitmapFromTexture(Texture));
        ASSERT_TRUE(Bitmap);
        const TBitmapPixels Copy = ReadBitmap(Bitmap.Get());
        EXPECT_EQ(Copy.Info.bmWidth, Texture.Width);
        EXPECT_EQ(Copy.Info.bmHeight, Texture.Height);
        ASSERT_EQ(Copy.Pixels.size(), static_cast<std::size_t>(Texture.Width * Texture.Height));
        EXPECT_TRUE(std::all_of(Copy.Pixels.begin(), Copy.Pixels.end(), [](const TBgra& P) {
            return P == TBgra{0, 0, 0, 0};
        }));
    }
}

} // namespace
} // namespace swatchbox::testing
