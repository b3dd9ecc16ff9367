#include "export/FileReplace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace swatchbox {

// rename replaces the target in one step.
bool MoveIntoPlace(const std::string& From, const std::string& To, std::string& Reason) {
    errno = 0;
    if (std::rename(From.c_str(), To.c_str()) == 0)
        return true;
    Reason = errno ? std::strerror(errno) : "unknown error";
    return false;
}

} // namespace swatchbox
