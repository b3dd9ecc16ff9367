// The test-side package writer is the reference the reader is checked against,
// so the texture mip header, which changes with the version, is pinned here by
// hand. (Tag bytes are pinned by hand in the property reader's tests.)
#include "tools/package-builder/PackageBuilder.h"

#include "package/TextureObject.h"
#include "package/UnrealPackage.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace swatchbox::testing {
namespace {

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
