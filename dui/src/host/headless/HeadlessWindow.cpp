#include "dui/src/host/headless/HeadlessWindow.h"

#include <algorithm>

#include "dui/src/host/headless/HostHeadless.h"

namespace {

bool IsEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

RECT Union(const RECT& a, const RECT& b) {
    if (IsEmpty(a)) return b;
    if (IsEmpty(b)) return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

}  // namespace

HeadlessWindow::HeadlessWindow(HostHeadless& host, HWND hwnd, const HostWindowParams& params)
    : title(params.title),
      rect(params.rect),
      style(params.style),
      exStyle(params.exStyle),
      host_(host),
      hwnd_(hwnd) {}

HeadlessWindow::~HeadlessWindow() {
    host_.windows_.erase(hwnd_);
    host_.RemoveWindow(hwnd_);
}

void HeadlessWindow::SetWindowRect(const RECT& newRect) {
    const SIZE before = GetClientSize();
    rect = newRect;
    const SIZE after = GetClientSize();
    if (before.cx != after.cx || before.cy != after.cy) {
        host_.Inject(hwnd_, WM_SIZE, 0, MAKELPARAM(after.cx, after.cy));
        Invalidate(RECT{0, 0, after.cx, after.cy});
    }
}

void HeadlessWindow::ShowWindow(int command) {
    switch (command) {
        case SW_HIDE:
            visible = false;
            return;
        case SW_MINIMIZE:
            minimized = true;
            return;
        case SW_MAXIMIZE:
            if (!maximized) restoreRect_ = rect;
            maximized = true;
            minimized = false;
            visible = true;
            SetWindowRect(host_.GetWorkArea());
            return;
        case SW_RESTORE:
            minimized = false;
            if (maximized) {
                maximized = false;
                SetWindowRect(restoreRect_);
            }
            visible = true;
            return;
        default:
            minimized = false;
            visible = true;
            Invalidate(RECT{0, 0, GetClientSize().cx, GetClientSize().cy});
    }
}

void HeadlessWindow::BeginMoveDrag(POINT) {
    ++moveDrags;
}

void HeadlessWindow::Present(const PixelView&, const RECT&) {
    ++presentCount;
}

void HeadlessWindow::Invalidate(const RECT& r) {
    const SIZE size = GetClientSize();
    const RECT clipped{std::max<LONG>(r.left, 0), std::max<LONG>(r.top, 0), std::min<LONG>(r.right, size.cx),
                       std::min<LONG>(r.bottom, size.cy)};
    if (IsEmpty(clipped)) return;
    update_ = Union(update_, clipped);
    host_.RequestPaint(hwnd_);
}

RECT HeadlessWindow::TakeUpdateRect() {
    const RECT taken = update_;
    update_ = RECT{};
    return taken;
}

std::wstring HeadlessWindow::GetClipboardText() {
    return host_.clipboard;
}
void HeadlessWindow::SetClipboardText(const std::wstring& text) {
    host_.clipboard = text;
}
