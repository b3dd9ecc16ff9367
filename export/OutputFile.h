#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace swatchbox {

class TFileStream;

// Writes a file safely: the bytes go to a temporary file in the target's
// folder, which replaces the target only on Commit. A failed or abandoned
// write removes the temporary file and leaves any existing target untouched.
// Writes are unbuffered: callers hand over large blocks.
class TOutputFile {
public:
    // Throws EExportError when the temporary file can't be created.
    explicit TOutputFile(std::string TargetName);
    ~TOutputFile();
    TOutputFile(const TOutputFile&) = delete;
    TOutputFile& operator=(const TOutputFile&) = delete;

    // Throw EExportError naming the target and the system's reason.
    void Write(const void* Data, std::size_t Count);
    // Copies Count bytes at Position of From inside the system where it can
    // (Linux); returns the bytes copied, 0 when the caller must copy itself.
    int64_t CopyFrom(const TFileStream& From, int64_t Position, int64_t Count);
    void Commit();

    const std::string& TargetName() const { return Target; }

private:
    // Throws EExportError naming the target and the reason (by default the
    // system's, from errno).
    [[noreturn]] void Fail(const char* What) const;
    [[noreturn]] void Fail(const char* What, const std::string& Reason) const;
    void Close();

    std::string Target;
    std::string Temporary;
    int Handle = -1;
    bool Committed = false;
};

} // namespace swatchbox
