// The platform's window system and event loop behind one interface: the Win32 host on Windows and
// the X11 host elsewhere for real windows, the headless host for tests and screenshots.
//
// One host per process, made at start-up and owned by SApplication; every call except PostMessage
// and Wake belongs to the UI thread. The loop speaks Win32: GetMessage/PeekMessage hand out MSGs
// (input, WM_PAINT, WM_TIMER, posted messages, WM_QUIT) and DispatchMessage gives a message to the
// sink of the window it is for.
//
// Order: posted messages and input are delivered in the order they arrived; then WM_QUIT once
// PostQuitMessage was called; then WM_PAINT, then WM_TIMER, which come only when nothing else is
// waiting, as on Win32 (a timer that falls due while messages keep coming is delivered once the
// queue is empty, never lost; a late timer fires once, not once per missed period).
#pragma once

#include <memory>

#include "dui/include/core/IHostWindow.h"
#include "support/WinTypes.h"

class IHost {
public:
    virtual ~IHost() = default;

    // Makes a real top-level window whose messages go to `sink` under the handle `hwnd` (the
    // handle SHostWnd got from RegisterWindow). nullptr when the platform refuses.
    virtual std::unique_ptr<IHostWindow> CreateHostWindow(HWND hwnd, IHostWindowSink& sink,
                                                          const HostWindowParams& params) = 0;
    // The usable part (without panels) of the monitor nearest to `window` (screen coordinates),
    // for centring and maximising.
    virtual RECT GetWorkArea(const RECT& window) const = 0;

    // Waits for the next message. False when it is WM_QUIT (msg holds it, wParam the exit code).
    virtual bool GetMessage(MSG& msg) = 0;
    // Takes the next message when one is waiting, without waiting. False when none is.
    virtual bool PeekMessage(MSG& msg) = 0;
    // True when GetMessage would return at once.
    virtual bool HasMessage() = 0;
    // Hands `msg` to its window's sink; returns the sink's answer (0 when the window is gone).
    virtual LRESULT DispatchMessage(const MSG& msg) = 0;
    // Queues WM_QUIT with `exitCode` behind the messages already waiting.
    virtual void PostQuitMessage(int exitCode) = 0;

    // Any thread: queues the message for `hwnd` and wakes the loop.
    virtual void PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Any thread: makes a waiting GetMessage look at its queues again.
    virtual void Wake() = 0;

    // WM_TIMER with wParam = id for `hwnd` every `elapseMs` (scaled by Clock's speed-up). Setting
    // an id again restarts it with the new period.
    virtual void SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs) = 0;
    // False when no such timer ran.
    virtual bool KillTimer(HWND hwnd, UINT_PTR id) = 0;

    // Whether a key (VK_SHIFT, VK_CONTROL, ...) is down as of the message being dispatched, as
    // Win32's GetKeyState tells it.
    virtual bool IsKeyDown(UINT vk) const = 0;
};

// The platform's own windows: the Win32 host on Windows, the X11 host on $DISPLAY elsewhere; nullptr
// when the window system cannot be reached (no display).
std::unique_ptr<IHost> CreatePlatformHost();
// The X11 host on $DISPLAY (or `display` when not empty); nullptr when no display can be opened.
std::unique_ptr<IHost> CreateX11Host(const char* display = nullptr);
