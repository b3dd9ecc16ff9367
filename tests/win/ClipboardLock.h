#pragma once

#include "shell/WinHandles.h"

#include <windows.h>

namespace swatchbox::testing {

// Held by every test that uses the clipboard: CTest runs test processes side
// by side, and they all share one clipboard.
class TClipboardTestLock {
public:
    TClipboardTestLock() : Mutex(CreateMutexA(nullptr, FALSE, "SwatchboxClipboardTests")) {
        // An abandoned lock (a test that crashed) is taken over all the same.
        if (Mutex)
            WaitForSingleObject(Mutex.Get(), 60000);
    }
    ~TClipboardTestLock() {
        if (Mutex)
            ReleaseMutex(Mutex.Get());
    }
    TClipboardTestLock(const TClipboardTestLock&) = delete;
    TClipboardTestLock& operator=(const TClipboardTestLock&) = delete;

private:
    TKernelHandle Mutex;
};

} // namespace swatchbox::testing
