// How another thread ends the UI thread's wait: a posted message calls Signal, and the loop's
// Wait returns early. A signal given while nobody waits ends the next wait at once, so none is
// lost between checking the queue and starting to wait. A backend whose platform has its own
// object to watch (the X11 connection) waits on both together.
// An eventfd polled on Linux, an auto-reset event object on Windows.
//
// Threads: Signal from any thread; Wait on the UI thread only.
#pragma once

#include "support/platform/NativeHandle.h"

class LoopWake {
public:
    LoopWake();
    ~LoopWake();
    LoopWake(const LoopWake&) = delete;
    LoopWake& operator=(const LoopWake&) = delete;

    void Signal();

    // Blocks until Signal() (since the last Wait ended), `platform` has something to read
    // (kNoHandle: the loop watches nothing else), or `timeoutMs` passes (-1: no limit).
    void Wait(int timeoutMs, NativeHandle platform = kNoHandle);

private:
    // Without its own object (the system refused one) nothing can end a wait early, so the loop
    // looks at its queue at least this often instead.
    static constexpr int kUnwakeableWaitMs = 10;
    int BoundedTimeout(int timeoutMs) const {
        if (handle_ != kNoHandle) return timeoutMs;
        return timeoutMs < 0 || timeoutMs > kUnwakeableWaitMs ? kUnwakeableWaitMs : timeoutMs;
    }

    NativeHandle handle_ = kNoHandle;
};
