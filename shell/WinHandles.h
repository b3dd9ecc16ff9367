#pragma once

#include <windows.h>

#include <commctrl.h>

#include <utility>

namespace swatchbox {

// Owns one Win32 handle and releases it with Free when it goes out of scope.
// Null and INVALID_HANDLE_VALUE both mean "nothing owned", since the API
// returns one or the other for failure depending on the call.
template <typename THandle, auto Free>
class TWinHandle {
public:
    TWinHandle() = default;
    explicit TWinHandle(THandle Handle) : Handle(Handle) {}
    ~TWinHandle() { Reset(); }
    TWinHandle(TWinHandle&& Other) noexcept : Handle(std::exchange(Other.Handle, THandle{})) {}
    TWinHandle& operator=(TWinHandle&& Other) noexcept {
        if (this != &Other)
            Reset(std::exchange(Other.Handle, THandle{}));
        return *this;
    }
    TWinHandle(const TWinHandle&) = delete;
    TWinHandle& operator=(const TWinHandle&) = delete;

    THandle Get() const { return Handle; }
    explicit operator bool() const { return IsValid(Handle); }
    THandle Release() { return std::exchange(Handle, THandle{}); }
    void Reset(THandle NewHandle = THandle{}) {
        if (IsValid(Handle))
            Free(Handle);
        Handle = NewHandle;
    }

private:
    static bool IsValid(THandle Value) {
        return Value != THandle{} && reinterpret_cast<HANDLE>(Value) != INVALID_HANDLE_VALUE;
    }
    THandle Handle{};
};

namespace handles {
template <typename TGdi>
inline void DeleteGdiObject(TGdi Object) {
    DeleteObject(Object);
}
inline void DestroyMenuHandle(HMENU Menu) {
    DestroyMenu(Menu);
}
inline void DestroyImageList(HIMAGELIST List) {
    ImageList_Destroy(List);
}
inline void CloseRegistryKey(HKEY Key) {
    RegCloseKey(Key);
}
inline void CloseFind(HANDLE Find) {
    FindClose(Find);
}
inline void CloseKernelHandle(HANDLE Handle) {
    CloseHandle(Handle);
}
inline void ReleaseLibrary(HMODULE Module) {
    FreeLibrary(Module);
}
inline void DeleteMemoryDC(HDC Context) {
    DeleteDC(Context);
}
inline void DestroyWindowHandle(HWND Window) {
    DestroyWindow(Window);
}
} // namespace handles

template <typename TGdi>
using TGdiHandle = TWinHandle<TGdi, handles::DeleteGdiObject<TGdi>>;
using TFontHandle = TGdiHandle<HFONT>;
using TBrushHandle = TGdiHandle<HBRUSH>;
using TBitmapHandle = TGdiHandle<HBITMAP>;
using TMenuHandle = TWinHandle<HMENU, handles::DestroyMenuHandle>;
using TImageListHandle = TWinHandle<HIMAGELIST, handles::DestroyImageList>;
using TRegistryKey = TWinHandle<HKEY, handles::CloseRegistryKey>;
using TFindHandle = TWinHandle<HANDLE, handles::CloseFind>;
using TKernelHandle = TWinHandle<HANDLE, handles::CloseKernelHandle>;
using TModuleHandle = TWinHandle<HMODULE, handles::ReleaseLibrary>;
using TMemoryDC = TWinHandle<HDC, handles::DeleteMemoryDC>;
using TWindowHandle = TWinHandle<HWND, handles::DestroyWindowHandle>;

// A window's device context (the screen's for none), released on leaving.
class TWindowDC {
public:
    explicit TWindowDC(HWND Window = nullptr) : Window(Window), Context(GetDC(Window)) {}
    ~TWindowDC() {
        if (Context)
            ReleaseDC(Window, Context);
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    HDC Get() const { return Context; }

private:
    HWND Window;
    HDC Context;
};

// Selects a GDI object into a context and puts the previous one back on
// leaving, so the object can be deleted afterwards.
class TSelection {
public:
    TSelection(HDC Context, HGDIOBJ Object)
        : Context(Context), Previous(SelectObject(Context, Object)) {}
    ~TSelection() {
        if (Previous)
            SelectObject(Context, Previous);
    }
    TSelection(const TSelection&) = delete;
    TSelection& operator=(const TSelection&) = delete;

private:
    HDC Context;
    HGDIOBJ Previous;
};

} // namespace swatchbox
