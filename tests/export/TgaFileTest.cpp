// Byte layout of the Targa header the formatted export writes.
#include "export/TgaFile.h"

#include <gtest/gtest.h>

#include <vector>

namespace swatchbox::testing {
namespace {

TEST(TgaHeader, DescribesAnUncompressedBottomUp32BitImageWithAOneByteId) {
    const auto Header = MakeTgaHeader(0x1234, 0x0201);
    const std::vector<uint8_t> Expected = {1,    0,    2,    0,    0,  0, 0, 0, 0, 0, 0, 0, //
                                           0x34, 0x12, 0x01, 0x02, 32, 8, 0};
    EXPECT_EQ(std::vector<uint8_t>(Header.begin(), Header.end()), Expected);

    // Only the low 16 bits of each size fit.
    const auto Wide = MakeTgaHeader(0x12345, 0x10000);
    EXPECT_EQ(Wide[12], 0x45);
    EXPECT_EQ(Wide[13], 0x23);
    EXPECT_EQ(Wide[14], 0);
    EXPECT_EQ(Wide[15], 0);
}

} // namespace
} // namespace swatchbox::testing
