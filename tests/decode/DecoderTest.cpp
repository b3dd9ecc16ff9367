// The portable decoder: every format at odd sizes against pixels worked out
// by hand, the alpha each flag combination keeps, and data it must refuse.
#include "decode/DecodeErrors.h"
#include "decode/PixelDecoder.h"
#include "decode/TextureDecoder.h"
#include "package/FileStream.h"
#include "tests/package/PackageFile.h"
#include "tests/support/ImageReader.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace swatchbox::testing {
namespace {

// DXT1 end points blue (0x001F) and red (0xF800), in the order that makes
// three colours and transparent black; each row of texels uses codes 0, 1,
// 2, 3 from left to right.
const TBytes ThreeColourBlock = {0x1F, 0x00, 0x00, 0xF8, 0xE4, 0xE4, 0xE4, 0xE4};

// DXT blocks of every mode are checked against libsquish; the rows here hold
// what noise doesn't reach.
TEST(PixelDecoder, EveryFormatAtOddSizesGivesTheHandWorkedPixels) {
    // Palette entry i is (i, 255 - i, 7i, 3i + 1).
    const TBytes Indices = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 200};
    const TBytes Bgra = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160};
    // value * 255 / 65535 rounded: 128 -> 0.498, 129 -> 0.502, 0x7FFF -> 127.498
    const TBytes Words = {0x80, 0x00, 0x81, 0x00, 0xFF, 0x7F, 0x00, 0x80};
    const auto G = [](uint8_t Value) { return TRgba{Value, Value, Value, 255}; };
    const TRgba Red{255, 0, 0, 255}, Clear{0, 0, 0, 0};
    // X 255 and Y 0 in two BC4 blocks; X 128 in alpha and Y 255 in green.
    const TBytes Bc5 = {255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const TBytes Dxt5n = {128, 0, 0, 0, 0, 0, 0, 0, 0xE0, 0x07, 0xE0, 0x07, 0, 0, 0, 0};
    // Format, size, stored bytes, and pixels at x, y.
    const std::tuple<TPixelFormat, int32_t, int32_t, TBytes,
                     std::vector<std::tuple<int32_t, int32_t, TRgba>>>
        Cases[] = {
            {pfP8, 5, 3, Indices, {{0, 0, {0, 255, 0, 1}}, {4, 2, {200, 55, 120, 89}}}},
            {pfRGBA8, 2, 2, Bgra, {{0, 0, {30, 20, 10, 40}}, {1, 1, {150, 140, 130, 160}}}},
            {pfG16, 2, 2, Words, {{0, 0, G(0)}, {1, 0, G(1)}, {0, 1, G(127)}, {1, 1, G(128)}}},
            // Equal end points are the three-colour kind too.
            {pfDXT1, 1, 1, {0x00, 0xF8, 0x00, 0xF8, 0x03, 0, 0, 0}, {{0, 0, Clear}}},
            {pfL8, 3, 1, {0, 128, 255}, {{0, 0, G(0)}, {1, 0, G(128)}, {2, 0, G(255)}}},
            // 5-6-5 little-endian, red on top; blue 16 widens to 16 << 3 | 16 >> 2.
            {pfRGB16,
             3,
             1,
             {0x00, 0xF8, 0xE0, 0x07, 0x10, 0x00},
             {{0, 0, Red}, {1, 0, {0, 255, 0, 255}}, {2, 0, {0, 0, 132, 255}}}},
            {pfRGB8, 1, 1, {1, 2, 3}, {{0, 0, {3, 2, 1, 255}}}},
            // Code 0 is end point 0, code 7 with 255 > 0 is one seventh of it.
            {pfBC4, 2, 1, {255, 0, 0x38, 0, 0, 0, 0, 0}, {{0, 0, G(255)}, {1, 0, G(36)}}},
            // Normal maps: X in red, Y in green, Z rebuilt into blue; DXT5N keeps X
            // in alpha.
            {pfCxV8U8, 1, 1, {0x81, 127}, {{0, 0, {0, 255, 128, 255}}}},
            {pfBC5, 1, 1, Bc5, {{0, 0, {255, 0, 128, 255}}}},
            {pfDXT5N, 1, 1, Dxt5n, {{0, 0, {128, 255, 128, 255}}}},
        };
    for (const auto& [Format, Width, Height, Data, Expected] : Cases) {
        SCOPED_TRACE(std::string(GetFormatName(Format)) + " " + std::to_string(Width) + "x" +
                     std::to_string(Height));
        const TRgbaImage Image =
            DecodeMip({Format, Width, Height, Data, DefaultPaletteColours()}, {.KeepStored = true});
        ASSERT_EQ(Image.Pixels.size(), std::size_t(Width * Height * 4));
        for (const auto& [X, Y, Pixel] : Expected)
            EXPECT_EQ(PixelAt(Image, X, Y), Pixel) << X << "," << Y;
    }
}

// One random block per mode (the mode is the lowest set bit of byte 0), with
// texels 0, 5 and 15 as an independent BC7 decoder gives them. A block with
// no mode bit is transparent black.
TEST(PixelDecoder, Bc7DecodesEveryMode) {
    // The block, and texels 0, 5 and 15.
    const std::pair<const char*, std::array<uint8_t, 12>> Cases[] = {
        {"39B4E652E44DA7F2370D9E260E271365",
         {79, 33, 110, 255, 49, 99, 181, 255, 128, 157, 149, 255}},
        {"1A97202DD265509C2E3F207082C4409D",
         {92, 72, 112, 255, 68, 78, 146, 255, 64, 40, 161, 255}},
        {"E4B4169E1FAA2F15FB9235B65F91416D",
         {214, 181, 138, 255, 92, 181, 68, 255, 231, 16, 222, 255}},
        {"C8B6DD50F3C8A11F55663CACB41545DF",
         {219, 57, 62, 255, 219, 57, 62, 255, 221, 29, 103, 255}},
        // Modes 4 and 5 with alpha swapped into green and into red.
        {"50A89F7E78666A3A4F71590F10418D15",
         {66, 101, 57, 57, 239, 101, 231, 239, 182, 101, 174, 179}},
        {"D0A89F7E78666A3A4F71590F10418D15", // mode 4 choosing its other index set
         {66, 101, 57, 57, 66, 154, 57, 57, 66, 137, 57, 57}},
        {"609C7FF50C6D7176AE0138B9BB253195",
         {156, 183, 138, 121, 156, 171, 161, 56, 157, 207, 90, 255}},
        {"C0B756ACF267F2E3DE9FFF91A3B04B8F",
         {203, 144, 158, 222, 180, 84, 50, 198, 200, 137, 145, 219}},
        {"80BD606CBB08082FFE1FA121998F7075", {16, 113, 227, 56, 97, 138, 40, 16, 43, 121, 166, 43}},
        {"00000000000000000000000000000000", {}},
    };
    for (const auto& [Hex, Texels] : Cases) {
        SCOPED_TRACE(Hex);
        TBytes Block;
        for (int At = 0; At < 32; At += 2)
            Block.push_back(uint8_t(std::stoi(std::string(Hex + At, 2), nullptr, 16)));
        const TRgbaImage Image = DecodeMip({pfBC7, 4, 4, Block, {}}, {.KeepStored = true});
        for (const int32_t At : {0, 1, 3}) {
            const auto* Texel = &Texels[std::size_t((At + 1) / 2 * 4)];
            EXPECT_EQ(PixelAt(Image, At, At), (TRgba{Texel[0], Texel[1], Texel[2], Texel[3]}))
                << At;
        }
    }
}

TEST(PixelDecoder, AlphaFollowsTheFlagsTheFormatAndTheMode) {
    const TBytes Palette = DefaultPaletteColours(); // alpha of entry i: 3i + 1
    const TBytes Indices = {0, 5}, Bgra = {1, 2, 3, 7, 1, 2, 3, 7}, Grey = {0, 0, 0, 0};
    const TBytes Bc7Reserved(16); // transparent black
    const TBytes Dxt5 = {255, 0, 0x07, 0, 0, 0, 0, 0, 0x00, 0xF8, 0x1F, 0x00, 0, 0, 0, 0};
    const TAlphaMode Engine = TAlphaMode::Engine, Opaque = TAlphaMode::Opaque;
    // Format, stored bytes, width, bMasked, bAlphaTexture, mode, first and last alpha.
    const std::tuple<TPixelFormat, const TBytes&, int32_t, bool, bool, TAlphaMode, uint8_t, uint8_t>
        Cases[] = {
            {pfP8, Indices, 2, false, false, Engine, 255, 255},
            {pfP8, Indices, 2, true, false, Engine, 0, 255},
            {pfP8, Indices, 2, false, true, Engine, 1, 16},
            {pfP8, Indices, 2, true, true, Engine, 0, 16},
            {pfP8, Indices, 2, true, true, Opaque, 255, 255},
            {pfRGBA8, Bgra, 2, false, false, Engine, 255, 255},
            {pfRGBA8, Bgra, 2, true, false, Engine, 7, 7},
            {pfRGBA8, Bgra, 2, false, true, Engine, 7, 7},
            {pfRGBA8, Bgra, 2, true, true, Opaque, 255, 255},
            {pfG16, Grey, 2, true, true, Engine, 255, 255},
            {pfBC7, Bc7Reserved, 4, false, false, Engine, 255, 255},
            {pfBC7, Bc7Reserved, 4, false, true, Engine, 0, 0},
            {pfDXT1, ThreeColourBlock, 4, false, false, Engine, 255, 0},
            {pfDXT1, ThreeColourBlock, 4, true, true, Opaque, 255, 255},
            {pfDXT5, Dxt5, 2, false, false, Engine, 36, 255},
            {pfDXT5, Dxt5, 2, false, false, Opaque, 255, 255},
        };
    for (const auto& [Format, Data, Width, Masked, Alpha, Mode, First, Last] : Cases) {
        SCOPED_TRACE(std::string(GetFormatName(Format)) + (Masked ? " masked" : "") +
                     (Alpha ? " alpha" : "") + (Mode == Opaque ? " opaque" : ""));
        const TRgbaImage Image =
            DecodeMip({Format, Width, 1, Data, Palette}, AlphaRuleFor(Format, Masked, Alpha, Mode));
        EXPECT_EQ(PixelAt(Image, 0, 0)[3], First);
        EXPECT_EQ(PixelAt(Image, Width - 1, 0)[3], Last);
    }
}

TEST(PixelDecoder, RefusesFormatsWithoutADecoderAndShortData) {
    const TBytes Eight(8), Palette = DefaultPaletteColours();
    const std::pair<TMipBytes, const char*> Cases[] = {
        {{pfRRRGGGBBB, 1, 1, Eight, {}}, "The pixel format RRRGGGBBB can't be decoded."},
        {{pfUnknown, 1, 1, Eight, {}}, "The pixel format (unknown) can't be decoded."},
        {{pfRGBA8, 3, 1, Eight, {}}, "The texture stores 8 pixel bytes where its size needs 12."},
        {{pfP8, 2, 2, Eight, {Palette.data(), 1020}},
         "The texture's palette holds fewer than 256 colours."},
        {{pfP8, 0, 4, Eight, Palette}, "The texture's size 0x4 holds no pixels."},
        {{pfG16, 32768, 16385, Eight, {}},
         "The texture's size 32768x16385 is too large to decode."},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(ThrownMessage<EDecodeError>([&] { DecodeMip(Case.first, {}); }), Case.second);
    EXPECT_THROW(DecodeGrey16({pfG16, 2, 3, Eight, {}}), EDecodeError);
    EXPECT_THROW(DecodeGrey16({pfP8, 2, 2, Eight, Palette}), EDecodeError);
}

// Through the package file: a masked texture's flag reaches the alpha rule
// (other positions and flags are read back through swatchbox-cli export),
// and refusals come before anything of the stated size is allocated.
TEST(TextureDecoder, KeepsTheMaskAndRefusesWhatTheFileCantHold) {
    TPackageBuilder Builder;
    const int32_t Palette = Builder.AddPalette("Pal");
    const int32_t References[] = {Builder.AddTexture({.Width = 3,
                                                      .Height = 2,
                                                      .Masked = true,
                                                      .Palette = Palette,
                                                      .Pixels = TBytes{0, 1, 2, 3, 4, 5}}),
                                  // A huge picture in a file of a few bytes.
                                  Builder.AddTexture({.Format = pfDXT1,
                                                      .Width = 16384,
                                                      .Height = 16384,
                                                      .Pixels = TBytes(8),
                                                      .StatedMipSize = 16384 * 16384 / 2})};
    TPackageFile File(Builder);
    File.Open();
    std::vector<TMipSource> Sources;
    for (const int32_t Reference : References)
        Sources.push_back(MipSourceOf(*File.Decode(Reference)));
    TFileStream Stream(File.Path);
    const TRgbaImage Image = DecodeTexture(Stream, Sources[0], TAlphaMode::Engine);
    EXPECT_EQ(PixelAt(Image, 0, 0), (TRgba{0, 255, 0, 0}));
    EXPECT_EQ(PixelAt(Image, 2, 1), (TRgba{5, 250, 35, 255}));

    // A stated size too short for the texture's, and a palette beyond the file.
    TMipSource Short = Sources[0], NoPalette = Sources[0];
    Short.DataSize = 5;
    NoPalette.PalettePosition = static_cast<int32_t>(File.Built.Bytes.size()) - 100;
    const std::string Beyond =
        "The package \"" + File.Path + "\" holds fewer bytes than the texture needs.";
    const std::pair<TMipSource, std::string> Refused[] = {
        {Short, "The texture stores 5 pixel bytes where its size needs 6."},
        {Sources[1], Beyond},
        {NoPalette, Beyond}};
    for (const auto& Case : Refused)
        EXPECT_EQ(ThrownMessage<EDecodeError>(
                      [&] { DecodeTexture(Stream, Case.first, TAlphaMode::Engine); }),
                  Case.second);
}

} // namespace
} // namespace swatchbox::testing
