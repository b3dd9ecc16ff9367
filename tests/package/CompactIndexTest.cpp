// Compact indices: byte forms worked out by hand, and every width and sign in
// the builder's encoding (padded forms included), decoded from memory and read
// one after another from a package.
#include "package/Errors.h"
#include "tests/package/PackageFile.h"

#include <gtest/gtest.h>

#include <climits>

namespace swatchbox::testing {
namespace {

TEST(CompactIndex, KnownFormsAndEveryWidthAndSignReadBackExactly) {
    // The fifth byte ends the index whatever its bit 7 says; bits that land
    // above bit 31 are lost.
    std::vector<std::pair<TBytes, int32_t>> Cases = {
        {{0x00}, 0},
        {{0x3F}, 63},
        {{0x40, 0x01}, 64},
        {{0x80}, 0},
        {{0x81}, -1},
        {{0xC0, 0x01}, -64},
        {{0x40, 0x80, 0x01}, 8192},
        {{0x7F, 0x7F}, 8191},
        {{0x7F, 0xFF, 0xFF, 0xFF, 0x07}, 1073741823},
        {{0x7F, 0xFF, 0xFF, 0xFF, 0x0F}, INT_MAX},
        {{0x40, 0x80, 0x80, 0x80, 0x81}, 0x08000000},
        {{0x7F, 0xFF, 0xFF, 0xFF, 0xFF}, -1},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 1},
        {{0xC0, 0x80, 0x80, 0x80, 0x10}, INT_MIN},
    };
    std::vector<int32_t> Values = {0, 1, INT_MAX, INT_MIN, -INT_MAX};
    // The largest value of each width and the smallest of the next.
    for (int Bits = 6; Bits <= 27; Bits += 7)
        for (const int32_t Value : {(1 << Bits) - 1, 1 << Bits, -((1 << Bits) - 1), -(1 << Bits)})
            Values.push_back(Value);
    for (const int32_t Value : Values)
        for (int Width = IndexWidth(Value); Width <= 5; ++Width)
            Cases.emplace_back(EncodeIndex(Value, Width), Value);

    TBytes Data;
    for (const auto& [Bytes, Value] : Cases)
        PutBytes(Data, Bytes);
    TPackageBuilder Builder;
    Builder.AddExport({.Name = "Indices", .Data = Data});
    TPackageFile File(Builder);
    TInstalledStream Stream(File.Open());
    Stream->Seek(File.Built.DataOffset(1));
    for (const auto& [Bytes, Value] : Cases) {
        SCOPED_TRACE(::testing::PrintToString(Bytes));
        EXPECT_EQ(TUnrealPackage::DecodeIndex(Bytes), Value);
        EXPECT_EQ(File.Package->ReadIndex(), Value);
    }
    EXPECT_EQ(Stream->Position(), File.Built.DataOffset(1) + std::ssize(Data));
}

TEST(CompactIndex, BytesThatEndEarlyAreDamagedNotOverread) {
    for (const TBytes& Bytes :
         {TBytes{}, TBytes{0x40}, TBytes{0xC0, 0x80}, TBytes{0x7F, 0xFF, 0xFF, 0xFF}})
        EXPECT_THROW(TUnrealPackage::DecodeIndex(Bytes), EPackageDamaged);
    TPackageFile File(TPackageBuilder{});
    EXPECT_THROW(File.Open().ReadIndex(), EPackageError); // no stream installed
}

} // namespace
} // namespace swatchbox::testing
