// The Win32 host: real top-level windows (HWNDs) and a loop over the thread's Windows message queue.
// Real messages are turned into framework messages by the windows' procedures and queued on the
// portable loop, so filters, idle handlers and arrival order work as on the other hosts. Timers
// are the system's own (SetTimer on the real window); their ticks are handed out last, when
// nothing else waits, as on the other hosts.
//
// Another message loop may run on the UI thread while a framework message is being handled: the
// system's move loop of a caption drag, the shell's folder dialog. That loop dispatches real
// messages but knows nothing of our queue, so every post also sends a real wake-up message to a
// message-only window of the host; when that arrives outside our own loop, the host hands out
// what is queued itself. Workers' progress and timers therefore keep reaching the window.
//
// Made by CreatePlatformHost on the UI thread; UI thread only, apart from PostMessage and Wake.
#pragma once

#include <windows.h>

#include <atomic>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "dui/src/host/HostLoop.h"

class Win32Window;

class HostWin32 : public HostLoop {
public:
    HostWin32();
    ~HostWin32() override;
    HostWin32(const HostWin32&) = delete;
    HostWin32& operator=(const HostWin32&) = delete;
    // False when the system gave no message window, so nothing could wake the loop.
    bool IsValid() const { return wakeWindow_ != nullptr; }

    std::unique_ptr<IHostWindow> CreateHostWindow(HWND hwnd, IHostWindowSink& sink,
                                                  const HostWindowParams& params) override;
    RECT GetWorkArea(const RECT& window) const override;

    bool PeekMessage(MSG& msg) override;
    bool HasMessage() override;
    void Wake() override;
    void SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs) override;
    bool KillTimer(HWND hwnd, UINT_PTR id) override;
    bool IsKeyDown(UINT vk) const override;

    // For the windows: registers the window class `name` once per host.
    bool RegisterHostClass(const std::wstring& name);
    void AddHostWindow(HWND hwnd, Win32Window* window, IHostWindowSink& sink);
    void RemoveHostWindow(HWND hwnd);
    // Queues a framework message a real window produced (UI thread), behind what is waiting.
    void Queue(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The window wants a WM_PAINT (invalidated by the framework or exposed on the screen).
    void RequestWindowPaint(HWND hwnd);
    // A real WM_TIMER of `hwnd`'s window: due unless a tick of the same timer still waits.
    void OnSystemTimer(HWND hwnd, UINT_PTR id);
    // Called by the windows' procedures around DefWindowProc, which may run a loop of the system's.
    LRESULT DefaultProcedure(HWND real, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    void PumpPlatformEvents() override;
    void WaitForEvents(int timeoutMs) override;

private:
    static LRESULT CALLBACK WakeProcedure(HWND real, UINT message, WPARAM wParam, LPARAM lParam);
    // Hands out what waits on our queue while a loop that is not ours dispatches real messages.
    void DeliverOutsideLoop();
    void WakeOtherLoop();
    void ForgetDueTick(HWND hwnd, UINT_PTR id);
    // Makes sure a wake-up message is on its way (at most one at a time, so the thread's queue
    // never fills up with them).
    void PostWakeMessage();

    const DWORD uiThread_;
    HWND wakeWindow_ = nullptr;
    std::atomic<bool> wakePosted_{false};
    // Inside PumpPlatformEvents: real messages are being read by our own loop.
    bool pumping_ = false;
    // Handing out queued messages from the wake window: the pump must not read real messages,
    // which belong to the loop that is running.
    bool delivering_ = false;
    // Set when a window queued a message during the current pump.
    bool queuedDuringPump_ = false;
    std::set<std::wstring> classes_;
    std::map<HWND, Win32Window*> windows_;
    // Timers that ticked and wait to be handed out, in the order they ticked.
    std::vector<std::pair<HWND, UINT_PTR>> dueTimers_;
};
