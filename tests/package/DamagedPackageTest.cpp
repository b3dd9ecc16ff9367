// Damaged and vanishing package files: every one must end in a clean
// EPackageDamaged naming the file and the part that is wrong, or in an ignored
// texture with its message, and must leave no stream open behind it.
#include "package/Errors.h"
#include "package/PropertyList.h"
#include "tests/package/PackageFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <ostream>

namespace swatchbox::testing {
namespace {

// A package of version Version with several exports, so every table has
// entries and the export table is long enough to pass a size sanity check.
TBuiltPackage TablesPackage(int16_t Version) {
    TPackageBuilder Builder(Version);
    for (int Index = 0; Index < 8; ++Index)
        Builder.AddTexture({.Name = "Texture" + std::to_string(Index), .Group = "Walls"});
    Builder.AddNameCopy("AVeryLongNameThatRunsIntoTheEndOfTheFile");
    return Builder.Build();
}

struct TTableDamage {
    const char* Case;
    int16_t Version;
    std::function<void(TBuiltPackage&)> Damage;
    const char* Part; // what the message must name
    friend void PrintTo(const TTableDamage& Damage, std::ostream* Out) { *Out << Damage.Case; }
};

class DamagedTables : public ::testing::TestWithParam<TTableDamage> {};

TEST_P(DamagedTables, FailConstructionNamingFileAndTable) {
    const TTableDamage& Param = GetParam();
    TBuiltPackage Bytes = TablesPackage(Param.Version);
    Param.Damage(Bytes);
    TPackageFile File(Bytes);
    try {
        File.Open();
        ADD_FAILURE() << "the damaged package was read";
    } catch (const EPackageDamaged& Error) {
        const std::string Message = Error.what();
        EXPECT_NE(Message.find(File.Path), std::string::npos) << Message;
        EXPECT_NE(Message.find(Param.Part), std::string::npos) << Message;
    }
    EXPECT_TRUE(File.Remove());
}

std::function<void(TBuiltPackage&)> CutAt(std::size_t Size) {
    return [=](TBuiltPackage& Bytes) { Bytes.Truncate(Size); };
}

std::function<void(TBuiltPackage&)> Set(THeaderField Field, int64_t Value) {
    return [=](TBuiltPackage& Bytes) { Bytes.SetHeader(Field, Value); };
}

using F = THeaderField;

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedTables,
    ::testing::Values(
        TTableDamage{"EmptyFile", 69, CutAt(0), "header"},
        TTableDamage{"CutInSignature", 69, CutAt(3), "header"},
        TTableDamage{"CutInCounts", 60, CutAt(30), "header"},
        TTableDamage{"CutInHeritageOffset", 60, CutAt(43), "header"},
        TTableDamage{"CutInGuid", 69, CutAt(51), "header"},
        TTableDamage{"CutInGenerations", 69, CutAt(60), "generation list"},
        TTableDamage{"HugeGenerationCount", 69, Set(F::GenerationCount, INT_MAX),
                     "generation list"},
        TTableDamage{"HugeNameCount", 69, Set(F::NameCount, INT_MAX), "name table"},
        TTableDamage{"NegativeNameOffset", 69, Set(F::NameOffset, -1), "name table"},
        TTableDamage{"NameOffsetPastEnd", 69, Set(F::NameOffset, INT_MAX), "name table"},
        TTableDamage{"NameRunsIntoEnd", 69,
                     [](TBuiltPackage& Bytes) {
                         Bytes.Truncate(Bytes.NameEntryOffsets.back() + 10);
                         Bytes.SetHeader(F::NameOffset, Bytes.NameEntryOffsets.back());
                         Bytes.SetHeader(F::NameCount, 1);
                     },
                     "name table"},
        TTableDamage{"HugeExportCount", 69, Set(F::ExportCount, INT_MAX), "export table"},
        TTableDamage{"NegativeExportOffset", 69, Set(F::ExportOffset, -8), "export table"},
        TTableDamage{"OneExportTooMany", 69, Set(F::ExportCount, 9 + 1), "export table"},
        TTableDamage{"IndexCutAtEnd", 69,
                     [](TBuiltPackage& Bytes) { Bytes.Truncate(Bytes.Bytes.size() - 1); },
                     "export table"},
        TTableDamage{"HugeImportCount", 69, Set(F::ImportCount, INT_MAX), "import table"},
        TTableDamage{"ImportOffsetPastEnd", 69, Set(F::ImportOffset, INT_MAX), "import table"},
        TTableDamage{"HugeHeritageCount", 61, Set(F::HeritageCount, INT_MAX), "heritage list"},
        TTableDamage{"HeritageOffsetNearEnd", 67,
                     [](TBuiltPackage& Bytes) {
                         Bytes.SetHeader(F::HeritageOffset, Bytes.Bytes.size() - 4);
                     },
                     "heritage list"}),
    [](const auto& Info) { return std::string(Info.param.Case); });

// Packages of engine builds before version 61 store their tables in other
// layouts: when the tables don't fit, the message says the package is old.
TEST(OldPackage, WhoseTablesDoNotFitIsCalledOldNotDamaged) {
    for (const int16_t Version : {35, 44, 60, 61}) {
        SCOPED_TRACE(Version);
        TBuiltPackage Bytes = TablesPackage(Version);
        Bytes.SetHeader(F::ExportCount, INT_MAX);
        TPackageFile File(Bytes);
        try {
            File.Open();
            ADD_FAILURE() << "the package was read";
        } catch (const EPackageTooOld& Error) {
            EXPECT_LT(Version, 61);
            EXPECT_EQ(Error.what(), "Package \"" + File.Path + "\" has version " +
                                        std::to_string(Version) +
                                        ", older than this program can read.");
        } catch (const EPackageDamaged& Error) {
            EXPECT_EQ(Version, 61) << Error.what();
        }
    }
    // Old tables that fit are read as they are.
    TPackageFile Fitting(TablesPackage(60));
    EXPECT_EQ(Fitting.Open().Exports.size(), 9u);
}

// Texture exports whose data is damaged decode into ignored textures with a
// message, never into an upload of garbage.
class DamagedTexture : public ::testing::Test {
protected:
    // The texture export's data is Data, placed last in the file so that
    // reading past it runs into the end of the file.
    void DataAtEndOfFile(int32_t Reference, const TBytes& Data) {
        TExportEntry& Entry = Builder.Export(Reference);
        Entry.Data.clear();
        Entry.SerialSize = static_cast<int32_t>(Data.size());
        Entry.SerialOffset = 1000; // a placeholder of the final offset's width
        TBuiltPackage Bytes = Builder.Build();
        ASSERT_LT(Bytes.Bytes.size(), 8192u);
        Entry.SerialOffset = static_cast<int32_t>(Bytes.Bytes.size());
        Bytes = Builder.Build();
        PutBytes(Bytes.Bytes, Data);
        File.emplace(Bytes);
        File->Open();
    }
    void Open() {
        File.emplace(Builder);
        File->Open();
    }
    // One five-line palette warning naming the texture, which is then ignored.
    void ExpectPaletteWarning(int32_t Reference);
    void ExpectIgnoredWith(const TTextureObject& Texture, const std::vector<std::string>& Texts) {
        EXPECT_TRUE(Texture.IsIgnored());
        EXPECT_EQ(File->Texts(), Texts);
        EXPECT_TRUE(File->Uploads.empty());
        EXPECT_EQ(File->Package->Stream, nullptr);
        EXPECT_TRUE(File->Remove());
    }

    TPackageBuilder Builder{69};
    int32_t TextureClass = Builder.ClassImport("Engine", "Texture");
    std::optional<TPackageFile> File;
};

TEST_F(DamagedTexture, APropertyRunWithoutTerminatorIsAnError) {
    const TBytes Tags = Builder.Properties().Int("USize", 16).Int("VSize", 16).Bytes();
    const int32_t Reference = Builder.AddExport({.Class = TextureClass, .Name = "T", .Data = Tags});
    Builder.AddGroup("Behind"); // a None tag right after the texture's data
    Open();
    ExpectIgnoredWith(*File->Decode(Reference), {TextureReadError});
}

TEST_F(DamagedTexture, AValueLargerThanTheRunLeftGivesBothMessages) {
    const TBytes Tags = Builder.Properties()
                            .Int("USize", 16)
                            .Tag("Format", TTagType::Byte, {}, {.SizeCode = 7, .ExplicitSize = 9})
                            .Bytes();
    const int32_t Reference = Builder.AddExport({.Class = TextureClass, .Name = "T", .Data = Tags});
    Open();
    ExpectIgnoredWith(*File->Decode(Reference), {PropertyReadError, TextureReadError});
}

TEST_F(DamagedTexture, APaletteBeyondTheExportTableIsWarnedAboutAndIgnored) {
    const int32_t Reference = Builder.AddTexture({.Name = "Lava", .Palette = 1000});
    Open();
    ExpectPaletteWarning(Reference);
}

// Without data a palette has no colours; reading them would take the header.
TEST_F(DamagedTexture, APaletteWithoutDataIsWarnedAboutAndIgnored) {
    const int32_t Palette = Builder.AddPalette("Empty");
    Builder.Export(Palette).SerialSize = 0;
    const int32_t Reference = Builder.AddTexture({.Name = "Lava", .Palette = Palette});
    Open();
    ExpectPaletteWarning(Reference);
}

void DamagedTexture::ExpectPaletteWarning(int32_t Reference) {
    const auto Texture = File->Decode(Reference);
    ASSERT_EQ(File->Reporter.Messages.size(), 1u);
    const auto& Message = File->Reporter.Messages[0];
    EXPECT_EQ(Message.Kind, TMessageKind::Warning);
    EXPECT_EQ(Message.Caption, "Warning");
    EXPECT_EQ(
        Message.Text.rfind("Problem while reading texture object!\r\n\r\nTexture \"Lava\" ", 0), 0u)
        << Message.Text;
    EXPECT_TRUE(Message.Text.ends_with("\r\nTexture will be ignored.")) << Message.Text;
    ExpectIgnoredWith(*Texture, {Message.Text});
}

TEST_F(DamagedTexture, ValuesTooShortForWhatIsTakenCountAsMissing) {
    const int32_t Reference = Builder.AddTexture(
        {.Format = std::nullopt, .WriteUSize = false, .BeforeProperties = [](auto& Tags) {
             Tags.Tag("Format", TTagType::Byte, {}, {.SizeCode = 5})
                 .Tag("USize", TTagType::Integer, TBytes{0x10, 0x00})
                 .Tag("Palette", TTagType::Object, TBytes{0x40}); // an index cut short
         }});
    Open();
    const auto Texture = File->Decode(Reference);
    EXPECT_EQ(Texture->Format, pfP8);
    EXPECT_EQ(Texture->USize, 0);
    EXPECT_EQ(Texture->VSize, 16);
    EXPECT_EQ(Texture->PaletteExport, 0);
    EXPECT_EQ(Texture->PalettePosition, 0);
    EXPECT_FALSE(Texture->IsIgnored());
    EXPECT_TRUE(File->Reporter.Messages.empty());
}

TEST_F(DamagedTexture, AMipHeaderPastTheEndOfTheFileIsAnError) {
    const int32_t Reference = Builder.AddTexture({});
    DataAtEndOfFile(Reference, Builder.Properties().Int("USize", 16).None().Bytes());
    const auto Texture = File->Decode(Reference);
    EXPECT_EQ(Texture->USize, 16);
    ExpectIgnoredWith(*Texture, {TextureReadError});
}

TEST_F(DamagedTexture, APaletteWhoseDataEndsEarlyIsAnError) {
    const int32_t Palette = Builder.AddPalette("Pal");
    const int32_t Reference = Builder.AddTexture({.Palette = Palette});
    DataAtEndOfFile(Palette, Builder.Properties().None().Bytes()); // no colour count
    ExpectIgnoredWith(*File->Decode(Reference), {TextureReadError});
}

struct TOddSize {
    uint8_t Format;
    int32_t Width, Height;
    friend void PrintTo(const TOddSize& Size, std::ostream* Out) {
        *Out << GetFormatName(static_cast<TPixelFormat>(Size.Format)) << ' ' << Size.Width << " x "
             << Size.Height;
    }
};

class OddTextureSize : public ::testing::TestWithParam<TOddSize> {};

TEST_P(OddTextureSize, DecodesButHasNoPixelDataInTheFile) {
    const auto [Format, Width, Height] = GetParam();
    TPackageBuilder Builder;
    // The stated sizes go into the properties only: the pixels are a 4 x 4 mip map.
    const int32_t Reference =
        Builder.AddTexture({.Format = Format,
                            .Width = 4,
                            .Height = 4,
                            .WriteUSize = false,
                            .WriteVSize = false,
                            .AfterProperties = [Width = Width, Height = Height](auto& Tags) {
                                Tags.Int("USize", Width).Int("VSize", Height);
                            }});
    TPackageFile File(Builder);
    File.Open();
    const auto Texture = File.Decode(Reference);
    EXPECT_EQ(Texture->USize, Width);
    EXPECT_EQ(Texture->VSize, Height);
    EXPECT_FALSE(Texture->PixelDataInFile(File.Package->FileSize));
}

INSTANTIATE_TEST_SUITE_P(Sizes, OddTextureSize,
                         ::testing::Values(TOddSize{pfP8, -16, 16}, TOddSize{pfDXT1, 16, INT_MIN},
                                           TOddSize{pfP8, 0, 16}, TOddSize{pfRGBA8, 65536, 65536},
                                           TOddSize{pfRGBA8, INT_MAX, INT_MAX},
                                           TOddSize{pfG16, INT_MAX, INT_MAX},
                                           TOddSize{pfDXT5, INT_MAX, INT_MAX},
                                           TOddSize{pfRGB8, 4, 4}));

// The file is cut after the package has read its tables, at a point relative
// to the texture's data; every later read must fail cleanly.
enum class TCut { EmptyFile, BeforeData, InProperties, InMipHeader, AtPixels };

class ShrunkFile : public ::testing::TestWithParam<TCut> {};

TEST_P(ShrunkFile, IgnoresTheTextureAndLeavesNoStreamOpen) {
    TPackageBuilder Builder;
    const int32_t Reference = Builder.AddTexture({.Format = pfRGBA8});
    TPackageFile File(Builder);
    File.Open();
    const TBuiltPackage& Built = File.Built;
    const std::size_t Cuts[] = {0, static_cast<std::size_t>(Built.DataOffset(Reference)),
                                static_cast<std::size_t>(Built.PropertiesEnd(Reference) - 1),
                                static_cast<std::size_t>(Built.PropertiesEnd(Reference) + 2),
                                static_cast<std::size_t>(Built.MipDataPosition(Reference))};
    TBuiltPackage Cut = Built;
    Cut.Truncate(Cuts[static_cast<int>(GetParam())]);
    Cut.WriteTo(File.Path);

    const auto Texture = File.Decode(Reference);
    EXPECT_EQ(File.Package->Stream, nullptr);
    EXPECT_TRUE(Texture->IsIgnored());
    ASSERT_FALSE(File.Reporter.Messages.empty());
    EXPECT_EQ(File.Reporter.Messages.back().Text.rfind(TextureReadError, 0), 0u);
    EXPECT_TRUE(File.Uploads.empty());
    EXPECT_TRUE(File.Remove());
    // Once the file is gone, decoding fails as an open failure.
    EXPECT_THROW(File.Decode(Reference), EFileOpenError);
}

std::string CutName(const ::testing::TestParamInfo<TCut>& Info) {
    const char* const Names[] = {"EmptyFile", "BeforeData", "InProperties", "InMipHeader",
                                 "AtPixels"};
    return Names[static_cast<int>(Info.param)];
}

INSTANTIATE_TEST_SUITE_P(Cuts, ShrunkFile,
                         ::testing::Values(TCut::EmptyFile, TCut::BeforeData, TCut::InProperties,
                                           TCut::InMipHeader, TCut::AtPixels),
                         CutName);

TEST(StreamSlot, IsEmptiedAndTheFileReleasedWhenTheUploadFails) {
    TPackageBuilder Builder;
    const int32_t Reference = Builder.AddTexture({});
    TPackageFile File(Builder);
    TUnrealPackage& Package = File.Open();
#ifdef _WIN32
    {
        // Windows refuses to remove a file with an open handle; the removal
        // checks here rely on that.
        TInstalledStream Open(Package);
        EXPECT_FALSE(File.Remove());
    }
#endif
    const TTextureUploader Failing = [](TFileStream&,
                                        const TUploadRequest&) -> std::unique_ptr<TTextureImage> {
        throw EPackageDamaged("upload failed");
    };
    EXPECT_THROW(TTextureObject(Package, Reference - 1, Failing), EPackageDamaged);
    EXPECT_EQ(Package.Stream, nullptr);
    EXPECT_TRUE(File.Remove());
}

} // namespace
} // namespace swatchbox::testing
