#include "display/Clipboard.h"

namespace swatchbox {

void CopyTextureToClipboard() {}

} // namespace swatchbox
