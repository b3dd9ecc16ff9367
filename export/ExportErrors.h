#pragma once

#include <stdexcept>

namespace swatchbox {

// A file that could not be written; the message names it and says why.
class EExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace swatchbox
