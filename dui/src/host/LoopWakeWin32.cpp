#include <windows.h>

#include "dui/src/host/LoopWake.h"

LoopWake::LoopWake() {
    // Auto reset: the wait that sees the signal also clears it.
    if (const HANDLE event = ::CreateEventW(nullptr, FALSE, FALSE, nullptr); event != nullptr)
        handle_ = reinterpret_cast<NativeHandle>(event);
}

LoopWake::~LoopWake() {
    if (handle_ != kNoHandle) ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

void LoopWake::Signal() {
    if (handle_ != kNoHandle) ::SetEvent(reinterpret_cast<HANDLE>(handle_));
}

void LoopWake::Wait(int timeoutMs, NativeHandle platform) {
    HANDLE objects[2];
    DWORD count = 0;
    if (handle_ != kNoHandle) objects[count++] = reinterpret_cast<HANDLE>(handle_);
    if (platform != kNoHandle) objects[count++] = reinterpret_cast<HANDLE>(platform);
    timeoutMs = BoundedTimeout(timeoutMs);
    const DWORD timeout = timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs);
    if (count == 0)
        ::Sleep(timeout);
    else
        ::WaitForMultipleObjects(count, objects, FALSE, timeout);
}
