// The test-side package writer is the reference the reader is checked against,
// so its own encodings are pinned here: compact indices, header layout by
// version, tag bytes as real packages store them, and the texture mip header.
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

Bytes Slice(const Bytes& From, std::size_t Offset, std::size_t Count) {
    return Bytes(From.begin() + static_cast<std::ptrdiff_t>(Offset),
                 From.begin() + static_cast<std::ptrdiff_t>(Offset + Count));
}

TEST(BuilderCompactIndex, EncodesTheWorkedValues) {
    EXPECT_EQ(EncodeIndex(0), (Bytes{0x00}));
    EXPECT_EQ(EncodeIndex(63), (Bytes{0x3F}));
    EXPECT_EQ(EncodeIndex(64), (Bytes{0x40, 0x01}));
    EXPECT_EQ(EncodeIndex(-1), (Bytes{0x81}));
    EXPECT_EQ(EncodeIndex(-64), (Bytes{0xC0, 0x01}));
    EXPECT_EQ(EncodeIndex(8192), (Bytes{0x40, 0x80, 0x01}));
    EXPECT_EQ(EncodeIndex(8191), (Bytes{0x7F, 0x7F}));
    EXPECT_EQ(EncodeIndex(1073741823), (Bytes{0x7F, 0xFF, 0xFF, 0xFF, 0x07}));
    EXPECT_EQ(EncodeIndex(2147483647), (Bytes{0x7F, 0xFF, 0xFF, 0xFF, 0x0F}));
}

TEST(BuilderCompactIndex, GrowsAtEachWidthBoundaryForBothSigns) {
    const struct {
        int32_t Last;
        int Width;
    } Limits[] = {{63, 1}, {8191, 2}, {1048575, 3}, {134217727, 4}};
    for (const auto& Limit : Limits) {
        EXPECT_EQ(IndexWidth(Limit.Last), Limit.Width) << Limit.Last;
        EXPECT_EQ(IndexWidth(-Limit.Last), Limit.Width) << -Limit.Last;
        EXPECT_EQ(IndexWidth(Limit.Last + 1), Limit.Width + 1) << Limit.Last + 1;
        EXPECT_EQ(IndexWidth(-Limit.Last - 1), Limit.Width + 1) << -Limit.Last - 1;
    }
    EXPECT_EQ(EncodeIndex(std::numeric_limits<int32_t>::min()),
              (Bytes{0xC0, 0x80, 0x80, 0x80, 0x10}));
}

TEST(BuilderCompactIndex, PadsToAWiderFormButNeverTruncates) {
    EXPECT_EQ(EncodeIndex(0, 5), (Bytes{0x40, 0x80, 0x80, 0x80, 0x00}));
    EXPECT_EQ(EncodeIndex(-1, 2), (Bytes{0xC1, 0x00}));
    EXPECT_EQ(EncodeIndex(64, 3), (Bytes{0x40, 0x81, 0x00}));
    EXPECT_THROW(EncodeIndex(64, 1), std::invalid_argument);
    EXPECT_THROW(EncodeIndex(1, 6), std::invalid_argument);
}

TEST(BuilderHeader, OldVersionsCarryHeritageNewOnesGenerations) {
    TPackageBuilder Old(67);
    Old.AddName("None");
    const TBuiltPackage OldFile = Old.Build();
    EXPECT_EQ(GetU32(OldFile.Bytes, 0), 0x9E2A83C1u);
    EXPECT_EQ(GetU16(OldFile.Bytes, 4), 67);
    EXPECT_EQ(GetU32(OldFile.Bytes, 36), 1u); // one heritage entry
    EXPECT_EQ(GetU32(OldFile.Bytes, 40), static_cast<uint32_t>(OldFile.HeritageOffset));
    EXPECT_EQ(OldFile.NameOffset, 44);
    EXPECT_EQ(OldFile.Bytes.size(), static_cast<std::size_t>(OldFile.HeritageOffset) + 16);

    TPackageBuilder New(68);
    New.AddName("None");
    New.AddGroup("Walls");
    const TBuiltPackage NewFile = New.Build();
    EXPECT_EQ(Slice(NewFile.Bytes, 36, 16), Bytes(New.Guid.begin(), New.Guid.end()));
    EXPECT_EQ(GetU32(NewFile.Bytes, 52), 1u);
    EXPECT_EQ(GetU32(NewFile.Bytes, 56), 1u);               // export count
    EXPECT_EQ(GetU32(NewFile.Bytes, 60), New.Names.size()); // name count
    EXPECT_EQ(NewFile.NameOffset, 64);
    EXPECT_EQ(GetU32(NewFile.Bytes, 12), New.Names.size());
    EXPECT_EQ(GetU32(NewFile.Bytes, 24), static_cast<uint32_t>(NewFile.ExportOffset));
}

TEST(BuilderNames, LengthByteAppearsFromVersion64) {
    TPackageBuilder V63(63);
    V63.AddName("Wall");
    EXPECT_EQ(Slice(V63.Build().Bytes, 44, 9), (Bytes{'W', 'a', 'l', 'l', 0, 0x10, 0, 7, 0}));

    TPackageBuilder V64(64);
    V64.AddName("Wall");
    V64.AddNameCopy("Wall");
    V64.Names[1].LengthByte = 0xC5;
    const TBuiltPackage File = V64.Build();
    EXPECT_EQ(Slice(File.Bytes, File.NameEntryOffsets[0], 6), (Bytes{5, 'W', 'a', 'l', 'l', 0}));
    EXPECT_EQ(File.Bytes[File.NameEntryOffsets[1]], 0xC5);
}

TEST(BuilderExports, EmptyDataDropsSerialOffsetAndOuterIsFourBytes) {
    TPackageBuilder Package(69);
    const int32_t Group = Package.AddExport({.Name = "Empty"});
    Package.AddExport({.Class = -1, .Outer = Group, .Name = "Full", .Data = {1, 2, 3}});
    const TBuiltPackage File = Package.Build();

    // class, super, 4-byte outer, name, flags, size 0 and nothing after it
    EXPECT_EQ(Slice(File.Bytes, File.Export(1).EntryOffset, 12),
              (Bytes{0, 0, 0, 0, 0, 0, 0, 0x04, 0x00, 0x07, 0x00, 0x00}));
    EXPECT_EQ(File.Export(1).EntryOffset + 12, File.Export(2).EntryOffset);

    const Bytes Full = Slice(File.Bytes, File.Export(2).EntryOffset, 12);
    EXPECT_EQ(Slice(Full, 0, 6), (Bytes{0x81, 0x00, 0x01, 0x00, 0x00, 0x00}));
    EXPECT_EQ(Full[11], 0x03); // SerialSize
    EXPECT_EQ(Slice(File.Bytes, File.DataOffset(2), 3), (Bytes{1, 2, 3}));
}

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

TEST(BuilderTags, ChoosesTheShortestSizeCode) {
    EXPECT_EQ(DefaultSizeCode(1), 0);
    EXPECT_EQ(DefaultSizeCode(2), 1);
    EXPECT_EQ(DefaultSizeCode(4), 2);
    EXPECT_EQ(DefaultSizeCode(12), 3);
    EXPECT_EQ(DefaultSizeCode(16), 4);
    EXPECT_EQ(DefaultSizeCode(0), 5);
    EXPECT_EQ(DefaultSizeCode(3), 5);
    EXPECT_EQ(DefaultSizeCode(255), 5);
    EXPECT_EQ(DefaultSizeCode(256), 6);
    EXPECT_EQ(DefaultSizeCode(65535), 6);
    EXPECT_EQ(DefaultSizeCode(65536), 7);
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

// The reader is the second implementation: whatever the builder lays out, the
// reader must find at the same places, in every version family.
TEST(BuilderTextures, ReaderFindsWhatTheBuilderPlaced) {
    TTempDir Folder;
    for (const int16_t Version : {61, 63, 64, 67, 68, 69, 110, 128}) {
        TPackageBuilder Package(Version);
        const int32_t Palette = Package.AddPalette("Pal");
        TTextureDesc Desc;
        Desc.Name = "Bricks";
        Desc.Group = "Walls";
        Desc.Width = 8;
        Desc.Height = 4;
        Desc.Masked = true;
        Desc.Palette = Palette;
        Desc.Flags |= HasStateFrameFlag;
        const int32_t Texture = Package.AddTexture(Desc);
        const std::string Path = Folder.File("v" + std::to_string(Version) + ".utx");
        const TBuiltPackage File = Package.WriteTo(Path);

        TSilentReporter Quiet;
        TUnrealPackage Reader(Path, Quiet);
        const TTextureObject Read(Reader, Texture - 1);
        EXPECT_EQ(Read.Name, "Bricks") << Version;
        EXPECT_EQ(Read.Group, "Walls") << Version;
        EXPECT_EQ(Read.USize, 8) << Version;
        EXPECT_EQ(Read.VSize, 4) << Version;
        EXPECT_TRUE(Read.bMasked) << Version;
        EXPECT_EQ(Read.MipDataSize, 32) << Version;
        EXPECT_EQ(Read.MipDataPosition, File.MipDataPosition(Texture)) << Version;
        EXPECT_EQ(Read.PalettePosition, File.PalettePosition(Palette)) << Version;
        EXPECT_EQ(Read.PalettePosition, File.DataOffset(Palette) + 3) << Version;
    }
}

} // namespace
} // namespace swatchbox::testing
