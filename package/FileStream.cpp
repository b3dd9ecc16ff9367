#include "package/FileStream.h"

#include "package/ByteOrder.h"
#include "package/Errors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <share.h>
#else
#include <unistd.h>
#endif

namespace swatchbox {

namespace {

[[noreturn]] void ThrowOpenError(const std::string& FileName, const std::string& Reason) {
    throw EFileOpenError("Cannot open file \"" + FileName + "\": " + Reason);
}

std::string SystemReason() {
    return errno ? std::strerror(errno) : "unknown error";
}

#ifdef _WIN32
// _SH_DENYNO lets other programs read and write the file while it is open.
int OpenShared(const std::string& FileName) {
    return _sopen(FileName.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYNO);
}

bool QuerySize(int Handle, int64_t& Size, bool& IsFolder) {
    struct _stati64 Status;
    if (_fstati64(Handle, &Status) != 0)
        return false;
    Size = Status.st_size;
    IsFolder = (Status.st_mode & _S_IFDIR) != 0;
    return true;
}

// Reads at most Count bytes at Offset; the count read, or -1.
int64_t ReadSome(int Handle, int64_t Offset, uint8_t* Buffer, std::size_t Count) {
    if (_lseeki64(Handle, Offset, SEEK_SET) != Offset)
        return -1;
    return _read(Handle, Buffer, static_cast<unsigned>(std::min<std::size_t>(Count, 1u << 30)));
}

void CloseHandle(int Handle) {
    _close(Handle);
}
#else
int OpenShared(const std::string& FileName) {
    return ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC);
}

bool QuerySize(int Handle, int64_t& Size, bool& IsFolder) {
    struct stat Status;
    if (::fstat(Handle, &Status) != 0)
        return false;
    Size = static_cast<int64_t>(Status.st_size);
    IsFolder = S_ISDIR(Status.st_mode);
    return true;
}

int64_t ReadSome(int Handle, int64_t Offset, uint8_t* Buffer, std::size_t Count) {
    ssize_t Got;
    do
        Got = ::pread(Handle, Buffer, std::min<std::size_t>(Count, 1u << 30),
                      static_cast<off_t>(Offset));
    while (Got < 0 && errno == EINTR);
    return Got;
}

void CloseHandle(int Handle) {
    ::close(Handle);
}
#endif

} // namespace

TFileStream::TFileStream(const std::string& FileName) : Name(FileName) {
    Open();
}

void TFileStream::Open() {
    const std::string& FileName = Name;
    errno = 0;
    Handle = OpenShared(FileName);
    if (Handle < 0)
        ThrowOpenError(FileName, SystemReason());
    bool IsFolder = false;
    if (!QuerySize(Handle, Length, IsFolder) || IsFolder) {
        const std::string Reason = IsFolder ? "it is a folder" : SystemReason();
        CloseHandle(Handle);
        ThrowOpenError(FileName, Reason);
    }
}

TFileStream::TFileStream(const TPackageSource& Source) : Name(Source.FileName) {
    if (!Source.Image) {
        Open();
        if (Source.BaseOffset < 0 || Source.BaseOffset > Length)
            ThrowPastEnd(Source.BaseOffset, 0);
        Base = Source.BaseOffset;
        Key = Source.XorKey;
        Length -= Base;
        return;
    }
    Image = Source.Image;
    Length = static_cast<int64_t>(Image->size());
}

TFileStream::~TFileStream() {
    if (Handle >= 0)
        CloseHandle(Handle);
}

void TFileStream::ThrowPastEnd(int64_t Offset, int64_t Count) const {
    throw EPackageDamaged("Damaged file \"" + Name + "\": reading " + std::to_string(Count) +
                          " bytes at offset " + std::to_string(Offset) + " runs past its end (" +
                          std::to_string(Length) + " bytes)");
}

void TFileStream::Seek(int64_t Position) {
    if (Position < 0 || Position > Length)
        ThrowPastEnd(Position, 0);
    Pos = Position;
}

void TFileStream::Skip(int64_t Count) {
    if (Count < 0 || Count > Remaining())
        ThrowPastEnd(Pos, Count);
    Pos += Count;
}

std::size_t TFileStream::ReadAt(int64_t Offset, uint8_t* Buffer, std::size_t Count) {
    if (Image) {
        const std::size_t Done = static_cast<std::size_t>(
            std::clamp<int64_t>(Length - Offset, 0, static_cast<int64_t>(Count)));
        std::memcpy(Buffer, Image->data() + Offset, Done);
        return Done;
    }
    std::size_t Done = 0;
    while (Done < Count) {
        errno = 0;
        const int64_t Got = ReadSome(Handle, Base + Offset + static_cast<int64_t>(Done),
                                     Buffer + Done, Count - Done);
        if (Got < 0)
            throw EPackageDamaged("Cannot read file \"" + Name + "\": " + SystemReason());
        if (Got == 0)
            break;
        if (Key != 0)
            std::for_each(Buffer + Done, Buffer + Done + Got,
                          [this](uint8_t& Byte) { Byte ^= Key; });
        Done += static_cast<std::size_t>(Got);
    }
    return Done;
}

void TFileStream::Read(void* Buffer, std::size_t Count) {
    if (Count > static_cast<uint64_t>(Remaining()))
        ThrowPastEnd(Pos, static_cast<int64_t>(Count));
    if (Count == 0)
        return;
    auto* Out = static_cast<uint8_t*>(Buffer);
    const int64_t WindowEnd = WindowStart + static_cast<int64_t>(WindowFill);
    if (Pos >= WindowStart && Pos + static_cast<int64_t>(Count) <= WindowEnd) {
        std::memcpy(Out, Window.data() + (Pos - WindowStart), Count);
    } else if (Count >= WindowSize) {
        if (ReadAt(Pos, Out, Count) != Count)
            ThrowShrunk();
    } else {
        // The window takes what the file holds now, which may be less than
        // its length when opened; only the requested bytes must be there.
        WindowStart = Pos;
        WindowFill = ReadAt(WindowStart, Window.data(),
                            static_cast<std::size_t>(std::min<int64_t>(WindowSize, Remaining())));
        if (WindowFill < Count)
            ThrowShrunk();
        std::memcpy(Out, Window.data(), Count);
    }
    Pos += static_cast<int64_t>(Count);
}

void TFileStream::ThrowShrunk() const {
    throw EPackageDamaged("Cannot read file \"" + Name + "\": it ended while being read");
}

uint16_t TFileStream::ReadU16() {
    uint8_t Bytes[2] = {};
    Read(Bytes, sizeof Bytes);
    return LoadLE16(Bytes);
}

uint32_t TFileStream::ReadU32() {
    uint8_t Bytes[4] = {};
    Read(Bytes, sizeof Bytes);
    return LoadLE32(Bytes);
}

std::vector<uint8_t> TFileStream::ReadBlock(int64_t Count) {
    if (Count < 0 || Count > Remaining())
        ThrowPastEnd(Pos, Count);
    std::vector<uint8_t> Block(static_cast<std::size_t>(Count));
    Read(Block.data(), Block.size());
    return Block;
}

} // namespace swatchbox
