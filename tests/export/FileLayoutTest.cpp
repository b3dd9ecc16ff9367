// Byte layout of the DDS header and of PNG chunks, the extension rule, the safe output file and
// sizes an image file type can't hold, independent of any package. (What the image writers write,
// in every type and at odd sizes, is read back through swatchbox-cli export.)
#include "export/DdsFile.h"
#include "export/ExportAsIs.h"
#include "export/ExportErrors.h"
#include "export/ImageFile.h"
#include "export/OutputFile.h"
#include "export/PngFile.h"
#include "package/ByteOrder.h"
#include "tests/support/TestFiles.h"
#include "tools/package-builder/BuiltPackage.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <zlib.h>

#include <filesystem>
#include <string>
#include <vector>

namespace swatchbox::testing {
namespace {

TEST(FixExtension, AppendsTheDefaultUnlessTheNameEndsInItInAnyCase) {
    const std::pair<const char*, const char*> Cases[] = {
        {"C:\\out\\brick", "C:\\out\\brick.BMP"},
        {"wall.Bmp", "wall.Bmp"},
        {"brick.dds", "brick.dds.BMP"},
        {"C:\\tex.bmp\\wall", "C:\\tex.bmp\\wall.BMP"}, // a dot in a folder name is no extension
        {"", ".BMP"}};
    for (const auto& [Name, Fixed] : Cases)
        EXPECT_EQ(FixExtension(Name, ".BMP"), Fixed);
}

// Width and height are divided by four separately, so a tiny texture states
// a linear size of 0; only DXT3 and DXT5 carry a bit count; BC7 needs the
// Direct3D 10 header; CxV8U8 states a row pitch under its Direct3D 9 number.
TEST(DdsHeader, CarriesSizeFourCCAndLinearSize) {
    const auto Bytes = MakeDdsHeader(256, 64, pfDXT1);
    ASSERT_EQ(Bytes.size(), 128u);
    EXPECT_EQ(std::string(Bytes.begin(), Bytes.begin() + 4), "DDS ");
    const std::pair<std::size_t, uint32_t> Fields[] = {
        {4, 124}, {8, 0x81007}, {12, 64}, {16, 256}, {20, 8192},
        {28, 1},  {76, 32},     {80, 4},  {88, 0},   {108, 0x1000}};
    for (const auto& [Offset, Value] : Fields)
        EXPECT_EQ(GetU32(Bytes, Offset), Value) << "offset " << Offset;
    for (std::size_t Offset = 112; Offset < 128; Offset += 4)
        EXPECT_EQ(GetU32(Bytes, Offset), 0u) << "offset " << Offset;
    // Format, size, FourCC, flags, linear size or pitch, bit count, header size.
    const std::tuple<TPixelFormat, int32_t, int32_t, const char*, uint32_t, uint32_t, uint32_t,
                     std::size_t>
        Cases[] = {{pfDXT3, 64, 32, "DXT3", 0x81007, 2048, 256, 128},
                   {pfDXT5N, 256, 256, "DXT5", 0x81007, 65536, 512, 128},
                   {pfDXT1, 2, 2, "DXT1", 0x81007, 0, 0, 128},
                   {pfDXT1, 6, 8, "DXT1", 0x81007, 16, 0, 128},
                   {pfBC4, 8, 8, "ATI1", 0x81007, 32, 0, 128},
                   {pfBC5, 8, 8, "ATI2", 0x81007, 64, 0, 128},
                   {pfBC5S, 8, 8, "BC5S", 0x81007, 64, 0, 128},
                   {pfBC7, 8, 4, "DX10", 0x81007, 32, 0, 148},
                   {pfCxV8U8, 6, 2, "u\0\0\0", 0x100F, 12, 0, 128}};
    for (const auto& [Format, Width, Height, FourCC, Flags, LinearSize, BitCount, Size] : Cases) {
        SCOPED_TRACE(std::string(FourCC) + " " + std::to_string(Width));
        const auto Other = MakeDdsHeader(Width, Height, Format);
        ASSERT_EQ(Other.size(), Size);
        EXPECT_EQ(std::tuple(std::string(Other.begin() + 84, Other.begin() + 88), GetU32(Other, 8),
                             GetU32(Other, 20), GetU32(Other, 88)),
                  std::tuple(std::string(FourCC, 4), Flags, LinearSize, BitCount));
    }
    // DXGI_FORMAT_BC7_UNORM, a 2D texture, one array element.
    const auto Bc7 = MakeDdsHeader(8, 4, pfBC7);
    for (const auto& [Offset, Value] :
         {std::pair<std::size_t, uint32_t>{128, 98}, {132, 3}, {136, 0}, {140, 1}, {144, 0}})
        EXPECT_EQ(GetU32(Bc7, Offset), Value) << "offset " << Offset;
    EXPECT_TRUE(MakeDdsHeader(8, 8, pfRGBA8).empty());
}

TEST(OutputFile, ReplacesTheTargetOnlyWhenCommittedAndNamesOneItCannotCreate) {
    TTempDir Dir;
    const std::string Target = Dir.File("out.bin");
    WriteFileBytes(Target, {9, 9, 9});
    {
        TOutputFile Output(Target);
        Output.Write("\1\2", 2);
        // Until the commit the old file is what others see.
        EXPECT_EQ(ReadFileBytes(Target), (TBytes{9, 9, 9}));
        Output.Commit();
    }
    // (A failed export abandons its output: the old file stays, alone.)
    EXPECT_EQ(ReadFileBytes(Target), (TBytes{1, 2}));
    const std::string Message =
        ThrownMessage<EExportError>([&] { TOutputFile(Dir.File("missing/out.bin")); });
    EXPECT_NE(Message.find("out.bin"), std::string::npos) << Message;
#ifndef _WIN32
    // A pipe (like /dev/null) is no file to replace: it stays what it was.
    const std::string Pipe = Dir.File("pipe");
    ASSERT_EQ(mkfifo(Pipe.c_str(), 0600), 0);
    TOutputFile Output(Pipe);
    EXPECT_NE(ThrownMessage<EExportError>([&] { Output.Commit(); }).find("not a regular file"),
              std::string::npos);
    EXPECT_TRUE(std::filesystem::is_fifo(Pipe));
#endif
}

TEST(ImageFile, SizesTheFileTypeCantHoldAreRefusedWithoutAFile) {
    TTempDir Dir;
    const TRgbaImage Wide(65536, 1);
    // Too large for one PNG chunk; refused before its pixels are read.
    TRgbaImage Huge;
    Huge.Width = 1 << 16;
    Huge.Height = 1 << 15;
    const auto Refused = [&](const TRgbaImage& Image, const char* Name, TImageFileType Type) {
        const auto Write = [&] { WriteImageFile(Image, Dir.File(Name), Type); };
        return ThrownMessage<EExportError>(Write).find("too large") != std::string::npos;
    };
    EXPECT_TRUE(Refused(Wide, "Wide.TGA", TImageFileType::Tga));
    EXPECT_TRUE(Refused(Huge, "Huge.PNG", TImageFileType::Png));
    EXPECT_TRUE(std::filesystem::is_empty(Dir.Path()));
}

// Checked with zlib as a PNG reader checks a file: the chunks with their
// CRCs, the header's fields, the clear colour, and the image data a zlib
// stream of the rows, each unfiltered (a 0 byte first). A clear colour that
// an opaque pixel also has, or one of several, can't stand for the clear
// pixels.
TEST(PngFile, ChunksHoldTheHeaderAndTheUnfilteredRows) {
    const auto Png = [](const auto& Image) {
        std::vector<uint8_t> Bytes;
        WritePng(Image, [&](const uint8_t* From, std::size_t Count) {
            Bytes.insert(Bytes.end(), From, From + Count);
        });
        return Bytes;
    };
    TRgbaImage Clear(2, 1), Opaque(1, 2), Keyed(3, 1), Shared(3, 1), Mixed(1, 2);
    Clear.Pixels = {1, 2, 3, 4, 5, 6, 7, 255};
    Opaque.Pixels = {1, 2, 3, 255, 4, 5, 6, 255};
    Keyed.Pixels = {1, 2, 3, 255, 9, 8, 7, 0, 9, 8, 7, 0};
    Shared.Pixels = {9, 8, 7, 255, 9, 8, 7, 0, 1, 2, 3, 255};
    Mixed.Pixels = {9, 8, 7, 0, 1, 2, 3, 0};
    const TGrey16Image Grey{2, 1, {0x1234, 0xABCD}};
    const std::tuple<std::vector<uint8_t>, uint32_t, uint32_t, uint8_t, uint8_t,
                     std::vector<uint8_t>, std::vector<uint8_t>>
        Cases[] = {{Png(Clear), 2, 1, 8, 6, {0, 1, 2, 3, 4, 5, 6, 7, 255}, {}},
                   {Png(Opaque), 1, 2, 8, 2, {0, 1, 2, 3, 0, 4, 5, 6}, {}},
                   {Png(Keyed), 3, 1, 8, 2, {0, 1, 2, 3, 9, 8, 7, 9, 8, 7}, {0, 9, 0, 8, 0, 7}},
                   {Png(Shared), 3, 1, 8, 6, {0, 9, 8, 7, 255, 9, 8, 7, 0, 1, 2, 3, 255}, {}},
                   {Png(Mixed), 1, 2, 8, 6, {0, 9, 8, 7, 0, 0, 1, 2, 3, 0}, {}},
                   {Png(Grey), 2, 1, 16, 0, {0, 0x12, 0x34, 0xAB, 0xCD}, {}}};
    for (const auto& [File, Width, Height, Depth, Colour, Rows, ClearColour] : Cases) {
        SCOPED_TRACE(Rows.size());
        const std::span<const uint8_t> Bytes(File);
        ASSERT_GT(Bytes.size(), 8u);
        EXPECT_EQ(std::string(Bytes.begin() + 1, Bytes.begin() + 4), "PNG");
        std::vector<std::pair<std::string, std::span<const uint8_t>>> Chunks;
        for (std::size_t At = 8; At + 12 <= Bytes.size();) {
            const uint32_t Length = LoadBE32(Bytes.subspan(At).first<4>());
            ASSERT_LE(At + 12 + Length, Bytes.size());
            const auto Typed = Bytes.subspan(At + 4, 4 + Length);
            EXPECT_EQ(crc32(0, Typed.data(), static_cast<uInt>(Typed.size())),
                      LoadBE32(Bytes.subspan(At + 8 + Length).first<4>()));
            Chunks.emplace_back(std::string(Typed.begin(), Typed.begin() + 4), Typed.subspan(4));
            At += 12 + Length;
        }
        if (!ClearColour.empty()) {
            ASSERT_EQ(Chunks.size(), 4u);
            EXPECT_EQ(Chunks[1].first, "tRNS");
            EXPECT_EQ(std::vector<uint8_t>(Chunks[1].second.begin(), Chunks[1].second.end()),
                      ClearColour);
            Chunks.erase(Chunks.begin() + 1);
        }
        ASSERT_EQ(Chunks.size(), 3u);
        EXPECT_EQ(Chunks[0].first + Chunks[1].first + Chunks[2].first, "IHDRIDATIEND");
        const auto Header = Chunks[0].second;
        ASSERT_EQ(Header.size(), 13u);
        EXPECT_EQ(LoadBE32(Header.first<4>()), Width);
        EXPECT_EQ(LoadBE32(Header.subspan<4, 4>()), Height);
        EXPECT_EQ(std::vector<uint8_t>(Header.begin() + 8, Header.end()),
                  (std::vector<uint8_t>{Depth, Colour, 0, 0, 0}));
        std::vector<uint8_t> Unpacked(Rows.size() + 1);
        uLongf Size = static_cast<uLongf>(Unpacked.size());
        ASSERT_EQ(uncompress(Unpacked.data(), &Size, Chunks[1].second.data(),
                             static_cast<uLong>(Chunks[1].second.size())),
                  Z_OK);
        Unpacked.resize(Size);
        EXPECT_EQ(Unpacked, Rows);
        EXPECT_TRUE(Chunks[2].second.empty());
    }
}

} // namespace
} // namespace swatchbox::testing
