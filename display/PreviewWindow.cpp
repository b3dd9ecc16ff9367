#include "display/PreviewWindow.h"

#include "display/OpenGLTexture.h"
#include "display/PanelRendering.h"
#include "display/TextureReadback.h"
#include "shell/CenterWindow.h"
#include "shell/MainWindowState.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <exception>
#include <string>

namespace swatchbox {

namespace {

constexpr DWORD PreviewStyle = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
constexpr DWORD PreviewExStyle = WS_EX_ACCEPTFILES;
constexpr int TileEdge = 128;

// The previewed texture is always the panel's selection.
const TTextureObject& PreviewedTexture() {
    return *App.ShownTextures[static_cast<std::size_t>(App.SelectedIndex)];
}

// True when the preview shows the texture's compressed picture.
bool ShowsCompressed() {
    return App.PreviewCompressed && PreviewedTexture().Comp.has_value();
}

// The size of the picture shown.
SIZE PreviewedSize() {
    const TTextureObject& Texture = PreviewedTexture();
    if (ShowsCompressed())
        return {Texture.Comp->USize, Texture.Comp->VSize};
    return {Texture.USize, Texture.VSize};
}

// "Wall07 (256x128), [3/42]", and ", DXT1" after it for the compressed picture.
std::string PreviewCaption() {
    const TTextureObject& Texture = PreviewedTexture();
    const SIZE Size = PreviewedSize();
    std::string Caption = Texture.Name + " (" + std::to_string(Size.cx) + "x" +
                          std::to_string(Size.cy) + "), [" + std::to_string(App.SelectedIndex + 1) +
                          "/" + std::to_string(App.ShownTextures.size()) + "]";
    if (ShowsCompressed())
        Caption.append(", ").append(GetFormatName(Texture.Comp->Format));
    return Caption;
}

// The compressed picture gets an OpenGL texture only for as long as its
// bitmap takes to read back. Nullptr when its pixels can't be read (the file
// changed since the analysis): the preview then shows nothing.
HBITMAP CompressedBitmap(const TTextureObject& Texture) {
    try {
        const std::unique_ptr<TTextureImage> Image = [&] {
            TInstalledStream Stream(*Texture.Owner);
            return UploadTexture(*Stream, Texture.MakeCompUploadRequest());
        }();
        const auto* GLImage = dynamic_cast<const TOpenGLTexture*>(Image.get());
        return GLImage ? CreateBitmapFromTexture(*GLImage) : nullptr;
    } catch (const std::exception&) {
        return nullptr;
    }
}

// Every shown texture has an image; one that OpenGL was not given reads back
// cleared.
HBITMAP PreviewedBitmap() {
    if (ShowsCompressed())
        return CompressedBitmap(PreviewedTexture());
    const auto* Image = dynamic_cast<const TOpenGLTexture*>(PreviewedTexture().GLTexture.get());
    return Image ? CreateBitmapFromTexture(*Image) : nullptr;
}

void MakePreviewImages() {
    const SIZE Size = PreviewedSize();
    App.PreviewBitmap.Reset(PreviewedBitmap());
    App.PreviewTile.Reset(MakeTileBitmap(App.PreviewBitmap.Get(), Size.cx, Size.cy));
}

void MoveToDesktopCentre(HWND Window, UINT Flags) {
    RECT Rect{};
    CenterWindowRect(Window, true, Rect);
    SetWindowPos(Window, nullptr, Rect.left, Rect.top, 0, 0, Flags | SWP_NOSIZE);
}

bool IsMaximised(HWND Window) {
    return IsZoomed(Window) != FALSE;
}

BOOL OnCreate(HWND Window, LPCREATESTRUCT) {
    EnableWindow(App.MainWnd, FALSE);
    MoveToDesktopCentre(Window, 0);
    const SIZE Size = PreviewedSize();
    App.PreviewTile.Reset(MakeTileBitmap(App.PreviewBitmap.Get(), Size.cx, Size.cy));
    App.PreviewTiled = false;
    return TRUE;
}

void PaintTiled(HDC Context, const RECT& Client) {
    const TBrushHandle Pattern(CreatePatternBrush(App.PreviewTile.Get()));
    if (Pattern)
        FillRect(Context, &Client, Pattern.Get());
}

void PaintImage(HDC Context, const RECT& Client) {
    const TMemoryDC Memory(CreateCompatibleDC(Context));
    if (!Memory || !App.PreviewBitmap)
        return;
    const TSelection Selected(Memory.Get(), App.PreviewBitmap.Get());
    const SIZE Size = PreviewedSize();
    StretchBlt(Context, 0, 0, Client.right - Client.left, Client.bottom - Client.top, Memory.Get(),
               0, 0, Size.cx, Size.cy, SRCCOPY);
}

void OnPaint(HWND Window) {
    PAINTSTRUCT Paint{};
    HDC Context = BeginPaint(Window, &Paint);
    RECT Client{};
    GetClientRect(Window, &Client);
    if (App.PreviewTiled)
        PaintTiled(Context, Client);
    else
        PaintImage(Context, Client);
    EndPaint(Window, &Paint);
}

// A click on the normal window maximises it, tiled unless Shift is held; on
// the maximised window it restores the texture size.
void ToggleMaximised(HWND Window, UINT KeyFlags) {
    if (IsMaximised(Window)) {
        ShowWindow(Window, SW_SHOWNORMAL);
        App.PreviewTiled = false;
        RECT Rect{};
        PreviewWindowRect(Rect);
        SetWindowPos(Window, nullptr, 0, 0, Rect.right - Rect.left, Rect.bottom - Rect.top,
                     SWP_NOMOVE);
        MoveToDesktopCentre(Window, 0);
    } else {
        ShowWindow(Window, SW_SHOWMAXIMIZED);
        App.PreviewTiled = (KeyFlags & MK_SHIFT) == 0;
    }
    InvalidateRect(Window, nullptr, FALSE);
}

void OnLeftButtonDown(HWND Window, BOOL, int, int, UINT KeyFlags) {
    ToggleMaximised(Window, KeyFlags);
}

void OnRightButtonUp(HWND Window, int, int, UINT) {
    DestroyWindow(Window);
}

void ShowSelectedTexture(HWND Window) {
    App.PreviewTile.Reset();
    App.PreviewBitmap.Reset();
    MakePreviewImages();
    if (!IsMaximised(Window)) {
        RECT Outer{};
        GetWindowRect(Window, &Outer);
        RECT Rect{};
        PreviewWindowRect(Rect);
        SetWindowPos(Window, nullptr, Outer.left, Outer.top, Rect.right - Rect.left,
                     Rect.bottom - Rect.top, SWP_FRAMECHANGED);
        MoveToDesktopCentre(Window, SWP_FRAMECHANGED);
    }
    SetWindowTextA(Window, PreviewCaption().c_str());
    RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE);
}

// Steps through the shown group, wrapping at both ends.
void Step(HWND Window, bool Forward) {
    const auto Count = static_cast<int32_t>(App.ShownTextures.size());
    if (Count == 0)
        return;
    int32_t Index = App.SelectedIndex + (Forward ? 1 : -1);
    if (Index < 0)
        Index = Count - 1;
    else if (Index >= Count)
        Index = 0;
    App.SelectedIndex = Index;
    InvalidatePanelFrame();
    ShowSelectedTexture(Window);
}

// Switches between a texture's two pictures; a texture with one only keeps
// showing it, but the choice holds for the next texture that has both.
void ToggleCompressed(HWND Window) {
    if (!PreviewedTexture().Comp)
        return;
    App.PreviewCompressed = !App.PreviewCompressed;
    ShowSelectedTexture(Window);
}

void OnKeyDown(HWND Window, UINT Key, BOOL, int, UINT) {
    switch (Key) {
    case 'C':
        // Ctrl+C belongs to the copy command.
        if (GetKeyState(VK_CONTROL) >= 0)
            ToggleCompressed(Window);
        break;
    case VK_RETURN:
        ToggleMaximised(Window, 0);
        break;
    case VK_ESCAPE:
        DestroyWindow(Window);
        break;
    case VK_LEFT:
        Step(Window, false);
        break;
    case VK_RIGHT:
        Step(Window, true);
        break;
    default:
        break;
    }
}

// Turned away from the user: the next texture.
void OnMouseWheel(HWND Window, int, int, int Delta, UINT) {
    if (Delta > 0)
        Step(Window, true);
    else if (Delta < 0)
        Step(Window, false);
}

// The system keeps captioned windows at a minimum width; a smaller texture
// would be stretched to it. Lowering the minimum to the texture's window keeps
// the client area at the texture's size, so the image shows 1:1.
void OnGetMinMaxInfo(HWND, LPMINMAXINFO Limits) {
    if (App.SelectedIndex < 0 ||
        static_cast<std::size_t>(App.SelectedIndex) >= App.ShownTextures.size())
        return;
    RECT Rect{};
    PreviewWindowRect(Rect);
    Limits->ptMinTrackSize.x = std::min(Limits->ptMinTrackSize.x, Rect.right - Rect.left);
    Limits->ptMinTrackSize.y = std::min(Limits->ptMinTrackSize.y, Rect.bottom - Rect.top);
}

void OnDestroy(HWND) {
    App.PreviewTile.Reset();
    App.PreviewBitmap.Reset();
    App.PreviewCompressed = false;
    EnableWindow(App.MainWnd, TRUE);
    SetForegroundWindow(App.MainWnd);
}

} // namespace

void PreviewWindowRect(RECT& Rect) {
    const SIZE Size = PreviewedSize();
    Rect = {0, 0, Size.cx, Size.cy};
    AdjustWindowRectEx(&Rect, PreviewStyle, FALSE, PreviewExStyle);
}

SIZE TileSize(int Width, int Height) {
    if (Width <= 0 || Height <= 0)
        return {TileEdge, TileEdge};
    const float Aspect = static_cast<float>(Width) / static_cast<float>(Height);
    // Rounds to nearest, halves to even (the default rounding mode).
    const auto Scaled = [](float Value) { return std::max(1L, std::lrint(Value)); };
    if (Aspect > 1)
        return {TileEdge, Scaled(TileEdge / Aspect)};
    if (Aspect < 1)
        return {Scaled(TileEdge * Aspect), TileEdge};
    return {TileEdge, TileEdge};
}

HBITMAP MakeTileBitmap(HBITMAP Bitmap, int Width, int Height) {
    const SIZE Tile = TileSize(Width, Height);
    const TWindowDC Screen;
    const TMemoryDC Source(CreateCompatibleDC(Screen.Get()));
    const TMemoryDC Target(CreateCompatibleDC(Screen.Get()));
    TBitmapHandle Result(CreateCompatibleBitmap(Screen.Get(), Tile.cx, Tile.cy));
    if (!Source || !Target || !Result)
        return nullptr;
    if (Bitmap) {
        const TSelection From(Source.Get(), Bitmap);
        const TSelection Into(Target.Get(), Result.Get());
        SetStretchBltMode(Target.Get(), HALFTONE);
        SetBrushOrgEx(Target.Get(), 0, 0, nullptr);
        StretchBlt(Target.Get(), 0, 0, Tile.cx, Tile.cy, Source.Get(), 0, 0, Width, Height,
                   SRCCOPY);
    }
    return Result.Release();
}

void OpenPreview() {
    App.PreviewBitmap.Reset(PreviewedBitmap());
    RECT Rect{};
    PreviewWindowRect(Rect);
    CreateWindowExA(PreviewExStyle, "SWATCHBOX_PREVIEW", PreviewCaption().c_str(), PreviewStyle,
                    Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top,
                    App.MainWnd, nullptr, App.Instance, nullptr);
}

// The message crackers of windowsx.h expect the parameters as wParam and lParam.
LRESULT CALLBACK PreviewProc(HWND Window, UINT Message, WPARAM wParam, LPARAM lParam) {
    switch (Message) {
        HANDLE_MSG(Window, WM_CREATE, OnCreate);
        HANDLE_MSG(Window, WM_PAINT, OnPaint);
        HANDLE_MSG(Window, WM_LBUTTONDOWN, OnLeftButtonDown);
        HANDLE_MSG(Window, WM_RBUTTONUP, OnRightButtonUp);
        HANDLE_MSG(Window, WM_KEYDOWN, OnKeyDown);
        HANDLE_MSG(Window, WM_MOUSEWHEEL, OnMouseWheel);
        HANDLE_MSG(Window, WM_GETMINMAXINFO, OnGetMinMaxInfo);
        HANDLE_MSG(Window, WM_DESTROY, OnDestroy);
    default:
        return DefWindowProcA(Window, Message, wParam, lParam);
    }
}

} // namespace swatchbox
