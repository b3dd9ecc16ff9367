// "As is" export of textures from built packages: the files byte for byte,
// the extension rule, refused formats, and what a failure leaves behind.
#include "export/ExportAsIs.h"
#include "export/DdsFile.h"
#include "tests/package/PackageFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace swatchbox::testing {
namespace {

// One texture in a package on disk, decoded and ready to export to a folder
// of its own.
class AsIsExport : public ::testing::Test {
protected:
    TTextureObject& Make(TTextureDesc Desc) {
        TPackageBuilder Builder(128);
        if (Desc.Format == pfP8)
            Desc.Palette = Builder.AddPalette("Pal");
        const int32_t Reference = Builder.AddTexture(Desc);
        Texture.reset();
        return Texture.emplace(File.emplace(Builder).Open(), Reference - 1);
    }
    TBytes Stored(std::size_t Count) const {
        const auto Begin = File->Built.Bytes.begin() + Texture->MipDataPosition;
        return {Begin, Begin + static_cast<std::ptrdiff_t>(Count)};
    }
    bool Export(const std::string& Name) { return ExportAsIs(*Texture, Dir.File(Name), Reporter); }
    std::size_t FilesInDir() const {
        return std::size_t(std::distance(std::filesystem::directory_iterator(Dir.Path()), {}));
    }

    TTempDir Dir;
    TRecordingReporter Reporter;
    std::optional<TPackageFile> File;
    std::optional<TTextureObject> Texture;
};

// A bitmap built by hand: headers at 96 dpi, the palette as blue, green, red,
// alpha, then the rows bottom-up, each padded to four bytes.
TBytes ExpectedBitmap(int32_t Width, int32_t Height, int Bits, const TBytes& TopDown) {
    const std::size_t RowBytes = static_cast<std::size_t>(Width) * Bits / 8;
    const std::size_t Pitch = (RowBytes + 3) & ~std::size_t{3};
    TBytes Palette = Bits == 8 ? DefaultPaletteColours() : TBytes{};
    for (std::size_t Entry = 0; Entry < Palette.size(); Entry += 4)
        std::swap(Palette[Entry], Palette[Entry + 2]);
    const auto Offset = static_cast<uint32_t>(54 + Palette.size());
    const auto ImageSize = static_cast<uint32_t>(Pitch * static_cast<std::size_t>(Height));
    TBytes File = {'B', 'M'};
    for (const uint32_t Value :
         {Offset + ImageSize, 0u, Offset, 40u, uint32_t(Width), uint32_t(Height)})
        PutU32(File, Value);
    PutU16(File, 1);
    PutU16(File, static_cast<uint16_t>(Bits));
    for (const uint32_t Value : {0u, ImageSize, 3780u, 3780u, Palette.empty() ? 0u : 256u, 0u})
        PutU32(File, Value);
    PutBytes(File, Palette);
    for (int32_t Row = Height - 1; Row >= 0; --Row) {
        const auto Begin = TopDown.begin() + static_cast<std::ptrdiff_t>(Row * RowBytes);
        File.insert(File.end(), Begin, Begin + static_cast<std::ptrdiff_t>(RowBytes));
        File.resize(File.size() + Pitch - RowBytes, 0);
    }
    return File;
}

// Uncompressed textures become bitmaps of the stored pixels, compressed ones
// DDS files with the stored blocks whole, also the partly covered ones of a
// 2 x 2 texture. 512 x 257 bytes take the row writer through several chunks.
TEST_F(AsIsExport, TexturesBecomeFilesOfTheStoredBytes) {
    const struct {
        TPixelFormat Format;
        int32_t Width, Height, Bits; // 0: a DDS file
    } Cases[] = {{pfP8, 512, 257, 8},   {pfP8, 3, 3, 8},     {pfP8, 2, 2, 8},
                 {pfRGBA8, 64, 32, 32}, {pfG16, 16, 8, 16},  {pfG16, 1, 5, 16},
                 {pfDXT1, 256, 64, 0},  {pfDXT3, 32, 64, 0}, {pfDXT5, 64, 16, 0},
                 {pfDXT1, 2, 2, 0}};
    for (const auto& [Format, Width, Height, Bits] : Cases) {
        SCOPED_TRACE(std::string(GetFormatName(Format)) + " " + std::to_string(Width));
        Make({.Format = Format, .Width = Width, .Height = Height});
        ASSERT_TRUE(Export("wall"));
        const auto Count = static_cast<std::size_t>(MipByteSize(Format, Width, Height));
        TBytes Expected;
        if (Bits == 0) {
            const auto Header = MakeDdsHeader(Width, Height, GetFormatName(Format));
            Expected.assign(Header.begin(), Header.end());
            PutBytes(Expected, Stored(Count));
        } else {
            Expected = ExpectedBitmap(Width, Height, Bits, Stored(Count));
        }
        EXPECT_EQ(ReadFileBytes(Dir.File(Bits ? "wall.BMP" : "wall.DDS")), Expected);
    }
    EXPECT_TRUE(Reporter.Messages.empty());
}

TEST_F(AsIsExport, UnsupportedFormatsAreRefusedAndWriteNothing) {
    for (const uint8_t Format :
         std::initializer_list<uint8_t>{pfRGBA7, pfRGB16, pfRGB8, 6, 9, 200}) {
        Reporter.Messages.clear();
        Make({.Format = Format, .Width = 8, .Height = 8});
        EXPECT_FALSE(Export("none"));
        ASSERT_EQ(Reporter.Messages.size(), 1u) << int{Format};
        EXPECT_EQ(Reporter.Messages[0].Text,
                  "Cannot save texture to file!\r\n(Unknown pixel format)");
    }
    EXPECT_EQ(FilesInDir(), 0u);
}

// A failed export reports the file and the reason, leaves no new file and
// never harms one that was there.
TEST_F(AsIsExport, FailuresLeaveNoFileAndKeepTheOldOne) {
    const auto ExpectFailure = [&](const std::string& Name, const std::string& Reason) {
        Reporter.Messages.clear();
        WriteFileBytes(Dir.File(Name), {1, 2, 3});
        EXPECT_FALSE(Export(Name));
        ASSERT_EQ(Reporter.Messages.size(), 1u) << Name;
        const std::string& Text = Reporter.Messages[0].Text;
        EXPECT_EQ(Reporter.Messages[0].Kind, TMessageKind::Error);
        EXPECT_NE(Text.find(Name), std::string::npos) << Text;
        EXPECT_NE(Text.find(Reason), std::string::npos) << Text;
        EXPECT_EQ(ReadFileBytes(Dir.File(Name)), (TBytes{1, 2, 3}));
        EXPECT_EQ(FilesInDir(), 1u);
        std::filesystem::remove(Dir.File(Name));
    };
    // The package has gone, or is now shorter than the texture's pixels.
    Make({.Width = 8, .Height = 8});
    std::filesystem::remove(File->Path);
    ExpectFailure("gone.BMP", "Test.utx");
    for (const uint8_t Format : {pfDXT5, pfRGBA8}) {
        Make({.Format = Format, .Width = 64, .Height = 64});
        std::filesystem::resize_file(File->Path, uintmax_t(Texture->MipDataPosition + 100));
        ExpectFailure("short" + std::string(AsIsExtension(TPixelFormat(Format))), "fewer bytes");
    }
    // A mip map that states fewer bytes than its size needs (procedural
    // textures store none, stripped ones no mip map at all) has no pixels to
    // copy, partly covered 4x4 blocks counted.
    Make({.Width = 32, .Height = 32, .Pixels = TBytes{}, .Trailer = TBytes(2048)});
    ExpectFailure("empty.BMP", "pixel bytes");
    Make({.Format = pfDXT1, .Width = 6, .Height = 8, .Pixels = TBytes(16), .Trailer = TBytes(64)});
    ExpectFailure("blocks.DDS", "pixel bytes");
    Make({.Format = pfDXT5, .Width = 64, .Height = 64, .Stripped = true});
    ExpectFailure("stripped.DDS", "pixel bytes");
    // Nonsense sizes never reach an allocation.
    Make({.Format = pfRGBA8, .Width = INT32_MAX, .Height = INT32_MAX, .Pixels = TBytes(16)});
    ExpectFailure("huge.BMP", "fewer bytes");
    Make({.Format = pfRGBA8, .Width = -4, .Height = 4, .Pixels = TBytes(64)});
    ExpectFailure("negative.BMP", "fewer bytes");
    Make({.Format = pfDXT1, .Width = 4, .Height = 4, .StatedMipSize = 0x7FFFFF00});
    ExpectFailure("stated.DDS", "fewer bytes");
}

} // namespace
} // namespace swatchbox::testing
