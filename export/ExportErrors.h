#pragma once

#include "package/Errors.h"

namespace swatchbox {

// A file that could not be written; the message names it and says why.
class EExportError : public ESwatchboxError {
public:
    using ESwatchboxError::ESwatchboxError;
};

} // namespace swatchbox
