// The one reader of package files: reads that straddle its read-ahead window,
// reads past the end, and a file that other programs write or cut meanwhile.
#include "package/FileStream.h"
#include "package/Errors.h"
#include "tests/support/TestFiles.h"
#include "tools/package-builder/BuiltPackage.h"
#include "tools/package-builder/TexturePixels.h"

#include <gtest/gtest.h>

#include <fstream>

namespace swatchbox::testing {
namespace {

class FileStream : public ::testing::Test {
protected:
    std::string Written() const {
        WriteFileBytes(Path, Bytes);
        return Path;
    }
    TBytes Expected(std::size_t Offset, std::size_t Count) const {
        return {Bytes.begin() + std::ptrdiff_t(Offset),
                Bytes.begin() + std::ptrdiff_t(Offset + Count)};
    }

    TTempDir Dir;
    std::string Path = Dir.File("data.bin");
    TBytes Bytes = NoiseBytes(20000, 3);
    TFileStream Stream{Written()};
};

TEST_F(FileStream, ReadsTheRightBytesWhereverReadsFallAndNothingPastTheEnd) {
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
    Stream.Seek(4095);
    EXPECT_EQ(Stream.ReadU16(), GetU16(Bytes, 4095));
    Stream.Skip(2998);
    EXPECT_EQ(Stream.ReadBlock(3), Expected(7095, 3));
    // Anything past the end is refused, naming the file.
    Stream.Seek(19998);
    EXPECT_NE(ThrownMessage<EPackageDamaged>([&] { Stream.ReadU32(); }).find("data.bin"),
              std::string::npos);
    EXPECT_EQ(Stream.ReadU16(), GetU16(Bytes, 19998));
    EXPECT_THROW(Stream.ReadByte(), EPackageDamaged);
    EXPECT_THROW(Stream.Seek(20001), EPackageDamaged);
    EXPECT_THROW(Stream.Seek(-1), EPackageDamaged);
    EXPECT_THROW(Stream.Skip(1), EPackageDamaged);
    EXPECT_THROW(Stream.ReadBlock(-1), EPackageDamaged);
    Stream.Seek(0);
    EXPECT_THROW(Stream.ReadBlock(20001), EPackageDamaged);
}

// A game or editor may have the package open for writing while it is read,
// and may cut it short.
TEST_F(FileStream, SeesWhatOtherProgramsWriteAndFailsCleanlyWhenTheFileShrinks) {
    {
        std::fstream Other(Path, std::ios::in | std::ios::out | std::ios::binary);
        Other.seekp(10000);
        Other.put('\x5A');
        ASSERT_TRUE(Other.flush().good());
    }
    Stream.Seek(10000);
    EXPECT_EQ(Stream.ReadByte(), 0x5A);
    std::filesystem::resize_file(Path, 100);
    Stream.Seek(5000);
    EXPECT_THROW(Stream.ReadBlock(8000), EPackageDamaged);
    Stream.Seek(50);
    EXPECT_EQ(Stream.ReadBlock(10), Expected(50, 10));
}

} // namespace
} // namespace swatchbox::testing
