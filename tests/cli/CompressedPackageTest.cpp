#include "package/Errors.h"
#include "package/PackageSource.h"
#include "tests/cli/CommandTest.h"
#include "tools/package-builder/BuiltPackage.h"
#include "tools/package-builder/Uz2Writer.h"

#include <filesystem>

namespace swatchbox::cli {
namespace {

class CompressedPackageTest : public TCommandTest {};

TEST_F(CompressedPackageTest, Uz2ExportsTheSameBytesAndBadOnesAreRefused) {
    testing::TPackageBuilder Builder(128);
    for (int I = 0; I < 3; ++I)
        Builder.AddTexture({.Name = "Tex" + std::to_string(I),
                            .Group = "G",
                            .Format = pfRGBA8,
                            .Width = 128,
                            .Height = 128});
    const std::string Plain = Temp.File("Walls.utx");
    Builder.WriteTo(Plain);
    const testing::TBytes Bytes = testing::ReadFileBytes(Plain);
    const testing::TBytes Packed = testing::CompressUz2(Bytes);
    ASSERT_GT(Bytes.size(), 2 * 32768u);
    const std::string Compressed = Temp.File("Walls.utx.uz2");
    testing::WriteFileBytes(Compressed, Packed);

    ASSERT_EQ(Run({"export", "--out", Temp.File("a"), Plain}), ExitOk) << Err.str();
    ASSERT_EQ(Run({"export", "--out", Temp.File("b"), Compressed}), ExitOk) << Err.str();
    ASSERT_EQ(FilesUnder("a"), FilesUnder("b"));
    for (const std::string& File : FilesUnder("a"))
        EXPECT_EQ(testing::ReadFileBytes(Temp.File("a/" + File)),
                  testing::ReadFileBytes(Temp.File("b/" + File)))
            << File;
    ASSERT_EQ(Run({"list", "--json", Compressed}), ExitOk);
    EXPECT_EQ(CountLines(Out.str(), "\"compressed\": \"uz2\""), 3);

    testing::TBytes Inflated = Packed;
    Inflated[5] = 0x7F; // the first chunk states 256 bytes fewer than it holds
    testing::TBytes Huge = Packed;
    // Many chunks that each claim a full 32768 bytes from two: far more than
    // 64 times the file.
    for (int I = 0; I < 1000; ++I)
        Huge.insert(Huge.end(), {2, 0, 0, 0, 0, 0x80, 0, 0, 0x78, 0x9C});
    testing::TBytes BadZlib = Packed;
    BadZlib[20] ^= 0xFF;
    const TRefusedFile Bad[] = {
        {"Truncated", testing::TBytes(Packed.begin(), Packed.end() - 10), "runs past the end"},
        {"CutHeader",
         [&] {
             testing::TBytes Cut = Packed;
             Cut.push_back(1);
             return Cut;
         }(),
         "is cut off in its header"},
        {"Inflated", Inflated, "holds a different size"},
        {"Huge", Huge, "more than 64 times its size"},
        {"BadZlib", BadZlib, "chunk at offset 0"},
    };
    for (const auto& Case : Bad) {
        ExpectListRefuses(Case, ".uz2");
        EXPECT_EQ(Out.str().find("Tex0"), std::string::npos) << Case.Name;
    }
}

TEST(CompressedRealPackage, HoldsItsPlainTwinByteForByte) {
    const std::filesystem::path Root = SWATCHBOX_REALPKGS_DIR;
    if (!std::filesystem::exists(Root / "KFMutators.u.uz2"))
        GTEST_SKIP() << "no real packages";
    const struct {
        const char* Plain;
        const char* Compression;
    } Pairs[] = {{"KFMutators.u", "uz2"}, {"EXtreme.utx", "uz"}};
    for (const auto& Pair : Pairs) {
        const std::string Plain = (Root / Pair.Plain).string();
        const TPackageSource Source = OpenPackageSource(Plain + "." + Pair.Compression);
        ASSERT_TRUE(Source.Image) << Pair.Plain;
        EXPECT_EQ(Source.Compression, Pair.Compression);
        EXPECT_EQ(*Source.Image, testing::ReadFileBytes(Plain)) << Pair.Plain;
    }
}

TEST_F(CompressedPackageTest, DamagedUzIsRefused) {
    const std::filesystem::path Real =
        std::filesystem::path(SWATCHBOX_REALPKGS_DIR) / "EXtreme.utx.uz";
    if (!std::filesystem::exists(Real))
        GTEST_SKIP() << "no real packages";
    const testing::TBytes Packed = testing::ReadFileBytes(Real.string());
    const auto Changed = [&](std::size_t At, uint8_t Xor) {
        testing::TBytes Bytes = Packed;
        Bytes[At] ^= Xor;
        return Bytes;
    };
    const TRefusedFile Bad[] = {
        {"CutName", testing::TBytes(Packed.begin(), Packed.begin() + 12), "file name is cut off"},
        {"CutTree", testing::TBytes(Packed.begin(), Packed.begin() + 40),
         "Huffman tree is cut off"},
        {"CutData", testing::TBytes(Packed.begin(), Packed.end() - 1), "Huffman data is cut off"},
        {"BadCount", Changed(20, 0x80), "states more symbols"},
        {"BadBlockHeader", Changed(21, 0x80), "block has a bad header"},
        {"BadBlock", Changed(30, 0x80), "block does not decode"},
        {"TwoRuns",
         [&] {
             testing::TBytes Bytes = Packed;
             Bytes[0] = 0x2E; // signature 5678
             Bytes[1] = 0x16;
             return Bytes;
         }(),
         "not supported"},
    };
    for (const auto& Case : Bad)
        ExpectListRefuses(Case, ".utx.uz");
}

} // namespace
} // namespace swatchbox::cli
