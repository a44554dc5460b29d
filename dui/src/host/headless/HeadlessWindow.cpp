#include "dui/src/host/headless/HeadlessWindow.h"

#include <algorithm>

#include "dui/src/host/headless/HostHeadless.h"

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
    if (const auto moveTo = placement.Apply(command, rect, host_.GetWorkArea(rect))) SetWindowRect(*moveTo);
    if (command != SW_HIDE && command != SW_MINIMIZE)
        Invalidate(RECT{0, 0, GetClientSize().cx, GetClientSize().cy});
}

void HeadlessWindow::BeginMoveDrag(POINT) {
    ++moveDrags;
}

void HeadlessWindow::Present(const PixelView&, const RECT& dirty) {
    ++presentCount;
    lastPresented = dirty;
}

void HeadlessWindow::Invalidate(const RECT& r) {
    if (update_.Add(r, GetClientSize())) host_.RequestPaint(hwnd_);
}

RECT HeadlessWindow::TakeUpdateRect() {
    return update_.Take();
}

std::wstring HeadlessWindow::GetClipboardText() {
    return host_.clipboard;
}

void HeadlessWindow::SetClipboardText(const std::wstring& text) {
    host_.clipboard = text;
}
