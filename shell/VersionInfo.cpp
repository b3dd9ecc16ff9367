#include "shell/VersionInfo.h"

namespace swatchbox {

std::string QueryVersionString(const std::string&, const std::string&) {
    return {};
}

std::string MakeVersionText() {
    return {};
}

} // namespace swatchbox
