// The host: one real top-level window (through the application's IHost) whose client area shows a
// window tree, of which the host itself is the root. Create loads the layout resource, applies the
// `DUI` element's host attributes, makes the real window and builds the tree. Platform messages
// arrive in WindowProc; its default handling routes input into the tree (through the container),
// paints invalid parts, runs window timers and carries out system commands. Events that bubble out
// of the tree reach HandleEvent. The wizard's main window derives from this class and overrides
// WindowProc and HandleEvent, passing on what it does not handle.
//
// Keyboard, as in a dialog: Tab and Shift+Tab move the focus among the focusable windows (inside
// the topmost shown "modal" window while there is one, and focus frames show from then on);
// Enter presses the focused button, or else the shown default button; Escape presses the shown
// cancel button. Keys for a window outside a shown modal window are dropped. When the real window
// loses the keyboard the focused window loses the focus, and gets it back on activation.
//
// Workers reach the host only through PostToWindow(GetHwnd(), ...): the host registers itself
// with support/WindowMessages, queues what is posted and wakes the loop. Everything else belongs to
// the UI thread. A host is not copyable; its real window lives from Create to DestroyWindow (or
// the destructor).
#pragma once

#include <map>
#include <memory>
#include <pugixml.hpp>
#include <string>

#include "dui/include/core/IHost.h"
#include "dui/include/core/IRenderTarget.h"
#include "dui/include/core/SHostWndAttr.h"
#include "dui/include/core/SSkinPool.h"
#include "dui/include/core/SStylePool.h"
#include "dui/include/core/SWindow.h"
#include "dui/include/core/SwndContainer.h"
#include "dui/src/core/SToolTip.h"
#include "support/WindowMessages.h"

class SHostWnd : public SWindow, private IHostWindowSink, private MessageTarget {
    DUI_CLASS(SHostWnd, SWindow, L"hostwnd")
public:
    // `layoutId` "TYPE:NAME", or a plain name of type "LAYOUT"; empty builds nothing.
    explicit SHostWnd(std::wstring layoutId = std::wstring());
    ~SHostWnd() override;
    SHostWnd(const SHostWnd&) = delete;
    SHostWnd& operator=(const SHostWnd&) = delete;

    // Makes the real window at (x, y) with client size (cx, cy); a size that is not positive takes
    // the layout's "width"/"height". Null when there is no application, no host, no render
    // factory, or the platform refuses the window. `owner` is accepted for the Win32 signature; top-level
    // windows here have none.
    HWND Create(HWND owner, int x, int y, int cx, int cy);
    // Sends WM_DESTROY, takes the tree and the real window down. Safe to call twice.
    void DestroyWindow();
    HWND GetHwnd() const { return hwnd_; }
    bool IsWindow() const { return hostWindow_ != nullptr; }

    // Synchronous: WindowProc with the message, now.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Queued behind what is waiting; any thread. False when the window is gone.
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    void ShowWindow(int command);
    // Centres the window on the work area of the monitor nearest to it, never partly outside it.
    void CenterWindow();
    // The real window's rectangle on the screen (empty before Create).
    RECT GetHostRect() const;
    void SetHostRect(const RECT& rect);

    // Window timers: WM_TIMER with `id` to WindowProc every `elapseMs`.
    bool SetTimer(UINT_PTR id, UINT elapseMs);
    bool KillTimer(UINT_PTR id);

    // Paints what is invalid now instead of waiting for WM_PAINT.
    void UpdateWindow();
    // Handles what is waiting (paints, timers, posted messages) without waiting, and drops the
    // operator's input and close requests, as a window disabled under another program's modal
    // dialog does. For the folder picker's wait. A WM_QUIT met here is posted again for the loop.
    void PumpWithoutInput();

    const SHostWndAttr& GetHostAttr() const { return hostAttr_; }
    IHostWindow* GetHostWindow() { return hostWindow_.get(); }
    IRenderTarget* GetRenderTarget() { return renderTarget_.get(); }
    SwndContainer& GetSwndContainer();
    // The tool tip text shown now (empty when none) and where.
    const std::wstring& GetShownToolTip() const { return toolTip_.ShownText(); }
    const RECT& GetToolTipRect() const { return toolTip_.ShownRect(); }

protected:
    // Every platform message. Overrides handle what they want and pass the rest on to this one.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The owner's event handler: every event that bubbles out of the tree. True means handled.
    virtual bool HandleEvent(EventArgs& evt);

private:
    class Container;

    LRESULT OnHostMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPosted(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Creation: loading the layout, styling the real window, building the tree.
    bool LoadLayout();
    void OnHostCreate();
    void ApplyPools(pugi::xml_node dui);
    void ReleasePools();
    void ApplyIcons();
    SIZE LayoutSize() const;

    // Input, painting, timers, commands.
    void OnHostSize(SIZE size);
    void Paint();
    void OnMouse(UINT message, WPARAM wParam, POINT pt);
    // Tab, Enter and Escape as a dialog treats them; true when the key was taken.
    bool OnDialogKey(UINT vk);
    void OnKey(UINT message, WPARAM wParam, LPARAM lParam);
    // The window the keyboard is kept in: the topmost shown modal window, else the whole tree.
    SWindow& KeyboardScope();
    void MoveFocus(bool backwards);
    void OnSysCommand(WPARAM command, LPARAM lParam);
    // The window is on a monitor of another DPI: everything at the new scale, in the size the
    // layout asks for there, placed where the system suggests.
    void OnDpiChanged(int dpi, const RECT* suggested);
    bool SetSwndTimer(SWindow* window, UINT id, UINT elapseMs);
    void KillSwndTimer(SWindow* window, UINT id);
    void ForgetSwndTimers(SWindow* window);
    void InvalidateHost(const RECT& rect);
    IHost* Host() const;

    std::wstring layoutId_;
    pugi::xml_document layoutDoc_;
    SHostWndAttr hostAttr_;
    std::unique_ptr<Container> container_;
    SToolTip toolTip_{*this};
    std::unique_ptr<IHostWindow> hostWindow_;
    std::unique_ptr<IRenderTarget> renderTarget_;
    HWND hwnd_ = nullptr;
    SAutoRefPtr<SSkinPool> skinPool_;
    SAutoRefPtr<SStylePool> stylePool_;
    bool relayoutPending_ = false;
    bool destroying_ = false;

    struct SwndTimer {
        SWindow* window;
        UINT id;
    };
    std::map<UINT_PTR, SwndTimer> swndTimers_;
    UINT_PTR nextSwndTimer_ = kFirstSwndTimer;
    static constexpr UINT_PTR kFirstSwndTimer = 0x7FFF0000;
};
