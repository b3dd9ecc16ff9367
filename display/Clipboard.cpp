#include "display/Clipboard.h"

#include "display/OpenGLTexture.h"
#include "display/TextureReadback.h"
#include "shell/MainWindowState.h"
#include "shell/WinHandles.h"

#include <windows.h>

#include <iterator>

namespace swatchbox {

namespace {

// The clipboard, open for as long as this lives.
class TOpenClipboard {
public:
    explicit TOpenClipboard(HWND Owner) : Opened(OpenClipboard(Owner) != FALSE) {}
    ~TOpenClipboard() {
        if (Opened)
            CloseClipboard();
    }
    TOpenClipboard(const TOpenClipboard&) = delete;
    TOpenClipboard& operator=(const TOpenClipboard&) = delete;

    explicit operator bool() const { return Opened; }

private:
    bool Opened;
};

} // namespace

void CopyTextureToClipboard() {
    if (App.SelectedIndex < 0 || App.SelectedIndex >= std::ssize(App.ShownTextures))
        return;
    const TTextureObject* Texture = App.ShownTextures[static_cast<std::size_t>(App.SelectedIndex)];
    const auto* Image = dynamic_cast<const TOpenGLTexture*>(Texture->GLTexture.get());
    if (!Image)
        return;
    // Made before the clipboard opens: without a bitmap the clipboard keeps
    // what it holds.
    TBitmapHandle Bitmap(CreateBitmapFromTexture(*Image));
    if (!Bitmap)
        return;
    const TOpenClipboard Clipboard(App.MainWnd);
    if (!Clipboard)
        return;
    EmptyClipboard();
    // Once taken, the bitmap belongs to the clipboard.
    if (SetClipboardData(CF_BITMAP, Bitmap.Get()))
        Bitmap.Release();
}

} // namespace swatchbox
