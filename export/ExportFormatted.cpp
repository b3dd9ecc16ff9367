#include "export/ExportFormatted.h"

namespace swatchbox {

bool ExportFormatted(const TTextureObject&, const std::string&, const std::string&, int32_t,
                     IReporter&) {
    return false;
}

} // namespace swatchbox
