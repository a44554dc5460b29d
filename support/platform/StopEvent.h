// A worker's stop request as an object the system can wait on: raised once, never lowered. A wait
// that must end on a stop (for an installer's process) waits on it together with its own object.
// An eventfd on Linux, a manual-reset event on Windows. Raise is callable from any thread.
#pragma once

#include "support/platform/NativeHandle.h"

class StopEvent {
public:
    StopEvent();
    ~StopEvent();
    StopEvent(const StopEvent&) = delete;
    StopEvent& operator=(const StopEvent&) = delete;

    void Raise();

    // The object to wait on; kNoHandle when the system could not make one (then such waits end
    // only by their own object).
    NativeHandle Waitable() const { return handle; }

private:
    NativeHandle handle = kNoHandle;
};
