// The one reader of package files: reads that straddle its read-ahead window,
// reads past the end, and sharing the file with other programs.
#include "package/FileStream.h"
#include "package/Errors.h"
#include "tests/builder/BuiltPackage.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace swatchbox::testing {
namespace {

class FileStream : public ::testing::Test {
protected:
    void SetUp() override {
        Bytes.resize(20000);
        for (std::size_t Index = 0; Index < Bytes.size(); ++Index)
            Bytes[Index] = static_cast<uint8_t>(Index * 31 + Index / 256);
        WriteFileBytes(Path, Bytes);
    }
    std::vector<uint8_t> Expected(std::size_t Offset, std::size_t Count) const {
        return {Bytes.begin() + static_cast<std::ptrdiff_t>(Offset),
                Bytes.begin() + static_cast<std::ptrdiff_t>(Offset + Count)};
    }

    TTempDir Dir;
    std::string Path = Dir.File("data.bin");
    std::vector<uint8_t> Bytes;
};

TEST_F(FileStream, ReadsTheRightBytesWhereverReadsFallAgainstItsWindow) {
    TFileStream Stream(Path);
    EXPECT_EQ(Stream.Size(), 20000);
    // Byte by byte across a window boundary, then blocks that start inside
    // the window and end beyond it, a large direct read, and a seek back.
    Stream.Seek(4090);
    for (std::size_t Offset = 4090; Offset < 4110; ++Offset)
        ASSERT_EQ(Stream.ReadByte(), Bytes[Offset]) << Offset;
    Stream.Seek(100);
    EXPECT_EQ(Stream.ReadU32(), GetU32(Bytes, 100));
    Stream.Seek(4094);
    EXPECT_EQ(Stream.ReadBlock(10), Expected(4094, 10));
    Stream.Seek(8000);
    EXPECT_EQ(Stream.ReadBlock(9000), Expected(8000, 9000));
    EXPECT_EQ(Stream.Position(), 17000);
    Stream.Seek(4095);
    EXPECT_EQ(Stream.ReadU16(), GetU16(Bytes, 4095));
    Stream.Skip(2998);
    EXPECT_EQ(Stream.Position(), 7095);
    EXPECT_EQ(Stream.ReadBlock(3), Expected(7095, 3));
}

TEST_F(FileStream, RefusesAnythingPastTheEndAndNamesTheFile) {
    TFileStream Stream(Path);
    Stream.Seek(19998);
    try {
        Stream.ReadU32();
        FAIL() << "expected EPackageDamaged";
    } catch (const EPackageDamaged& Error) {
        EXPECT_NE(std::string(Error.what()).find("data.bin"), std::string::npos) << Error.what();
    }
    EXPECT_EQ(Stream.Position(), 19998);
    EXPECT_EQ(Stream.ReadU16(), GetU16(Bytes, 19998));
    EXPECT_THROW(Stream.ReadByte(), EPackageDamaged);
    EXPECT_THROW(Stream.Seek(20001), EPackageDamaged);
    EXPECT_THROW(Stream.Seek(-1), EPackageDamaged);
    EXPECT_THROW(Stream.Skip(1), EPackageDamaged);
    EXPECT_THROW(Stream.ReadBlock(-1), EPackageDamaged);
    Stream.Seek(0);
    EXPECT_THROW(Stream.ReadBlock(20001), EPackageDamaged);
}

// A game or editor may have the package open for writing while it is read.
TEST_F(FileStream, LetsOtherProgramsReadAndWriteTheFileMeanwhile) {
    TFileStream Stream(Path);
    std::fstream Other(Path, std::ios::in | std::ios::out | std::ios::binary);
    ASSERT_TRUE(Other.is_open());
    Other.seekp(10000);
    Other.put('\x5A');
    Other.flush();
    ASSERT_TRUE(Other.good());
    Other.close();
    Stream.Seek(10000);
    EXPECT_EQ(Stream.ReadByte(), 0x5A);
}

TEST_F(FileStream, AFileThatShrinksWhileOpenFailsCleanly) {
    TFileStream Stream(Path);
    std::filesystem::resize_file(Path, 100);
    Stream.Seek(5000);
    EXPECT_THROW(Stream.ReadBlock(8000), EPackageDamaged);
    Stream.Seek(50);
    EXPECT_EQ(Stream.ReadBlock(10), Expected(50, 10));
}

} // namespace
} // namespace swatchbox::testing
