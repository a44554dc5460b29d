#include "dui/src/host/headless/HostHeadless.h"

#include <chrono>

#include "dui/src/host/MonitorArea.h"
#include "support/TextConvert.h"

HostHeadless::HostHeadless(SIZE screen) : screen_(screen) {}

HostHeadless::~HostHeadless() = default;

std::unique_ptr<IHostWindow> HostHeadless::CreateHostWindow(HWND hwnd, IHostWindowSink& sink,
                                                            const HostWindowParams& params) {
    auto window = std::make_unique<HeadlessWindow>(*this, hwnd, params);
    windows_[hwnd] = window.get();
    AddWindow(hwnd, sink);
    return window;
}

RECT HostHeadless::GetWorkArea(const RECT& window) const {
    return NearestMonitorWorkArea(monitors_, window, RECT{0, 0, screen_.cx, screen_.cy});
}

HeadlessWindow* HostHeadless::Window(HWND hwnd) const {
    const auto it = windows_.find(hwnd);
    return it == windows_.end() ? nullptr : it->second;
}

void HostHeadless::WaitForEvents(int timeoutMs) {
    WaitForWake(timeoutMs);
}

void HostHeadless::Inject(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    QueueInput(MSG{hwnd, message, wParam, lParam, 0, {}});
}

WPARAM HostHeadless::MouseFlags() const {
    return (buttonDown_ ? MK_LBUTTON : 0) | (shiftDown_ ? MK_SHIFT : 0) | (controlDown_ ? MK_CONTROL : 0);
}

void HostHeadless::MouseMove(HWND hwnd, POINT pt) {
    Inject(hwnd, WM_MOUSEMOVE, MouseFlags(), MAKELPARAM(pt.x, pt.y));
}

void HostHeadless::MouseDown(HWND hwnd, POINT pt) {
    buttonDown_ = true;
    Inject(hwnd, WM_LBUTTONDOWN, MouseFlags(), MAKELPARAM(pt.x, pt.y));
}

void HostHeadless::MouseUp(HWND hwnd, POINT pt) {
    buttonDown_ = false;
    Inject(hwnd, WM_LBUTTONUP, MouseFlags(), MAKELPARAM(pt.x, pt.y));
}

void HostHeadless::Click(HWND hwnd, POINT pt) {
    MouseMove(hwnd, pt);
    MouseDown(hwnd, pt);
    MouseUp(hwnd, pt);
}

void HostHeadless::DoubleClick(HWND hwnd, POINT pt) {
    Click(hwnd, pt);
    buttonDown_ = true;
    Inject(hwnd, WM_LBUTTONDBLCLK, MouseFlags(), MAKELPARAM(pt.x, pt.y));
    MouseUp(hwnd, pt);
}

void HostHeadless::MouseLeave(HWND hwnd) {
    Inject(hwnd, WM_MOUSELEAVE, 0, 0);
}

void HostHeadless::Activate(HWND hwnd, bool active) {
    Inject(hwnd, active ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0);
}

void HostHeadless::KeyDown(HWND hwnd, UINT vk) {
    if (vk == VK_SHIFT) shiftDown_ = true;
    if (vk == VK_CONTROL) controlDown_ = true;
    Inject(hwnd, WM_KEYDOWN, vk, 1);
}

void HostHeadless::KeyUp(HWND hwnd, UINT vk) {
    if (vk == VK_SHIFT) shiftDown_ = false;
    if (vk == VK_CONTROL) controlDown_ = false;
    Inject(hwnd, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
}

void HostHeadless::PressKey(HWND hwnd, UINT vk, bool shift, bool control) {
    if (control) KeyDown(hwnd, VK_CONTROL);
    if (shift) KeyDown(hwnd, VK_SHIFT);
    KeyDown(hwnd, vk);
    KeyUp(hwnd, vk);
    if (shift) KeyUp(hwnd, VK_SHIFT);
    if (control) KeyUp(hwnd, VK_CONTROL);
}

void HostHeadless::TypeText(HWND hwnd, const std::wstring& text) {
    // One WM_CHAR per character, as the real hosts deliver them, also where wchar_t is UTF-16.
    for (size_t i = 0; i < text.size();) Inject(hwnd, WM_CHAR, static_cast<WPARAM>(NextWide(text, i)), 1);
}

bool HostHeadless::DispatchOne() {
    MSG msg;
    if (!PeekMessage(msg)) return false;
    if (msg.message == WM_QUIT)
        quitCode_ = static_cast<int>(msg.wParam);
    else
        DispatchMessage(msg);
    return true;
}

void HostHeadless::Pump() {
    quitCode_.reset();
    while (!quitCode_ && DispatchOne()) {
    }
}

bool HostHeadless::RunUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    quitCode_.reset();
    while (!done()) {
        if (quitCode_) return done();
        if (DispatchOne()) continue;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        const int toTimer = MillisecondsToNextTimer();
        WaitForEvents(toTimer < 0 ? static_cast<int>(left.count())
                                  : std::min<int>(toTimer, static_cast<int>(left.count())));
    }
    return true;
}
