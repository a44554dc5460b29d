// Drives a host window on the headless host the way a user would, by control name: click, type,
// press keys, wait for a condition, and look at or save what the window shows. For UI tests
// (the wizard's included); everything runs on the test's thread, which is the UI thread.
//
//     HeadlessDriver ui(host, mainWnd);
//     ui.Type(L"edit_net_bar_id_allnew", L"1001");
//     ui.Click(L"btn_start_install_allnew");
//     ui.RunUntil([&] { return ui.Find(L"win_install_progress")->IsShown(); });
//     ui.SaveFrame(dir / "progress.png");
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "dui/include/core/SHostWnd.h"
#include "dui/src/host/headless/HostHeadless.h"

class HeadlessDriver {
public:
    HeadlessDriver(HostHeadless& host, SHostWnd& wnd) : host_(host), wnd_(wnd) {}

    // The window of that name anywhere in the tree; nullptr when there is none.
    SWindow* Find(std::wstring_view name) const;
    // The centre of the named window, where Click presses.
    POINT CentreOf(const SWindow& window) const;

    // Moves there, presses and releases, and handles what that caused. False (and nothing
    // clicked) when the window does not exist or is hidden.
    bool Click(std::wstring_view name);
    void ClickAt(POINT pt);
    void DoubleClickAt(POINT pt);
    // Clicks the named window (giving it the focus) and types `text` into it.
    bool Type(std::wstring_view name, const std::wstring& text);
    // A key press (with Shift and/or Ctrl held) for the focused window.
    void Press(UINT vk, bool shift = false, bool control = false);

    // See HostHeadless::RunUntil; handles what is waiting first.
    bool RunUntil(const std::function<bool()>& done, int timeoutMs = 5000);
    void Pump() { host_.Pump(); }

    // Paints what is invalid and gives the colour of one client pixel (COLORREF layout).
    COLORREF PixelAt(POINT pt);
    // Paints what is invalid and writes the client area as a PNG file.
    bool SaveFrame(const std::string& path);

private:
    HostHeadless& host_;
    SHostWnd& wnd_;
};
