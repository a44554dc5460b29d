// The host without a display, for tests and screenshots: the same loop and window contract as the
// X11 host, with input injected by the test instead of read from a server. Input goes through the
// queue like real input, so it is routed, ordered and dispatched exactly as on a screen.
//
// Typical use (UI thread = the test's thread):
//     HostHeadless host;                       // handed to SApplication
//     ... create the SHostWnd ...
//     host.Click(hwnd, POINT{100, 40});
//     host.RunUntil([&] { return commands == 1; });
// The tree-aware helpers (click a control by name, save a frame) are in HeadlessDriver.
#pragma once

#include <functional>
#include <optional>

#include "dui/src/host/HostLoop.h"
#include "dui/src/host/headless/HeadlessWindow.h"

class HostHeadless : public HostLoop {
public:
    // `screen` is the size of the pretend screen, one monitor unless SetMonitors says otherwise;
    // the work area is all of it.
    explicit HostHeadless(SIZE screen = SIZE{1920, 1080});
    ~HostHeadless() override;

    std::unique_ptr<IHostWindow> CreateHostWindow(HWND hwnd, IHostWindowSink& sink,
                                                  const HostWindowParams& params) override;
    RECT GetWorkArea(const RECT& window) const override;
    // The pretend screen's monitors (screen coordinates).
    void SetMonitors(std::vector<RECT> monitors) { monitors_ = std::move(monitors); }

    // The window made for `hwnd`; nullptr when there is none.
    HeadlessWindow* Window(HWND hwnd) const;

    // Input in client coordinates of `hwnd`. Mouse messages carry the held buttons and modifier keys.
    void MouseMove(HWND hwnd, POINT pt);
    void MouseDown(HWND hwnd, POINT pt);
    void MouseUp(HWND hwnd, POINT pt);
    void Click(HWND hwnd, POINT pt);        // move, press, release
    void DoubleClick(HWND hwnd, POINT pt);  // a click, then the second press as WM_LBUTTONDBLCLK
    void MouseLeave(HWND hwnd);
    // Another window takes the keyboard (false) or gives it back (true).
    void Activate(HWND hwnd, bool active);
    void KeyDown(HWND hwnd, UINT vk);
    void KeyUp(HWND hwnd, UINT vk);
    // Presses and releases `vk` while VK_SHIFT and/or VK_CONTROL are held.
    void PressKey(HWND hwnd, UINT vk, bool shift = false, bool control = false);
    // One WM_CHAR per character, as typed or committed by an input method.
    void TypeText(HWND hwnd, const std::wstring& text);

    // Dispatches messages until `done()` holds (checked before each wait), or `timeoutMs` of real
    // time pass (false), or WM_QUIT comes (its code is kept in QuitCode(); returns done()).
    bool RunUntil(const std::function<bool()>& done, int timeoutMs = 5000);
    // Dispatches everything that is waiting now, including paints and due timers.
    void Pump();
    // The code of the WM_QUIT that ended a RunUntil or Pump, if one did.
    std::optional<int> QuitCode() const { return quitCode_; }

    std::wstring clipboard;

protected:
    void PumpPlatformEvents() override {}
    void WaitForEvents(int timeoutMs) override;

private:
    friend class HeadlessWindow;
    void Inject(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    WPARAM MouseFlags() const;
    // Takes and dispatches one message; false when none was waiting.
    bool DispatchOne();

    SIZE screen_;
    std::vector<RECT> monitors_;
    std::map<HWND, HeadlessWindow*> windows_;
    bool buttonDown_ = false;
    bool shiftDown_ = false;
    bool controlDown_ = false;
    std::optional<int> quitCode_;
};
