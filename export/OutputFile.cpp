#include "export/OutputFile.h"

#include "export/ExportErrors.h"
#include "export/FileReplace.h"
#include "package/FileStream.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <random>
#include <utility>

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

// Files are written from several threads at once, so the suffix's sources
// are shared under a lock.
std::string UniqueSuffix() {
    static std::mutex Lock;
    static std::random_device Random;
    static unsigned Counter = 0;
    const std::lock_guard Guard(Lock);
    char Text[32];
    std::snprintf(Text, sizeof Text, ".%08x%u.part", Random(), ++Counter);
    return Text;
}

std::string SystemReason() {
    return errno ? std::strerror(errno) : "unknown error";
}

#ifdef _WIN32
int CreateNew(const std::string& FileName) {
    return _sopen(FileName.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                  _SH_DENYWR, _S_IREAD | _S_IWRITE);
}
int WriteSome(int Handle, const void* Data, std::size_t Count) {
    return _write(Handle, Data, static_cast<unsigned>(std::min<std::size_t>(Count, 1u << 30)));
}
int CloseFile(int Handle) {
    return _close(Handle);
}

#else
int CreateNew(const std::string& FileName) {
    return ::open(FileName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
ssize_t WriteSome(int Handle, const void* Data, std::size_t Count) {
    return ::write(Handle, Data, std::min<std::size_t>(Count, 1u << 30));
}
int CloseFile(int Handle) {
    return ::close(Handle);
}

#endif

} // namespace

TOutputFile::TOutputFile(std::string TargetName)
    : Target(std::move(TargetName)), Temporary(Target + UniqueSuffix()) {
    errno = 0;
    Handle = CreateNew(Temporary);
    if (Handle < 0)
        Fail("create");
}

TOutputFile::~TOutputFile() {
    if (Committed)
        return;
    Close();
    std::remove(Temporary.c_str());
}

void TOutputFile::Fail(const char* What) const {
    Fail(What, SystemReason());
}

void TOutputFile::Fail(const char* What, const std::string& Reason) const {
    throw EExportError("Cannot " + std::string(What) + " file \"" + Target + "\": " + Reason);
}

void TOutputFile::Close() {
    if (Handle >= 0)
        CloseFile(std::exchange(Handle, -1));
}

void TOutputFile::Write(const void* Data, std::size_t Count) {
    const auto* Bytes = static_cast<const char*>(Data);
    while (Count > 0) {
        errno = 0;
        const auto Written = WriteSome(Handle, Bytes, Count);
        if (Written < 0 && errno == EINTR)
            continue;
        if (Written <= 0)
            Fail("write");
        Bytes += Written;
        Count -= static_cast<std::size_t>(Written);
    }
}

int64_t TOutputFile::CopyFrom(const TFileStream& From, int64_t Position, int64_t Count) {
#ifdef __linux__
    // A stream on an image in memory has no descriptor; the caller copies it.
    if (From.NativeHandle() < 0)
        return 0;
    loff_t In = Position;
    int64_t Done = 0;
    while (Done < Count) {
        const ssize_t Copied = ::copy_file_range(From.NativeHandle(), &In, Handle, nullptr,
                                                 static_cast<std::size_t>(Count - Done), 0);
        if (Copied < 0 && errno == EINTR)
            continue;
        if (Copied <= 0)
            break;
        Done += Copied;
    }
    return Done;
#else
    (void)From;
    (void)Position;
    (void)Count;
    return 0;
#endif
}

void TOutputFile::Commit() {
    errno = 0;
    // A failing close can be the first sign that the data did not fit.
    if (CloseFile(std::exchange(Handle, -1)) != 0)
        Fail("write");
    std::string Reason;
    if (!MoveIntoPlace(Temporary, Target, Reason))
        Fail("replace", Reason);
    Committed = true;
}

} // namespace swatchbox
