#include "display/PreviewWindow.h"

namespace swatchbox {

void OpenPreview() {}

LRESULT CALLBACK PreviewProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
    return DefWindowProcA(Window, Message, WParam, LParam);
}

} // namespace swatchbox
