// Damaged and vanishing package files: every one must end in a clean error
// naming the file and the part that is wrong, or in an ignored texture with
// its message, and must leave no stream open behind it.
#include "package/Errors.h"
#include "tests/package/PackageFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace swatchbox::testing {
namespace {

using F = THeaderField;

// Packages of engine builds before version 61 store their tables in other
// layouts: when their tables don't fit, the message says the package is old.
TEST(DamagedTables, FailOpeningWithAMessageNamingFileAndTable) {
    using TDamage = std::function<void(TBuiltPackage&)>;
    const auto Cut = [](std::size_t Size) -> TDamage {
        return [=](TBuiltPackage& Bytes) { Bytes.Truncate(Size); };
    };
    const auto Set = [](THeaderField Field, int64_t Value) -> TDamage {
        return [=](TBuiltPackage& Bytes) { Bytes.SetHeader(Field, Value); };
    };
    // Version, the damage done, and the part the message names.
    const std::tuple<int16_t, TDamage, const char*> Cases[] = {
        {69, Cut(0), "header"},
        {60, Cut(30), "header"},
        {60, Cut(43), "header"},
        {69, Cut(51), "header"},
        {69, Cut(60), "generation list"},
        {69, Set(F::GenerationCount, INT_MAX), "generation list"},
        // Refused by the count alone, before room is reserved for the entries.
        {69, Set(F::NameCount, INT_MAX), "name table (2147483647 entries)"},
        {69, Set(F::NameOffset, -1), "name table"},
        {69, Set(F::NameOffset, INT_MAX), "name table"},
        {69,
         [](TBuiltPackage& Bytes) { // a name whose characters run into the end
             Bytes.SetHeader(F::NameOffset, Bytes.NameEntryOffsets.back())
                 .SetHeader(F::NameCount, 1);
             Bytes.Truncate(Bytes.NameEntryOffsets.back() + 10);
         },
         "name table"},
        {69, Set(F::ExportCount, INT_MAX), "export table"},
        {69, Set(F::ExportOffset, -8), "export table"},
        {69, Set(F::ExportCount, 9 + 1), "export table"},
        {69, [](TBuiltPackage& Bytes) { Bytes.Truncate(Bytes.Bytes.size() - 1); }, "export table"},
        {69, Set(F::ImportCount, INT_MAX), "import table"},
        {69, Set(F::ImportOffset, INT_MAX), "import table"},
        {61, Set(F::HeritageCount, INT_MAX), "heritage list"},
        {67,
         [](TBuiltPackage& Bytes) { Bytes.SetHeader(F::HeritageOffset, Bytes.Bytes.size() - 4); },
         "heritage list"},
        {61, Set(F::ExportCount, INT_MAX), "export table"},
        {60, Set(F::ExportCount, INT_MAX), "has version 60, older than this program can read."},
        {35, Set(F::ExportCount, INT_MAX), "has version 35, older than this program can read."},
    };
    for (const auto& [Version, Damage, Part] : Cases) {
        SCOPED_TRACE(::testing::Message() << Version << ": " << Part);
        // Several exports, so every table has entries and the export table is
        // long enough to pass a size check.
        TPackageBuilder Builder(Version);
        for (int Index = 0; Index < 8; ++Index)
            Builder.AddTexture({.Name = "Texture" + std::to_string(Index), .Group = "Walls"});
        TBuiltPackage Bytes = Builder.Build();
        Damage(Bytes);
        TPackageFile File(Bytes);
        const std::string Message = ThrownMessage<EPackageError>([&] { File.Open(); });
        EXPECT_NE(Message.find(File.Path), std::string::npos) << Message;
        EXPECT_NE(Message.find(Part), std::string::npos) << Message;
        EXPECT_TRUE(File.Remove());
    }
}

// The export's data moved to the very end of the file, so that reading past
// it runs into the end of the file.
TBuiltPackage WithDataAtEnd(TPackageBuilder& Builder, int32_t Reference, const TBytes& Data) {
    TExportEntry& Entry = Builder.Export(Reference);
    Entry.Data.clear();
    Entry.SerialSize = static_cast<int32_t>(Data.size());
    Entry.SerialOffset = 1000; // a placeholder as wide as the final offset
    Entry.SerialOffset = static_cast<int32_t>(Builder.Build().Bytes.size());
    TBuiltPackage Bytes = Builder.Build();
    PutBytes(Bytes.Bytes, Data);
    return Bytes;
}

void ExpectIgnored(const TBuiltPackage& Bytes, int32_t Reference,
                   const std::vector<std::string>& Texts) {
    TPackageFile File(Bytes);
    File.Open();
    EXPECT_TRUE(File.Decode(Reference)->IsIgnored());
    EXPECT_EQ(File.Texts(), Texts);
    EXPECT_TRUE(File.Uploads.empty() && !File.Package->Stream && File.Remove());
}

// Texture exports whose data is damaged decode into ignored textures with a
// message, never into an upload of garbage.
TEST(DamagedTexture, IsIgnoredWithItsMessages) {
    TPackageBuilder Builder;
    const int32_t Class = Builder.ClassImport("Engine", "Texture");
    const auto Texture = [&](const TPropertyWriter& Tags) {
        return Builder.AddExport({.Class = Class, .Name = "T", .Data = Tags.Bytes()});
    };
    const int32_t TooLarge =
        Texture(Builder.Properties()
                    .Int("USize", 16)
                    .Tag("Format", TTagType::Byte, {}, {.SizeCode = 7, .ExplicitSize = 9}));
    const int32_t Unended = Texture(Builder.Properties().Int("USize", 16));
    Builder.AddGroup("Behind"); // a None tag right after the texture's data
    ExpectIgnored(Builder.Build(), TooLarge, {PropertyReadError, TextureReadError});
    ExpectIgnored(Builder.Build(), Unended, {TextureReadError});

    // Data that ends early: a texture's before its mip-map header, a
    // palette's before its colour count.
    const int32_t Headless = Builder.AddTexture({});
    ExpectIgnored(WithDataAtEnd(Builder, Headless, Builder.Properties().None().Bytes()), Headless,
                  {TextureReadError});
    TPackageBuilder WithPalette;
    const int32_t Palette = WithPalette.AddPalette("Pal");
    const int32_t Paletted = WithPalette.AddTexture({.Palette = Palette});
    ExpectIgnored(WithDataAtEnd(WithPalette, Palette, WithPalette.Properties().None().Bytes()),
                  Paletted, {TextureReadError});
}

// The file is cut after the package has read its tables, at a point relative
// to the texture's data; every later read must fail cleanly.
TEST(DamagedTexture, AFileCutShortLaterIgnoresTheTextureAndLeavesNoStreamOpen) {
    TPackageBuilder Builder;
    const int32_t Reference = Builder.AddTexture({.Format = pfRGBA8});
    const TBuiltPackage Built = Builder.Build();
    for (const int32_t Cut :
         {0, Built.DataOffset(Reference), Built.PropertiesEnd(Reference) - 1,
          Built.PropertiesEnd(Reference) + 2, Built.MipDataPosition(Reference)}) {
        SCOPED_TRACE(Cut);
        TPackageFile File(Built);
        File.Open();
        TBuiltPackage(Built).Truncate(static_cast<std::size_t>(Cut)).WriteTo(File.Path);
        const auto Texture = File.Decode(Reference);
        EXPECT_TRUE(Texture->IsIgnored() && File.Uploads.empty() && !File.Package->Stream);
        ASSERT_FALSE(File.Reporter.Messages.empty());
        EXPECT_EQ(File.Reporter.Messages.back().Text.rfind(TextureReadError, 0), 0u);
        EXPECT_TRUE(File.Remove());
        // Once the file is gone, decoding fails as an open failure.
        EXPECT_THROW(File.Decode(Reference), EFileOpenError);
    }
}

} // namespace
} // namespace swatchbox::testing
