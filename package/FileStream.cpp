#include "FileStream.h"

#include "Errors.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>

namespace swatchbox {

namespace {

int SeekTo(std::FILE* File, int64_t Offset, int Origin) {
#ifdef _WIN32
    return _fseeki64(File, Offset, Origin);
#else
    return fseeko(File, static_cast<off_t>(Offset), Origin);
#endif
}

int64_t Tell(std::FILE* File) {
#ifdef _WIN32
    return _ftelli64(File);
#else
    return static_cast<int64_t>(ftello(File));
#endif
}

[[noreturn]] void ThrowOpenError(const std::string& FileName, const std::string& Reason) {
    throw EFileOpenError("Cannot open file \"" + FileName + "\": " + Reason);
}

} // namespace

TFileStream::TFileStream(const std::string& FileName) : Name(FileName) {
    std::error_code Error;
    if (std::filesystem::is_directory(FileName, Error))
        ThrowOpenError(FileName, "it is a folder");
    // fopen shares the file for reading and writing with other processes on
    // every platform we build for, so a game or editor keeps its access.
    errno = 0;
    File.reset(std::fopen(FileName.c_str(), "rb"));
    if (!File)
        ThrowOpenError(FileName, errno ? std::strerror(errno) : "unknown error");
    if (SeekTo(File.get(), 0, SEEK_END) != 0 || (Length = Tell(File.get())) < 0 ||
        SeekTo(File.get(), 0, SEEK_SET) != 0)
        ThrowOpenError(FileName, "its length can't be determined");
}

TFileStream::~TFileStream() = default;

void TFileStream::ThrowPastEnd(int64_t Offset, int64_t Count) const {
    throw EPackageDamaged("Damaged file \"" + Name + "\": reading " + std::to_string(Count) +
                          " bytes at offset " + std::to_string(Offset) + " runs past its end (" +
                          std::to_string(Length) + " bytes)");
}

void TFileStream::Seek(int64_t Position) {
    if (Position < 0 || Position > Length)
        ThrowPastEnd(Position, 0);
    if (Position == Pos)
        return;
    if (SeekTo(File.get(), Position, SEEK_SET) != 0)
        throw EPackageDamaged("Cannot seek in file \"" + Name + "\"");
    Pos = Position;
}

void TFileStream::Skip(int64_t Count) {
    if (Count < 0 || Count > Remaining())
        ThrowPastEnd(Pos, Count);
    Seek(Pos + Count);
}

void TFileStream::Read(void* Buffer, std::size_t Count) {
    if (Count > static_cast<uint64_t>(Remaining()))
        ThrowPastEnd(Pos, static_cast<int64_t>(Count));
    if (Count == 0)
        return;
    const std::size_t Got = std::fread(Buffer, 1, Count, File.get());
    Pos += static_cast<int64_t>(Got);
    // The file may have shrunk since it was opened.
    if (Got != Count)
        throw EPackageDamaged("Cannot read file \"" + Name + "\": it ended at offset " +
                              std::to_string(Pos) + " while being read");
}

uint8_t TFileStream::ReadByte() {
    uint8_t Byte = 0;
    Read(&Byte, 1);
    return Byte;
}

uint16_t TFileStream::ReadU16() {
    uint8_t Bytes[2] = {};
    Read(Bytes, sizeof Bytes);
    return static_cast<uint16_t>(Bytes[0] | Bytes[1] << 8);
}

uint32_t TFileStream::ReadU32() {
    uint8_t Bytes[4] = {};
    Read(Bytes, sizeof Bytes);
    return static_cast<uint32_t>(Bytes[0]) | static_cast<uint32_t>(Bytes[1]) << 8 |
           static_cast<uint32_t>(Bytes[2]) << 16 | static_cast<uint32_t>(Bytes[3]) << 24;
}

std::vector<uint8_t> TFileStream::ReadBlock(int64_t Count) {
    if (Count < 0 || Count > Remaining())
        ThrowPastEnd(Pos, Count);
    std::vector<uint8_t> Block(static_cast<std::size_t>(Count));
    Read(Block.data(), Block.size());
    return Block;
}

} // namespace swatchbox
