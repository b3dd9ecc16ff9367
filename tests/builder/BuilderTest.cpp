// The test-side package writer is the reference the reader is checked against,
// so the encodings the reader tests lean on most are pinned here by hand: tag
// bytes as real packages store them, and the texture mip header by version.
#include "tests/builder/PackageBuilder.h"

#include "package/TextureObject.h"
#include "package/UnrealPackage.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <vector>

namespace swatchbox::testing {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(BuilderTags, WritesTagsAsRealPackagesStoreThem) {
    TPackageBuilder Package(128);
    const auto Name = [&](const char* Text) { return static_cast<uint8_t>(Package.AddName(Text)); };
    const uint8_t Colour[] = {0x33, 0x33, 0x33, 0x24};
    const uint8_t Items[] = {9, 8, 7};
    TPropertyWriter Writer = Package.Properties();
    Writer.Bool("bMasked", true)
        .Bool("bAlphaTexture", false)
        .Int("InternalTime", 0x11223344, {.ArrayIndex = 1})
        .Struct("MipZero", "Color", Colour)
        .Array("Frames", 2, Items)
        .Byte("Format", 7, {.SizeCode = 7})
        .None();
    const Bytes Expected = {Name("bMasked"),
                            0xD3,
                            0x00, // Boolean in bit 7, size 0
                            Name("bAlphaTexture"),
                            0x53,
                            0x00, //
                            Name("InternalTime"),
                            0xA2,
                            0x01,
                            0x44,
                            0x33,
                            0x22,
                            0x11, // array index after size
                            Name("MipZero"),
                            0x2A,
                            Name("Color"),
                            0x33,
                            0x33,
                            0x33,
                            0x24, // struct name first
                            Name("Frames"),
                            0x59,
                            0x03,
                            0x02,
                            9,
                            8,
                            7, // size, then element count
                            Name("Format"),
                            0x71,
                            0x01,
                            0x00,
                            0x00,
                            0x00,
                            0x07, // forced 4-byte size
                            Name("None")};
    EXPECT_EQ(Writer.Bytes(), Expected);
}

// The mip header between the properties and the pixels changes at 63 and 110.
TEST(BuilderTextures, MipHeaderFollowsThePackageVersion) {
    const struct {
        int16_t Version;
        std::size_t HeaderBytes; // MipCount .. MipDataSize for 16 pixels
    } Cases[] = {{62, 2}, {63, 6}, {109, 6}, {110, 7}, {111, 6}};
    for (const auto& Case : Cases) {
        TPackageBuilder Package(Case.Version);
        TTextureDesc Desc;
        Desc.Width = 4;
        Desc.Height = 4;
        Desc.Version110Byte = 0x5A;
        const int32_t Texture = Package.AddTexture(Desc);
        const TBuiltPackage File = Package.Build();
        const int32_t Start = File.PropertiesEnd(Texture);
        EXPECT_EQ(File.MipDataPosition(Texture), Start + static_cast<int32_t>(Case.HeaderBytes))
            << Case.Version;
        EXPECT_EQ(File.Bytes[Start], 1) << Case.Version;                              // MipCount
        EXPECT_EQ(File.Bytes[File.MipDataPosition(Texture) - 1], 16) << Case.Version; // size
        if (Case.Version >= 63) {
            EXPECT_EQ(GetU32(File.Bytes, Start + 1),
                      static_cast<uint32_t>(File.MipDataPosition(Texture) + 16))
                << Case.Version;
        }
        if (Case.Version == 110) {
            EXPECT_EQ(File.Bytes[Start + 5], 0x5A);
        }
    }
}

} // namespace
} // namespace swatchbox::testing
