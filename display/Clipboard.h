#pragma once

namespace swatchbox {

// Puts the selected texture on the clipboard as a CF_BITMAP; does nothing
// without a selection.
void CopyTextureToClipboard();

} // namespace swatchbox
