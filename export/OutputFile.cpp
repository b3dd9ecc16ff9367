#include "OutputFile.h"

#include "ExportErrors.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <utility>

namespace swatchbox {

namespace {

std::string UniqueSuffix() {
    static std::random_device Random;
    static unsigned Counter = 0;
    char Text[32];
    std::snprintf(Text, sizeof Text, ".%08x%u.part", Random(), ++Counter);
    return Text;
}

std::string SystemReason() {
    return errno ? std::strerror(errno) : "unknown error";
}

} // namespace

TOutputFile::TOutputFile(std::string TargetName)
    : Target(std::move(TargetName)), Temporary(Target + UniqueSuffix()) {
    errno = 0;
    File.reset(std::fopen(Temporary.c_str(), "wb"));
    if (!File)
        Fail("create");
}

TOutputFile::~TOutputFile() {
    if (Committed)
        return;
    File.reset();
    std::remove(Temporary.c_str());
}

void TOutputFile::Fail(const char* What) const {
    throw EExportError("Cannot " + std::string(What) + " file \"" + Target +
                       "\": " + SystemReason());
}

void TOutputFile::Write(const void* Data, std::size_t Count) {
    errno = 0;
    if (Count != 0 && std::fwrite(Data, 1, Count, File.get()) != Count)
        Fail("write");
}

void TOutputFile::Commit() {
    errno = 0;
    if (std::fflush(File.get()) != 0)
        Fail("write");
    std::FILE* Closing = File.release();
    if (std::fclose(Closing) != 0)
        Fail("write");
#ifdef _WIN32
    // rename does not replace an existing file here, so the old file steps
    // aside first and comes back if the new one can't take its place.
    if (std::rename(Temporary.c_str(), Target.c_str()) != 0) {
        const std::string Backup = Target + UniqueSuffix();
        if (std::rename(Target.c_str(), Backup.c_str()) != 0)
            Fail("replace");
        if (std::rename(Temporary.c_str(), Target.c_str()) != 0) {
            const int Reason = errno;
            std::rename(Backup.c_str(), Target.c_str());
            errno = Reason;
            Fail("replace");
        }
        std::remove(Backup.c_str());
    }
#else
    if (std::rename(Temporary.c_str(), Target.c_str()) != 0)
        Fail("replace");
#endif
    Committed = true;
}

} // namespace swatchbox
