// How workers reach a window without touching it: a process-wide registry of live windows.
// A host window registers a MessageTarget and gets a handle; workers post (never send) messages
// to that handle from any thread. Posting to a handle that was unregistered drops the message,
// exactly as posting to a destroyed window does. A handle the registry does not hold may be a
// window of the system (a real HWND on Windows): it is judged with IsWindow and reached with
// PostMessageW. A registered handle takes precedence over a system window of the same value, so
// a process uses one kind of host at a time.
#pragma once

#include "support/WinTypes.h"

class MessageTarget {
public:
    // Called on the posting thread with the registry locked: queue the message and wake the UI
    // thread, nothing more. Must not call back into the registry.
    virtual void OnPosted(UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~MessageTarget() = default;
};

HWND RegisterWindow(MessageTarget* target);
// After this returns no OnPosted call for `window` is running or will start.
void UnregisterWindow(HWND window);

bool IsWindowAlive(HWND window);
// False (and nothing delivered) when `window` is not registered.
bool PostToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
