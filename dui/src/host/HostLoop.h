// The half of a host that is the same on every platform: the message queue (posted messages from
// any thread and input from the platform, in arrival order), WM_QUIT, WM_PAINT and WM_TIMER
// generation, dispatch to window sinks, key state, and the wake-up that lets another thread end a
// wait. A backend derives from it and supplies PumpPlatformEvents (turn waiting platform events
// into queued input) and WaitForEvents (block in WaitForWake, with its own object if it has one).
//
// Threads: PostMessage and Wake from any thread; everything else on the UI thread.
#pragma once

#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <vector>

#include "dui/include/core/IHost.h"
#include "dui/src/host/LoopWake.h"

class HostLoop : public IHost {
public:
    bool GetMessage(MSG& msg) override;
    bool PeekMessage(MSG& msg) override;
    bool HasMessage() override;
    LRESULT DispatchMessage(const MSG& msg) override;
    void PostQuitMessage(int exitCode) override;
    void PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    void Wake() override;
    void SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs) override;
    bool KillTimer(HWND hwnd, UINT_PTR id) override;
    // How many timers run for `hwnd`: what wakes the loop while nothing happens.
    std::size_t RunningTimers(HWND hwnd) const;
    bool IsKeyDown(UINT vk) const override;

    // Window bookkeeping for the backend's IHostWindow implementations.
    void AddWindow(HWND hwnd, IHostWindowSink& sink);
    // Drops the window's sink, timers, paint request and queued messages.
    void RemoveWindow(HWND hwnd);
    // The window wants a WM_PAINT when the queue is next empty.
    void RequestPaint(HWND hwnd);
    // Queues input from the platform (UI thread), behind what is already waiting.
    void QueueInput(const MSG& msg);

protected:
    // As on Win32, shorter timer periods are raised to this: a zero period would never let the loop
    // rest.
    static constexpr UINT kMinimumTimerMs = 10;

    HostLoop() = default;

    // Reads whatever the platform has ready without blocking and queues it.
    virtual void PumpPlatformEvents() = 0;
    // Blocks until the platform has something, Wake() is called, or `timeoutMs` passes (-1: no
    // limit).
    virtual void WaitForEvents(int timeoutMs) = 0;
    // Blocks until Wake() is called, `platform` (a descriptor or handle of the backend's own; kNoHandle
    // for none) has something to read, or `timeoutMs` passes.
    void WaitForWake(int timeoutMs, NativeHandle platform = kNoHandle) { wake_.Wait(timeoutMs, platform); }

    // Milliseconds of real time until the next timer is due (0 when one is due, -1 when none runs).
    int MillisecondsToNextTimer() const;

private:
    struct Timer {
        HWND hwnd;
        UINT_PTR id;
        UINT period;
        std::uint64_t due;  // Clock ticks
    };

    bool TakeMessage(MSG& msg);
    bool TakeDueTimer(MSG& msg);

    LoopWake wake_;
    mutable std::mutex mutex_;  // guards queue_ and quit state, the only parts other threads touch
    std::deque<MSG> queue_;
    bool quitPosted_ = false;
    int exitCode_ = 0;

    std::map<HWND, IHostWindowSink*> sinks_;
    std::vector<HWND> paintRequests_;
    std::vector<Timer> timers_;
    std::set<UINT> keysDown_;
};
