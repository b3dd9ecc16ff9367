#pragma once

#include "package/PackageSource.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace swatchbox {

// Read-only, shared, bounds-checked access to one file. It knows the file's
// length when it opens, and every read or seek outside [0, Size()] throws
// EPackageDamaged instead of touching memory it should not. The file is closed
// when the stream is destroyed, on every path.
//
// Small reads are served from a read-ahead window and seeks cost nothing, so
// the many short reads of tables and tags take few system calls; large reads
// go straight into the caller's buffer.
class TFileStream {
public:
    // Opens the file for reading while other processes may read and write it.
    // Throws EFileOpenError naming the file and the system's reason.
    explicit TFileStream(const std::string& FileName);
    // Reads the source's decompressed image when it has one, with the same
    // checks; otherwise opens its file, seen from the source's base offset on
    // and with its key undone.
    explicit TFileStream(const TPackageSource& Source);
    ~TFileStream();
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    const std::string& FileName() const { return Name; }
    // The open file's descriptor, for copies the system can do by itself;
    // -1 when the stream reads an image in memory or a wrapped package,
    // whose bytes differ from the file's.
    int NativeHandle() const { return Base == 0 && Key == 0 ? Handle : -1; }
    int64_t Size() const { return Length; }
    int64_t Position() const { return Pos; }
    int64_t Remaining() const { return Length - Pos; }

    // Absolute seek; a position past the end of the file throws.
    void Seek(int64_t Position);
    // Relative seek; may land exactly on the end, never past it.
    void Skip(int64_t Count);

    // Reads exactly Count bytes or throws.
    void Read(void* Buffer, std::size_t Count);
    uint8_t ReadByte() {
        if (Pos >= WindowStart && Pos < WindowStart + static_cast<int64_t>(WindowFill))
            return Window[static_cast<std::size_t>(Pos++ - WindowStart)];
        uint8_t Byte = 0;
        Read(&Byte, 1);
        return Byte;
    }
    uint16_t ReadU16();
    uint32_t ReadU32();
    int32_t ReadI32() { return static_cast<int32_t>(ReadU32()); }
    // Allocates only after checking that the file holds Count more bytes.
    std::vector<uint8_t> ReadBlock(int64_t Count);

private:
    void Open();
    [[noreturn]] void ThrowPastEnd(int64_t Offset, int64_t Count) const;
    [[noreturn]] void ThrowShrunk() const;
    // Reads up to Count bytes at Offset from the file itself; fewer when the
    // file ends first (it may have shrunk since it was opened).
    std::size_t ReadAt(int64_t Offset, uint8_t* Buffer, std::size_t Count);

    static constexpr std::size_t WindowSize = 4096;

    std::string Name;
    int Handle = -1;
    int64_t Base = 0;
    uint8_t Key = 0;
    std::shared_ptr<const std::vector<uint8_t>> Image;
    int64_t Length = 0;
    int64_t Pos = 0;
    int64_t WindowStart = 0;
    std::size_t WindowFill = 0;
    std::array<uint8_t, WindowSize> Window;
};

} // namespace swatchbox
