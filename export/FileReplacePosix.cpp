#include "export/FileReplace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>

namespace swatchbox {

// rename replaces the target in one step. Renaming over a device such as
// /dev/null, a pipe or a socket would put a plain file in its place, so
// those are refused and left as they are.
bool MoveIntoPlace(const std::string& From, const std::string& To, std::string& Reason) {
    struct stat Status {};
    if (::stat(To.c_str(), &Status) == 0 &&
        (S_ISCHR(Status.st_mode) || S_ISBLK(Status.st_mode) || S_ISFIFO(Status.st_mode) ||
         S_ISSOCK(Status.st_mode))) {
        Reason = "not a regular file";
        return false;
    }
    errno = 0;
    if (std::rename(From.c_str(), To.c_str()) == 0)
        return true;
    Reason = errno ? std::strerror(errno) : "unknown error";
    return false;
}

} // namespace swatchbox
