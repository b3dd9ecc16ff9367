// Tagged property runs: the tag layout for each type and size code, the
// terminator rules, the state frame, lookups, and runs that are damaged.
#include "package/PropertyList.h"
#include "tests/package/PackageFile.h"

#include <gtest/gtest.h>

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
    int32_t DataOffset() const { return File->Built.DataOffset(1); }
    int32_t DataEnd() const { return DataOffset() + static_cast<int32_t>(Tags.Size()); }
    std::size_t Messages() const { return File->Reporter.Messages.size(); }

    TPackageBuilder Builder;
    TPropertyWriter Tags = Builder.Properties();
    std::optional<TPackageFile> File;
    std::optional<TObjectPropertyList> List;
    int32_t EndPosition = -1;
    std::optional<TBytes> Next;
};

TEST_F(PropertyRun, ALoneTerminatorIsOneItemEndingAfterItsIndex) {
    Tags.None();
    ASSERT_TRUE(Read());
    ASSERT_EQ(List->Count(), 1);
    EXPECT_EQ(EndPosition, DataOffset() + 2);
    const TObjectProperty& None = Item(0);
    EXPECT_EQ(None.Info, 0);
    EXPECT_EQ(None.Size, 0);
    EXPECT_TRUE(None.Data.empty());
    EXPECT_EQ(None.ArrayIndex, 0);
    EXPECT_EQ(None.Position, 0);
    EXPECT_EQ(List->Find("none"), &None);
    EXPECT_EQ(Messages(), 0u);
}

TEST_F(PropertyRun, ReadsEachInfoByteLayout) {
    const uint8_t Color[] = {1, 2, 3, 4};
    const uint8_t Elements[] = {9, 8, 7, 6, 5};
    Tags.Bool("bOff", false)
        .Bool("bOn", true)
        .Tag("Small", TTagType::Integer, std::vector<uint8_t>{0x7E})
        .Int("Indexed", 0x11223344, {.ArrayIndex = 3})
        .Struct("Tint", "Color", Color, {.SizeCode = 5})
        .Array("List", 300, Elements)
        .None();
    ASSERT_TRUE(Read());
    ASSERT_EQ(List->Count(), 7);
    EXPECT_EQ(EndPosition, DataEnd());

    const TObjectProperty& Off = Item(0);
    EXPECT_EQ(Off.Info, 0x53);
    EXPECT_FALSE(Off.BooleanValue());
    EXPECT_EQ(Off.Size, 0);
    EXPECT_EQ(Off.ArrayIndex, -1);
    const TObjectProperty& On = Item(1);
    EXPECT_EQ(On.Info, 0xD3);
    EXPECT_TRUE(On.BooleanValue());
    EXPECT_EQ(On.ArrayIndex, -1); // bit 7 of a Boolean is its value, not an array index
    EXPECT_TRUE(On.Data.empty());

    EXPECT_EQ(Item(2).Info, 0x02);
    EXPECT_EQ(Item(2).Size, 1);
    EXPECT_EQ(Item(2).Data, TBytes{0x7E});
    EXPECT_EQ(Item(2).ArrayIndex, -1);

    EXPECT_EQ(Item(3).Info, 0xA2);
    EXPECT_EQ(Item(3).ArrayIndex, 3);
    EXPECT_EQ(Item(3).Data, (TBytes{0x44, 0x33, 0x22, 0x11}));

    EXPECT_EQ(Item(4).GetTypeName(), "Struct");
    EXPECT_EQ(File->Package->GetName(Item(4).StructName), "Color");
    EXPECT_EQ(Item(4).Data, TBytes(std::begin(Color), std::end(Color)));

    EXPECT_EQ(Item(5).GetTypeName(), "Array");
    EXPECT_EQ(Item(5).ElementCount, 300);
    EXPECT_EQ(Item(5).Size, 5);
    EXPECT_EQ(Item(5).Data, TBytes(std::begin(Elements), std::end(Elements)));
    for (int32_t Index = 0; Index < List->Count(); ++Index)
        EXPECT_EQ(Item(Index).Position, Index);
}

TEST_F(PropertyRun, TakesExplicitSizesOfOneTwoAndFourBytes) {
    const TBytes Seven = PatternBytes(7), Sixteen = PatternBytes(16, 1),
                 Largest = PatternBytes(65535, 2);
    Tags.Tag("Five", TTagType::String, Seven)
        .Tag("Seven", TTagType::Struct, Sixteen, {.SizeCode = 7})
        .Tag("Six", TTagType::Str, Largest, {.SizeCode = 6})
        .None();
    ASSERT_TRUE(Read());
    ASSERT_EQ(List->Count(), 4);
    EXPECT_EQ(Item(0).Size, 7);
    EXPECT_EQ(Item(1).Size, 16);
    EXPECT_EQ(Item(1).Data, Sixteen);
    EXPECT_EQ(Item(2).Size, 65535);
    EXPECT_EQ(Item(2).Data, Largest);
}

TEST_F(PropertyRun, NamesEveryTypeAndReadsItsValue) {
    const char* const Names[] = {"None",    "Byte",   "Integer", "Boolean",   "Float",  "Object",
                                 "Name",    "String", "Class",   "Array",     "Struct", "Vector",
                                 "Rotator", "Str",    "Map",     "FixedArray"};
    const uint8_t Value[] = {0xAA, 0xBB, 0xCC, 0xDD};
    for (int Type = 1; Type < 16; ++Type) {
        const std::string Number = std::to_string(Type);
        Tags.Tag("T" + Number, static_cast<TTagType>(Type), Value);
    }
    Tags.None();
    ASSERT_TRUE(Read());
    ASSERT_EQ(List->Count(), 16);
    for (int Type = 1; Type < 16; ++Type) {
        const TObjectProperty& Tag = Item(static_cast<std::size_t>(Type - 1));
        EXPECT_EQ(Tag.PropertyType, Type);
        EXPECT_EQ(Tag.GetTypeName(), Names[Type]);
        EXPECT_EQ(Tag.Data.size(), 4u) << Names[Type];
    }
    EXPECT_EQ(Item(15).GetTypeName(), "None");
}

TEST_F(PropertyRun, SkipsTheStateFrameOfFlaggedObjects) {
    Tags.StateFrame().Int("USize", 64).None();
    ASSERT_TRUE(Read(PlainObjectFlags | HasStateFrameFlag));
    ASSERT_EQ(List->Count(), 2);
    EXPECT_EQ(Item(0).GetName(), "USize");
    EXPECT_EQ(Item(0).Data, (TBytes{64, 0, 0, 0}));
    EXPECT_EQ(EndPosition, DataEnd());
}

TEST_F(PropertyRun, FindIsCaseBlindAndReturnsTheFirstOfDuplicates) {
    Builder.AddNameCopy("usize");
    Tags.Int("USize", 1).Int("usize", 2).Int("USize", 3).None();
    ASSERT_TRUE(Read());
    ASSERT_EQ(List->Count(), 4);
    EXPECT_EQ(List->Find("usize"), &Item(0));
    EXPECT_EQ(List->Find("USIZE"), &Item(0));
    EXPECT_EQ(List->Find("VSize"), nullptr);
    EXPECT_EQ(List->Find(""), nullptr);
}

class TerminatorSpelling : public PropertyRun, public ::testing::WithParamInterface<const char*> {};

TEST_P(TerminatorSpelling, IsReadInFullAndEndsTheRun) {
    Tags.Int("Before", 5).Int(GetParam(), 0x0A0B0C0D);
    const auto Through = static_cast<int32_t>(Tags.Size());
    Tags.Int("After", 6).None();
    ASSERT_TRUE(Read());
    ASSERT_EQ(List->Count(), 2);
    EXPECT_EQ(Item(1).Info, 0x22);
    EXPECT_EQ(Item(1).Size, 4);
    EXPECT_EQ(Item(1).Data, (TBytes{0x0D, 0x0C, 0x0B, 0x0A}));
    EXPECT_EQ(EndPosition, DataOffset() + Through);
}

INSTANTIATE_TEST_SUITE_P(OtherCases, TerminatorSpelling, ::testing::Values("NONE", "none"));

TEST_F(PropertyRun, ARunWithoutTerminatorFailsAtTheEndOfItsData) {
    Tags.Int("USize", 64).Int("VSize", 64);
    EXPECT_FALSE(Read());
    EXPECT_EQ(EndPosition, -1);
    EXPECT_EQ(Messages(), 0u);
}

TEST_F(PropertyRun, AValueLargerThanTheDataLeftIsReportedOnceAndNotRead) {
    Tags.Int("USize", 64).Tag("Big", TTagType::Byte, {}, {.SizeCode = 5, .ExplicitSize = 200});
    EXPECT_FALSE(Read());
    EXPECT_EQ(File->Texts(), std::vector<std::string>{PropertyReadError});
    EXPECT_EQ(File->Reporter.Messages[0].Caption, "Error");
    EXPECT_EQ(File->Reporter.Messages[0].Kind, TMessageKind::Error);
    ASSERT_EQ(List->Count(), 2);
    EXPECT_TRUE(Item(1).Data.empty());
}

TEST_F(PropertyRun, ReadingGoesOnAfterOneFailedTag) {
    // The failed tag's value is not read, so the terminator right behind its
    // size still ends the run where it lies.
    Tags.Tag("Negative", TTagType::Integer, {}, {.SizeCode = 7, .ExplicitSize = 0xFFFFFFF0})
        .Int("USize", 64)
        .None();
    ASSERT_TRUE(Read());
    EXPECT_EQ(File->Texts(), std::vector<std::string>{PropertyReadError});
    ASSERT_EQ(List->Count(), 3);
    EXPECT_EQ(Item(0).Size, -16);
    EXPECT_TRUE(Item(0).Data.empty());
    EXPECT_EQ(List->Find("USize")->Data, (TBytes{64, 0, 0, 0}));
    EXPECT_EQ(EndPosition, DataEnd());
}

TEST_F(PropertyRun, ASecondFailedTagGivesUpWithTheOneMessage) {
    const TTagOptions Claims200 = {.SizeCode = 5, .ExplicitSize = 200};
    Tags.Tag("A", TTagType::Byte, {}, Claims200).Tag("B", TTagType::Byte, {}, Claims200).None();
    EXPECT_FALSE(Read());
    EXPECT_EQ(File->Texts(), std::vector<std::string>{PropertyReadError});
}

TEST_F(PropertyRun, ATerminatorWhoseIndexCrossesTheDataEndDoesNotCount) {
    // A two-byte None index whose second byte lies in the next object's data.
    const TBytes None = EncodeIndex(Builder.AddName("None"));
    ASSERT_EQ(None.size(), 2u);
    Tags.Int("USize", 64).Raw(TBytes{None[0]});
    Next = TBytes{None[1], 0, 0, 0};
    EXPECT_FALSE(Read());
}

TEST_F(PropertyRun, AnObjectWithoutDataHasNoRun) {
    EXPECT_FALSE(Read()); // SerialSize 0
    EXPECT_EQ(List->Count(), 0);
}

} // namespace
} // namespace swatchbox::testing
