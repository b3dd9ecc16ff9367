#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace swatchbox::cli {

struct TListOptions {
    std::vector<std::string> Packages;
    bool Json = false;
    bool ShowProgress = false;
};

// Lists the texture exports of each package on Out, as an aligned table or as
// one JSON array over all packages; messages and progress go to Err. Returns
// 0 when everything could be read, 1 when anything failed.
int RunList(const TListOptions& Options, std::ostream& Out, std::ostream& Err);

} // namespace swatchbox::cli
