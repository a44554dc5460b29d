// How workers reach a window without touching it: a process-wide registry of live windows.
// A host window registers a MessageTarget and gets a handle; workers post (never send) messages
// to that handle from any thread. Posting to a handle that was unregistered drops the message,
// exactly as posting to a destroyed window does.
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
