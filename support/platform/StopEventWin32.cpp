#include <windows.h>

#include "support/platform/StopEvent.h"

StopEvent::StopEvent() {
    // Manual reset: once raised it stays signalled for every later wait.
    if (const HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr); event != nullptr)
        handle = reinterpret_cast<NativeHandle>(event);
}

StopEvent::~StopEvent() {
    if (handle != kNoHandle) ::CloseHandle(reinterpret_cast<HANDLE>(handle));
}

void StopEvent::Raise() {
    if (handle != kNoHandle) ::SetEvent(reinterpret_cast<HANDLE>(handle));
}
