// "As is" export of textures from built packages: the files byte for byte,
// the extension rule, refused formats, and what a failure leaves behind.
#include "export/ExportAsIs.h"
#include "tests/builder/PackageBuilder.h"
#include "tests/support/RecordingReporter.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace swatchbox::testing {
namespace {

// One texture in a package on disk, decoded and ready to export.
class AsIsExport : public ::testing::Test {
protected:
    TTextureObject& Make(TTextureDesc Desc, bool WithPalette = false) {
        TPackageBuilder Builder(128);
        if (WithPalette)
            Desc.Palette = Builder.AddPalette("Pal");
        const int32_t Reference = Builder.AddTexture(Desc);
        Built = Builder.WriteTo(PackagePath);
        Package.emplace(PackagePath, Reporter);
        Texture.emplace(*Package, Reference - 1);
        return *Texture;
    }

    std::vector<uint8_t> Stored() const {
        const auto Begin = Built.Bytes.begin() + Texture->MipDataPosition;
        return {Begin, Begin + MipByteSize(Texture->Format, Texture->USize, Texture->VSize)};
    }

    bool Export(const std::string& Name) { return ExportAsIs(*Texture, Dir.File(Name), Reporter); }

    std::vector<std::string> FilesInDir() const {
        std::vector<std::string> Names;
        for (const auto& Entry : std::filesystem::directory_iterator(Dir.Path()))
            if (Entry.path().string() != PackagePath)
                Names.push_back(Entry.path().filename().string());
        return Names;
    }

    TTempDir Dir;
    std::string PackagePath = Dir.File("Tex.utx");
    TRecordingReporter Reporter;
    TBuiltPackage Built;
    std::optional<TUnrealPackage> Package;
    std::optional<TTextureObject> Texture;
};

// Bitmap bytes built by hand: headers, palette, then Rows bottom-up.
std::vector<uint8_t> ExpectedBitmap(int32_t Width, int32_t Height, int Bits,
                                    const std::vector<uint8_t>& Palette,
                                    const std::vector<uint8_t>& TopDown) {
    const std::size_t RowBytes = static_cast<std::size_t>(Width) * Bits / 8;
    const std::size_t Pitch = (RowBytes + 3) & ~std::size_t{3};
    const uint32_t Offset = 54 + static_cast<uint32_t>(Palette.size());
    const uint32_t ImageSize = static_cast<uint32_t>(Pitch) * static_cast<uint32_t>(Height);
    std::vector<uint8_t> File;
    auto Put = [&](uint32_t Value, int Bytes) {
        for (int I = 0; I < Bytes; ++I)
            File.push_back(static_cast<uint8_t>(Value >> (8 * I)));
    };
    File = {'B', 'M'};
    Put(Offset + ImageSize, 4);
    Put(0, 4);
    Put(Offset, 4);
    Put(40, 4);
    Put(static_cast<uint32_t>(Width), 4);
    Put(static_cast<uint32_t>(Height), 4);
    Put(1, 2);
    Put(static_cast<uint32_t>(Bits), 2);
    Put(0, 4);
    Put(ImageSize, 4);
    Put(3780, 4);
    Put(3780, 4);
    Put(Palette.empty() ? 0 : 256, 4);
    Put(0, 4);
    File.insert(File.end(), Palette.begin(), Palette.end());
    for (int32_t Row = Height - 1; Row >= 0; --Row) {
        const auto Begin = TopDown.begin() + static_cast<std::ptrdiff_t>(Row * RowBytes);
        File.insert(File.end(), Begin, Begin + static_cast<std::ptrdiff_t>(RowBytes));
        File.resize(File.size() + Pitch - RowBytes, 0);
    }
    return File;
}

std::vector<uint8_t> BitmapPalette() {
    std::vector<uint8_t> Colours = DefaultPaletteColours();
    for (std::size_t Entry = 0; Entry < Colours.size(); Entry += 4)
        std::swap(Colours[Entry], Colours[Entry + 2]); // RGBA -> BGRA, alpha kept
    return Colours;
}

TEST_F(AsIsExport, PalettedTextureBecomesAnEightBitBitmapWithItsPalette) {
    Make({.Name = "Wall", .Width = 256, .Height = 256}, true);
    ASSERT_TRUE(Export("wall"));
    EXPECT_EQ(ReadFileBytes(Dir.File("wall.BMP")),
              ExpectedBitmap(256, 256, 8, BitmapPalette(), Stored()));
    EXPECT_TRUE(Reporter.Messages.empty());
}

TEST_F(AsIsExport, NarrowRowsArePaddedToFourBytes) {
    Make({.Width = 2, .Height = 2}, true);
    ASSERT_TRUE(Export("p8.bmp"));
    const auto File = ReadFileBytes(Dir.File("p8.bmp"));
    EXPECT_EQ(GetU32(File, 34), 8u);
    EXPECT_EQ(File, ExpectedBitmap(2, 2, 8, BitmapPalette(), Stored()));

    Make({.Format = pfG16, .Width = 1, .Height = 5});
    ASSERT_TRUE(Export("grey"));
    EXPECT_EQ(ReadFileBytes(Dir.File("grey.BMP")), ExpectedBitmap(1, 5, 16, {}, Stored()));

    Make({.Width = 3, .Height = 3}, true);
    ASSERT_TRUE(Export("odd"));
    EXPECT_EQ(ReadFileBytes(Dir.File("odd.BMP")),
              ExpectedBitmap(3, 3, 8, BitmapPalette(), Stored()));
}

TEST_F(AsIsExport, TrueColourAndGreyPixelsAreCopiedUnchangedBottomRowFirst) {
    Make({.Format = pfRGBA8, .Width = 64, .Height = 32, .AlphaTexture = true});
    ASSERT_TRUE(Export("rgba"));
    EXPECT_EQ(ReadFileBytes(Dir.File("rgba.BMP")), ExpectedBitmap(64, 32, 32, {}, Stored()));

    Make({.Format = pfG16, .Width = 16, .Height = 8});
    ASSERT_TRUE(Export("height.Bmp"));
    EXPECT_EQ(ReadFileBytes(Dir.File("height.Bmp")), ExpectedBitmap(16, 8, 16, {}, Stored()));
}

TEST_F(AsIsExport, CompressedTexturesBecomeDdsFilesWithTheStoredBlocks) {
    struct TCase {
        TPixelFormat Format;
        int32_t Size;
        uint32_t LinearSize;
        uint32_t BitCount;
    };
    for (const TCase& Case : {TCase{pfDXT1, 256, 32768, 0}, TCase{pfDXT3, 64, 4096, 256},
                              TCase{pfDXT5, 256, 65536, 512}, TCase{pfDXT1, 2, 0, 0}}) {
        SCOPED_TRACE(std::string(GetFormatName(Case.Format)) + " " + std::to_string(Case.Size));
        Make({.Format = Case.Format, .Width = Case.Size, .Height = Case.Size});
        ASSERT_TRUE(Export("blocks"));
        const auto File = ReadFileBytes(Dir.File("blocks.DDS"));
        ASSERT_EQ(File.size(), 128u + static_cast<std::size_t>(Texture->MipDataSize));
        EXPECT_EQ(std::string(File.begin(), File.begin() + 4), "DDS ");
        EXPECT_EQ(GetU32(File, 12), static_cast<uint32_t>(Case.Size));
        EXPECT_EQ(GetU32(File, 16), static_cast<uint32_t>(Case.Size));
        EXPECT_EQ(GetU32(File, 20), Case.LinearSize);
        EXPECT_EQ(std::string(File.begin() + 84, File.begin() + 88), GetFormatName(Case.Format));
        EXPECT_EQ(GetU32(File, 88), Case.BitCount);
        // Even a 2 x 2 texture, whose header states 0, keeps its whole block.
        const auto Begin = Built.Bytes.begin() + Texture->MipDataPosition;
        EXPECT_TRUE(std::equal(File.begin() + 128, File.end(), Begin));
    }
}

TEST_F(AsIsExport, ExtensionIsAppendedUnlessPresentAndExistingFilesAreReplaced) {
    Make({.Width = 4, .Height = 4}, true);
    const std::vector<uint8_t> Old(5000, 0xAB);
    WriteFileBytes(Dir.File("brick.dds.BMP"), Old);
    ASSERT_TRUE(Export("brick.dds"));
    EXPECT_EQ(ReadFileBytes(Dir.File("brick.dds.BMP")),
              ExpectedBitmap(4, 4, 8, BitmapPalette(), Stored()));
    EXPECT_EQ(FilesInDir().size(), 1u);
}

TEST_F(AsIsExport, UnsupportedFormatsAreRefusedAndWriteNothing) {
    for (uint8_t Format : std::initializer_list<uint8_t>{pfRGBA7, pfRGB16, pfRGB8, 6, 9, 200}) {
        SCOPED_TRACE(static_cast<int>(Format));
        Reporter.Messages.clear();
        Make({.Format = Format, .Width = 8, .Height = 8});
        EXPECT_FALSE(Export("none"));
        ASSERT_EQ(Reporter.Messages.size(), 1u);
        EXPECT_EQ(Reporter.Messages[0].Kind, TMessageKind::Error);
        EXPECT_EQ(Reporter.Messages[0].Caption, "Error");
        EXPECT_EQ(Reporter.Messages[0].Text,
                  "Cannot save texture to file!\r\n(Unknown pixel format)");
        EXPECT_TRUE(FilesInDir().empty());
    }
}

// A failed export reports the file and the reason, leaves no new file and
// never harms one that was there.
TEST_F(AsIsExport, FailuresLeaveNoFileAndKeepTheOldOne) {
    const std::vector<uint8_t> Old = {1, 2, 3};
    auto ExpectFailure = [&](const std::string& Name, const std::string& Reason) {
        Reporter.Messages.clear();
        WriteFileBytes(Dir.File(Name), Old);
        EXPECT_FALSE(Export(Name));
        ASSERT_EQ(Reporter.Messages.size(), 1u);
        EXPECT_EQ(Reporter.Messages[0].Caption, "Error");
        EXPECT_NE(Reporter.Messages[0].Text.find(Name), std::string::npos)
            << Reporter.Messages[0].Text;
        EXPECT_NE(Reporter.Messages[0].Text.find(Reason), std::string::npos)
            << Reporter.Messages[0].Text;
        EXPECT_EQ(ReadFileBytes(Dir.File(Name)), Old);
        EXPECT_EQ(FilesInDir().size(), 1u);
        std::filesystem::remove(Dir.File(Name));
    };

    // The package has gone since it was read.
    Make({.Width = 8, .Height = 8}, true);
    std::filesystem::remove(PackagePath);
    ExpectFailure("gone.BMP", "Tex.utx");

    // The package is now shorter than the texture's pixels.
    Make({.Format = pfDXT5, .Width = 64, .Height = 64});
    std::filesystem::resize_file(PackagePath,
                                 static_cast<uintmax_t>(Texture->MipDataPosition + 100));
    ExpectFailure("short.DDS", "fewer bytes");
    Make({.Format = pfRGBA8, .Width = 64, .Height = 64});
    std::filesystem::resize_file(PackagePath,
                                 static_cast<uintmax_t>(Texture->MipDataPosition + 100));
    ExpectFailure("short.BMP", "fewer bytes");

    // A mip map that states fewer bytes than its size needs (procedural
    // textures store none) has no pixels to copy.
    Make({.Width = 32, .Height = 32, .Pixels = TBytes{}, .Trailer = TBytes(2048)}, true);
    ExpectFailure("empty.BMP", "pixel bytes");
    // The same for compressed ones, partly covered 4x4 blocks counted, and
    // for textures stored without any mip map.
    Make({.Format = pfDXT1, .Width = 6, .Height = 8, .Pixels = TBytes(16), .Trailer = TBytes(64)});
    ExpectFailure("blocks.DDS", "pixel bytes");
    Make({.Format = pfDXT5, .Width = 64, .Height = 64, .Stripped = true});
    ExpectFailure("stripped.DDS", "pixel bytes");

    // Nonsense sizes never reach an allocation.
    Make({.Format = pfRGBA8, .Width = 0x7FFFFFFF, .Height = 0x7FFFFFFF, .Pixels = TBytes(16)});
    ExpectFailure("huge.BMP", "fewer bytes");
    Make({.Format = pfRGBA8, .Width = -4, .Height = 4, .Pixels = TBytes(64)});
    ExpectFailure("negative.BMP", "fewer bytes");
    Make({.Format = pfDXT1, .Width = 4, .Height = 4, .StatedMipSize = 0x7FFFFF00});
    ExpectFailure("stated.DDS", "fewer bytes");
}

} // namespace
} // namespace swatchbox::testing
