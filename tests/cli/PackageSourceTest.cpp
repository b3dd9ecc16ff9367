// Packages inside other files: .uz2 and .uz compression read like the plain
// package, damaged ones and Lineage II wrappers this program can't read
// refused. (Wrapped packages are read in the engine builds' table.)
#include "package/PackageSource.h"
#include "tests/cli/CommandTest.h"
#include "tools/package-builder/LineageWrapper.h"
#include "tools/package-builder/Uz2Writer.h"

#include <filesystem>

namespace swatchbox::cli {
namespace {

using CompressedPackageTest = TCommandTest;

// Lineage II wrappers this program can't read are refused beside them.
TEST_F(CompressedPackageTest, Uz2HoldsThePlainBytesAndBadOnesAreRefused) {
    testing::TPackageBuilder Builder(128);
    for (const char* Name : {"Tex0", "Tex1", "Tex2"})
        Builder.AddTexture(
            {.Name = Name, .Group = "G", .Format = pfRGBA8, .Width = 128, .Height = 128});
    const std::string Plain = Temp.File("Walls.utx"), Compressed = Temp.File("Walls.utx.uz2");
    Builder.WriteTo(Plain);
    const testing::TBytes Packed = testing::CompressUz2(testing::ReadFileBytes(Plain));
    ASSERT_GT(std::filesystem::file_size(Plain), 2 * 32768u);
    testing::WriteFileBytes(Compressed, Packed);

    const TPackageSource Source = OpenPackageSource(Compressed);
    ASSERT_TRUE(Source.Image);
    EXPECT_EQ(*Source.Image, testing::ReadFileBytes(Plain));
    ASSERT_EQ(Run({"list", "--json", Compressed}), ExitOk);
    EXPECT_EQ(CountLines(Out.str(), "\"compressed\": \"uz2\""), 3);
    // Its folder drops both extensions.
    ASSERT_EQ(Run({"export", "--out", Temp.File("out"), Compressed}), ExitOk) << Err.str();
    EXPECT_EQ(FilesUnder("out").count("Walls/G/Tex0.BMP"), 1u);

    testing::TBytes CutHeader = Packed, Huge = Packed;
    CutHeader.push_back(1);
    // Many chunks that each claim a full 32768 bytes from two: far more than
    // 64 times the file.
    for (int I = 0; I < 1000; ++I)
        Huge.insert(Huge.end(), {2, 0, 0, 0, 0, 0x80, 0, 0, 0x78, 0x9C});
    const TRefusedFile Bad[] = {
        {"Truncated", testing::TBytes(Packed.begin(), Packed.end() - 10), "runs past the end"},
        {"CutHeader", CutHeader, "is cut off in its header"},
        // The first chunk states 256 bytes fewer than it holds.
        {"Inflated", Flipped(Packed, 5, 0xFF), "holds a different size"},
        {"Huge", Huge, "more than 64 times its size"},
        {"BadZlib", Flipped(Packed, 20, 0xFF), "chunk at offset 0"},
    };
    for (const auto& Case : Bad) {
        ExpectListRefuses(Case, ".uz2");
        EXPECT_FALSE(Has(Out.str(), "Tex0")) << Case.Name;
    }
    const testing::TBytes Bytes = testing::ReadFileBytes(Plain);
    const TRefusedFile Wrapped[] = {
        {"Encrypted", testing::WrapLineage(Bytes, "413", 0x00),
         "is encrypted in a way this program can't read"},
        {"NoTag", Flipped(testing::WrapLineage(Bytes, "121", 0xAC), 29, 0x01),
         "not a package file"},
        {"HeaderOnly", testing::WrapLineage({}, "121", 0), "not a package file"},
    };
    for (const auto& Case : Wrapped)
        ExpectListRefuses(Case, ".utx");
}

// The real .uz and .uz2 files hold their plain twins byte for byte; damaged
// .uz files are refused.
TEST_F(CompressedPackageTest, RealOnesHoldTheirPlainTwinsAndDamagedUzIsRefused) {
    const std::filesystem::path Root = SWATCHBOX_REALPKGS_DIR;
    if (!std::filesystem::exists(Root / "KFMutators.u.uz2"))
        GTEST_SKIP() << "no real packages";
    for (const auto& [Plain, Compression] :
         {std::pair{"KFMutators.u", "uz2"}, {"EXtreme.utx", "uz"}}) {
        const TPackageSource Source =
            OpenPackageSource((Root / Plain).string() + "." + Compression);
        ASSERT_TRUE(Source.Image) << Plain;
        EXPECT_EQ(Source.Compression, Compression);
        EXPECT_EQ(*Source.Image, testing::ReadFileBytes((Root / Plain).string())) << Plain;
    }
    const testing::TBytes Packed = testing::ReadFileBytes((Root / "EXtreme.utx.uz").string());
    testing::TBytes TwoRuns = Packed;
    TwoRuns[0] = 0x2E; // signature 5678
    TwoRuns[1] = 0x16;
    const TRefusedFile Bad[] = {
        {"CutName", testing::TBytes(Packed.begin(), Packed.begin() + 12), "file name is cut off"},
        {"CutTree", testing::TBytes(Packed.begin(), Packed.begin() + 40),
         "Huffman tree is cut off"},
        {"CutData", testing::TBytes(Packed.begin(), Packed.end() - 1), "Huffman data is cut off"},
        {"BadCount", Flipped(Packed, 20, 0x80), "states more symbols"},
        {"BadBlockHeader", Flipped(Packed, 21, 0x80), "block has a bad header"},
        {"BadBlock", Flipped(Packed, 30, 0x80), "block does not decode"},
        {"TwoRuns", TwoRuns, "not supported"},
    };
    for (const auto& Case : Bad)
        ExpectListRefuses(Case, ".utx.uz");
}

} // namespace
} // namespace swatchbox::cli
