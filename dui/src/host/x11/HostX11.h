// The X11 host: real top-level windows on an X server through Xlib, and one loop that waits on the
// server connection, the timers and the wake-up of posted messages together. Keyboard text
// comes through an input method context (Xutf8LookupString), so input methods work.
// Made by CreateX11Host; UI thread only, apart from PostMessage and Wake.
#pragma once

#include <X11/Xlib.h>

#include "dui/src/host/HostLoop.h"

class X11Window;

// Atoms the host and its windows use, interned once.
struct X11Atoms {
    Atom wmProtocols, wmDeleteWindow, netWmName, netWmIconName, netWmIcon, netWmPid, netWmWindowType,
        netWmWindowTypeNormal, netWmWindowTypeUtility, netWmState, netWmStateSkipTaskbar, netWmWindowOpacity,
        netWmMoveResize, netWorkArea, netSupported, motifWmHints, utf8String, clipboard, targets,
        clipProperty;
};

class HostX11 : public HostLoop {
public:
    // Takes ownership of an open display.
    explicit HostX11(Display* display);
    ~HostX11() override;

    std::unique_ptr<IHostWindow> CreateHostWindow(HWND hwnd, IHostWindowSink& sink,
                                                  const HostWindowParams& params) override;
    RECT GetWorkArea(const RECT& window) const override;

    Display* GetDisplay() const { return display_; }
    const X11Atoms& Atoms() const { return atoms_; }
    XIM InputMethod() const { return inputMethod_; }
    // Whether the window manager moves windows for us (_NET_WM_MOVERESIZE).
    bool WmSupports(Atom atom) const;

    void AddX11Window(Window xwin, X11Window* window) { windows_[xwin] = window; }
    void RemoveX11Window(Window xwin) { windows_.erase(xwin); }

protected:
    void PumpPlatformEvents() override;
    void WaitForEvents(int timeoutMs) override;

private:
    Display* display_;
    X11Atoms atoms_{};
    XIM inputMethod_ = nullptr;
    std::map<Window, X11Window*> windows_;
};
