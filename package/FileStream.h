#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace swatchbox {

// Read-only, shared, bounds-checked access to one file. It knows the file's
// length when it opens, and every read or seek outside [0, Size()] throws
// EPackageDamaged instead of touching memory it should not. The file is closed
// when the stream is destroyed, on every path.
class TFileStream {
public:
    // Throws EFileOpenError naming the file and the system's reason.
    explicit TFileStream(const std::string& FileName);
    ~TFileStream();
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    const std::string& FileName() const { return Name; }
    int64_t Size() const { return Length; }
    int64_t Position() const { return Pos; }
    int64_t Remaining() const { return Length - Pos; }

    // Absolute seek; a position past the end of the file throws.
    void Seek(int64_t Position);
    // Relative seek; may land exactly on the end, never past it.
    void Skip(int64_t Count);

    // Reads exactly Count bytes or throws (nothing is consumed then).
    void Read(void* Buffer, std::size_t Count);
    uint8_t ReadByte();
    uint16_t ReadU16();
    uint32_t ReadU32();
    int32_t ReadI32() { return static_cast<int32_t>(ReadU32()); }
    // Allocates only after checking that the file holds Count more bytes.
    std::vector<uint8_t> ReadBlock(int64_t Count);

private:
    struct TCloser {
        void operator()(std::FILE* File) const { std::fclose(File); }
    };
    [[noreturn]] void ThrowPastEnd(int64_t Offset, int64_t Count) const;

    std::string Name;
    std::unique_ptr<std::FILE, TCloser> File;
    int64_t Length = 0;
    int64_t Pos = 0;
};

} // namespace swatchbox
