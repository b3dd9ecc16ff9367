// Compact indices, read from a package's installed stream and decoded from
// memory, against known byte forms and against the builder's encoder.
#include "package/Errors.h"
#include "tests/package/PackageFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>

namespace swatchbox::testing {
namespace {

// Reads compact indices one after another from the data of a lone export.
class TIndexFile {
public:
    explicit TIndexFile(const TBytes& Data) : File(Build(Data)) {
        File.Open();
        Stream.emplace(*File.Package);
        (*Stream)->Seek(File.Built.DataOffset(1));
    }
    int32_t Next() { return File.Package->ReadIndex(); }
    int64_t Consumed() { return (*Stream)->Position() - File.Built.DataOffset(1); }

private:
    static TBuiltPackage Build(const TBytes& Data) {
        TPackageBuilder Builder;
        Builder.AddExport({.Name = "Indices", .Data = Data});
        return Builder.Build();
    }
    TPackageFile File;
    std::optional<TInstalledStream> Stream;
};

struct TKnownIndex {
    TBytes Bytes;
    int32_t Value;
    friend void PrintTo(const TKnownIndex& Index, std::ostream* Out) {
        for (uint8_t Byte : Index.Bytes)
            *Out << std::hex << std::uppercase << (Byte < 16 ? "0" : "") << int{Byte} << ' ';
        *Out << "-> " << std::dec << Index.Value;
    }
};

class KnownIndex : public ::testing::TestWithParam<TKnownIndex> {};

TEST_P(KnownIndex, DecodesToItsValueAndConsumesExactlyItsBytes) {
    const auto& [Bytes, Value] = GetParam();
    EXPECT_EQ(TUnrealPackage::DecodeIndex(Bytes), Value);

    TBytes Data = Bytes;
    Data.push_back(0x05); // the next index must start right after
    TIndexFile File(Data);
    EXPECT_EQ(File.Next(), Value);
    EXPECT_EQ(File.Consumed(), static_cast<int64_t>(Bytes.size()));
    EXPECT_EQ(File.Next(), 5);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, KnownIndex,
    ::testing::Values(TKnownIndex{{0x00}, 0}, TKnownIndex{{0x3F}, 63},
                      TKnownIndex{{0x40, 0x01}, 64}, TKnownIndex{{0x80}, 0},
                      TKnownIndex{{0x81}, -1}, TKnownIndex{{0xC0, 0x01}, -64},
                      TKnownIndex{{0x40, 0x80, 0x01}, 8192}, TKnownIndex{{0x7F, 0x7F}, 8191},
                      TKnownIndex{{0x7F, 0xFF, 0xFF, 0xFF, 0x07}, 1073741823},
                      TKnownIndex{{0x7F, 0xFF, 0xFF, 0xFF, 0x0F}, 2147483647}));

// The fifth byte ends the index whatever its bit 7 says; bits that land above
// bit 31 are lost.
INSTANTIATE_TEST_SUITE_P(FifthByte, KnownIndex,
                         ::testing::Values(TKnownIndex{{0x40, 0x80, 0x80, 0x80, 0x81}, 0x08000000},
                                           TKnownIndex{{0x7F, 0xFF, 0xFF, 0xFF, 0xFF}, -1},
                                           TKnownIndex{{0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 1},
                                           TKnownIndex{{0xC0, 0x80, 0x80, 0x80, 0x10}, INT_MIN}));

TEST(CompactIndex, EveryWidthAndSignRoundTripsIncludingPaddedForms) {
    std::vector<int32_t> Values = {0, 1, INT_MAX, INT_MIN, -INT_MAX};
    for (int Bits = 6; Bits <= 27; Bits += 7) {
        // Largest value of one width and smallest of the next.
        for (const int32_t Value : {(1 << Bits) - 1, 1 << Bits, -((1 << Bits) - 1), -(1 << Bits)})
            Values.push_back(Value);
    }
    TBytes Data;
    std::vector<std::pair<int32_t, TBytes>> Encoded;
    for (int32_t Value : Values)
        for (int Width = IndexWidth(Value); Width <= 5; ++Width)
            Encoded.emplace_back(Value, EncodeIndex(Value, Width));
    for (const auto& [Value, Bytes] : Encoded)
        PutBytes(Data, Bytes);

    TIndexFile File(Data);
    for (const auto& [Value, Bytes] : Encoded) {
        SCOPED_TRACE(::testing::Message() << Value << " in " << Bytes.size() << " bytes");
        EXPECT_EQ(TUnrealPackage::DecodeIndex(Bytes), Value);
        EXPECT_EQ(File.Next(), Value);
    }
    EXPECT_EQ(File.Consumed(), static_cast<int64_t>(Data.size()));
}

TEST(CompactIndex, BytesThatEndEarlyAreDamagedNotOverread) {
    for (const TBytes& Bytes :
         {TBytes{}, TBytes{0x40}, TBytes{0xC0, 0x80}, TBytes{0x7F, 0xFF, 0xFF, 0xFF}}) {
        SCOPED_TRACE(Bytes.size());
        EXPECT_THROW(TUnrealPackage::DecodeIndex(Bytes), EPackageDamaged);
    }
}

TEST(CompactIndex, ReadingWithoutAnInstalledStreamFailsCleanly) {
    TPackageBuilder Builder;
    TPackageFile File(Builder);
    EXPECT_THROW(File.Open().ReadIndex(), EPackageError);
}

} // namespace
} // namespace swatchbox::testing
