// Tagged property runs: the tag layout for each type and size code, the
// terminator, the state frame, lookups, and runs that are damaged.
#include "package/PropertyList.h"
#include "tests/package/PackageFile.h"

#include <gtest/gtest.h>

#include <numeric>

namespace swatchbox::testing {
namespace {

// Export 0's data is the run under test; export 1's data, right behind it in
// the file, is a lone None tag that a reader running over the end would find.
class PropertyRun : public ::testing::Test {
protected:
    PropertyRun() {
        // Enough names before "None" that its index takes two bytes.
        for (int Index = 0; Index < 70; ++Index)
            Builder.AddName("Filler" + std::to_string(Index));
    }

    bool Read(uint32_t Flags = PlainObjectFlags) {
        Builder.AddExport({.Name = "Object", .Flags = Flags, .Data = Tags.Bytes()});
        Builder.AddExport(
            {.Name = "Next", .Data = Next.value_or(Builder.Properties().None().Bytes())});
        File.emplace(Builder);
        List.emplace(File->Open());
        const bool Result = List->Read(0, EndPosition);
        EXPECT_EQ(File->Package->Stream, nullptr);
        return Result;
    }
    const TObjectProperty& Item(std::size_t Index) const { return *List->Items.at(Index); }
    int32_t DataEnd() const {
        return File->Built.DataOffset(1) + static_cast<int32_t>(Tags.Size());
    }

    TPackageBuilder Builder;
    TPropertyWriter Tags = Builder.Properties();
    std::optional<TPackageFile> File;
    std::optional<TObjectPropertyList> List;
    int32_t EndPosition = -1;
    std::optional<TBytes> Next;
};

// Bytes as real packages store them, written by hand.
TEST_F(PropertyRun, ReadsEachInfoByteLayout) {
    const auto Tag = [&](const char* Name, const TBytes& Bytes) {
        Tags.Index(Builder.AddName(Name)).Raw(Bytes);
    };
    Tag("bOff", {0x53, 0x00});                            // Boolean, size code 5, size 0
    Tag("bOn", {0xD3, 0x00});                             // true in bit 7
    Tag("Small", {0x02, 0x7E});                           // Integer, size code 0: one byte
    Tag("Indexed", {0xA2, 0x03, 0x44, 0x33, 0x22, 0x11}); // array index after the size
    Tag("Tint", {0x5A});                                  // struct name before the size
    Tag("Color", {0x04, 1, 2, 3, 4});
    Tag("List", {0x59, 0x02, 0x40, 0x04, 9, 8});       // element count 256 after the size
    Tag("Wide", {0x6D, 0x03, 0x00, 5, 6, 7});          // size code 6: two bytes
    Tag("Long", {0x77, 0x02, 0x00, 0x00, 0x00, 5, 6}); // size code 7: four bytes
    Tag("Vec", {0x3B, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    Tag("Rot", {0x4C, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    Tag("Short", {0x1E, 1, 2});
    Tags.None();
    ASSERT_TRUE(Read());
    ASSERT_EQ(List->Count(), 12);
    EXPECT_EQ(EndPosition, DataEnd());
    const auto Counting = [](int Count) {
        TBytes Bytes(std::size_t(Count), 0);
        std::iota(Bytes.begin(), Bytes.end(), 1);
        return Bytes;
    };
    // Each tag's type and value, in order.
    const std::pair<const char*, TBytes> Expected[] = {
        {"Boolean", {}},          {"Boolean", {}},
        {"Integer", {0x7E}},      {"Integer", {0x44, 0x33, 0x22, 0x11}},
        {"Struct", {1, 2, 3, 4}}, {"Array", {9, 8}},
        {"Str", {5, 6, 7}},       {"String", {5, 6}},
        {"Vector", Counting(12)}, {"Rotator", Counting(16)},
        {"Map", {1, 2}},          {"None", {}}};
    for (int32_t Index = 0; Index < List->Count(); ++Index)
        EXPECT_EQ(std::tuple(Item(Index).GetTypeName(), Item(Index).Data, Item(Index).Position),
                  std::tuple(Expected[Index].first, Expected[Index].second, Index));
    EXPECT_FALSE(Item(0).BooleanValue());
    EXPECT_TRUE(Item(1).BooleanValue());
    // Bit 7 of a Boolean is its value, not an array index.
    EXPECT_EQ(std::tuple(Item(1).ArrayIndex, Item(1).Size, Item(3).ArrayIndex),
              std::tuple(-1, 0, 3));
    EXPECT_EQ(File->Package->GetName(Item(4).StructName), "Color");
    EXPECT_EQ(Item(5).ElementCount, 256);
}

TEST_F(PropertyRun, LargeValuesTheStateFrameAndCaseBlindLookups) {
    const TBytes Largest = PatternBytes(65535, 2);
    Tags.StateFrame()
        .Int("USize", 1)
        .Int("usize", 2)
        .Tag("Big", TTagType::Str, Largest, {.SizeCode = 6})
        .Tag("Bigger", TTagType::FixedArray, Largest, {.SizeCode = 7})
        .None();
    ASSERT_TRUE(Read(PlainObjectFlags | HasStateFrameFlag));
    ASSERT_EQ(List->Count(), 5);
    EXPECT_EQ(Item(2).Data, Largest);
    EXPECT_EQ(Item(3).Data, Largest);
    EXPECT_EQ(EndPosition, DataEnd());
    EXPECT_EQ(List->Find("USIZE"), &Item(0));
    EXPECT_EQ(List->Find("VSize"), nullptr);
}

// Another spelling of None ends the run as well, but is read as a whole tag.
TEST_F(PropertyRun, TerminatorInAnotherCaseIsReadInFullAndEndsTheRun) {
    Tags.Int("Before", 5).Int("none", 0x0A0B0C0D);
    const auto Through = static_cast<int32_t>(Tags.Size());
    Tags.Int("After", 6).None();
    ASSERT_TRUE(Read());
    ASSERT_EQ(List->Count(), 2);
    EXPECT_EQ(Item(1).Data, (TBytes{0x0D, 0x0C, 0x0B, 0x0A}));
    EXPECT_EQ(EndPosition, File->Built.DataOffset(1) + Through);
}

TEST_F(PropertyRun, ARunWithoutTerminatorInsideItsDataFailsWithoutAMessage) {
    // A two-byte None index whose second byte lies in the next object's data.
    const TBytes None = EncodeIndex(Builder.AddName("None"));
    Tags.Int("USize", 64).Raw(TBytes{None[0]});
    Next = TBytes{None[1], 0, 0, 0};
    EXPECT_FALSE(Read());
    EXPECT_EQ(EndPosition, -1);
    EXPECT_TRUE(File->Reporter.Messages.empty());
}

// The failed tag's value is not read, so the tag right behind its size is
// still read; a second failure ends the run.
TEST_F(PropertyRun, ReadingGoesOnAfterOneFailedTagButNotAfterTwo) {
    const TTagOptions Negative = {.SizeCode = 7, .ExplicitSize = 0xFFFFFFF0};
    Tags.Tag("A", TTagType::Integer, {}, Negative).Int("USize", 64);
    Tags.Tag("B", TTagType::Integer, {}, Negative).None();
    EXPECT_FALSE(Read());
    EXPECT_EQ(File->Texts(), std::vector<std::string>{PropertyReadError});
    EXPECT_EQ(List->Find("USize")->Data, (TBytes{64, 0, 0, 0}));
}

} // namespace
} // namespace swatchbox::testing
