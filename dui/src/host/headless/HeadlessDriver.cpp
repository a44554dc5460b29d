#include "dui/src/host/headless/HeadlessDriver.h"

SWindow* HeadlessDriver::Find(std::wstring_view name) const {
    return wnd_.FindChildByName(name, -1);
}

POINT HeadlessDriver::CentreOf(const SWindow& window) const {
    const RECT& rc = window.GetWindowRect();
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

bool HeadlessDriver::Click(std::wstring_view name) {
    host_.Pump();  // lay out and paint first, so the window is where the user would see it
    SWindow* window = Find(name);
    if (window == nullptr || !window->IsShown()) return false;
    ClickAt(CentreOf(*window));
    return true;
}

void HeadlessDriver::ClickAt(POINT pt) {
    host_.Click(wnd_.GetHwnd(), pt);
    host_.Pump();
}

void HeadlessDriver::DoubleClickAt(POINT pt) {
    host_.DoubleClick(wnd_.GetHwnd(), pt);
    host_.Pump();
}

bool HeadlessDriver::Type(std::wstring_view name, const std::wstring& text) {
    if (!Click(name)) return false;
    host_.TypeText(wnd_.GetHwnd(), text);
    host_.Pump();
    return true;
}

void HeadlessDriver::Press(UINT vk, bool shift, bool control) {
    host_.PressKey(wnd_.GetHwnd(), vk, shift, control);
    host_.Pump();
}

bool HeadlessDriver::RunUntil(const std::function<bool()>& done, int timeoutMs) {
    host_.Pump();
    // A WM_QUIT among the waiting messages ends the wait too; it must not be forgotten.
    if (host_.QuitCode()) return done();
    return host_.RunUntil(done, timeoutMs);
}

COLORREF HeadlessDriver::PixelAt(POINT pt) {
    host_.Pump();
    wnd_.UpdateWindow();
    IRenderTarget* target = wnd_.GetRenderTarget();
    return target != nullptr ? target->GetPixel(pt.x, pt.y) : kInvalidColor;
}

bool HeadlessDriver::SaveFrame(const std::string& path) {
    host_.Pump();
    wnd_.UpdateWindow();
    IRenderTarget* target = wnd_.GetRenderTarget();
    return target != nullptr && target->SavePng(path);
}
