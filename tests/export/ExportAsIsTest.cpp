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
    // Version 128 numbers the UE2 layouts; 69 the block formats of Unreal 1
    // builds, 129/27 (SWAT 4) its normal maps.
    TTextureObject& Make(TTextureDesc Desc, int16_t Version = 128, uint16_t Licensee = 0) {
        TPackageBuilder Builder(Version, Licensee);
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
// alpha (grey for L8) or the bit masks of 5-6-5 pixels, then the rows
// bottom-up, each padded to four bytes.
TBytes ExpectedBitmap(TPixelFormat Format, int32_t Width, int32_t Height, const TBytes& TopDown) {
    const int Bits = BytesPerPixel(Format) * 8;
    const std::size_t RowBytes = static_cast<std::size_t>(Width) * Bits / 8;
    const std::size_t Pitch = (RowBytes + 3) & ~std::size_t{3};
    TBytes Palette = Format == pfP8 ? DefaultPaletteColours() : TBytes{};
    for (std::size_t Entry = 0; Entry < Palette.size(); Entry += 4)
        std::swap(Palette[Entry], Palette[Entry + 2]);
    for (int Grey = 0; Format == pfL8 && Grey < 256; ++Grey)
        PutBytes(Palette, TBytes{uint8_t(Grey), uint8_t(Grey), uint8_t(Grey), 0});
    const uint32_t Entries = Palette.empty() ? 0u : 256u;
    if (Format == pfRGB16)
        for (const uint32_t Mask : {0xF800u, 0x07E0u, 0x001Fu})
            PutU32(Palette, Mask);
    const auto Offset = static_cast<uint32_t>(54 + Palette.size());
    const auto ImageSize = static_cast<uint32_t>(Pitch * static_cast<std::size_t>(Height));
    TBytes File = {'B', 'M'};
    for (const uint32_t Value :
         {Offset + ImageSize, 0u, Offset, 40u, uint32_t(Width), uint32_t(Height)})
        PutU32(File, Value);
    PutU16(File, 1);
    PutU16(File, static_cast<uint16_t>(Bits));
    for (const uint32_t Value : {Format == pfRGB16 ? 3u : 0u, ImageSize, 3780u, 3780u, Entries, 0u})
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
// and CxV8U8 DDS files with the stored bytes whole, also the partly covered
// blocks of a 2 x 2 texture. 512 x 257 bytes take the row writer through
// several chunks.
TEST_F(AsIsExport, TexturesBecomeFilesOfTheStoredBytes) {
    // Format, size, and the version and licensee that number the format.
    const std::tuple<TPixelFormat, int32_t, int32_t, int16_t, uint16_t> Cases[] = {
        {pfP8, 512, 257, 128, 0},  {pfP8, 3, 3, 128, 0},      {pfP8, 2, 2, 128, 0},
        {pfRGBA8, 64, 32, 128, 0}, {pfG16, 16, 8, 128, 0},    {pfG16, 1, 5, 128, 0},
        {pfL8, 5, 3, 128, 0},      {pfRGB16, 3, 2, 128, 0},   {pfRGB8, 5, 2, 128, 0},
        {pfDXT1, 256, 64, 128, 0}, {pfDXT3, 32, 64, 128, 0},  {pfDXT5, 64, 16, 128, 0},
        {pfDXT1, 2, 2, 128, 0},    {pfBC4, 8, 4, 69, 0},      {pfBC5, 5, 5, 69, 0},
        {pfBC7, 8, 8, 69, 0},      {pfCxV8U8, 3, 2, 129, 27}, {pfDXT5N, 4, 4, 129, 27}};
    for (const auto& [Format, Width, Height, Version, Licensee] : Cases) {
        SCOPED_TRACE(std::string(GetFormatName(Format)) + " " + std::to_string(Width));
        Make({.Format = Format, .Width = Width, .Height = Height}, Version, Licensee);
        ASSERT_EQ(Texture->Format, Format);
        ASSERT_TRUE(Export("wall"));
        const auto Count = static_cast<std::size_t>(MipByteSize(Format, Width, Height));
        const bool Dds = AsIsExtension(Format) == ".DDS";
        TBytes Expected = Dds ? MakeDdsHeader(Width, Height, Format)
                              : ExpectedBitmap(Format, Width, Height, Stored(Count));
        if (Dds)
            PutBytes(Expected, Stored(Count));
        EXPECT_EQ(ReadFileBytes(Dir.File(Dds ? "wall.DDS" : "wall.BMP")), Expected);
    }
    EXPECT_TRUE(Reporter.Messages.empty());
}

TEST_F(AsIsExport, UnsupportedFormatsAreRefusedAndWriteNothing) {
    for (const uint8_t Format : std::initializer_list<uint8_t>{pfRGBA7, pfRRRGGGBBB, 6, 200}) {
        Make({.Format = Format, .Width = 8, .Height = 8});
        EXPECT_FALSE(Export("none"));
    }
    EXPECT_EQ(Reporter.Messages.size(), 4u);
    for (const auto& Message : Reporter.Messages)
        EXPECT_EQ(Message.Text, "Cannot save texture to file!\r\n(Unknown pixel format)");
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
