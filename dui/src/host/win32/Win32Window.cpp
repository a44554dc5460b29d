#include <windows.h>

#include "dui/src/host/win32/Win32Window.h"

#include <imm.h>

#include <algorithm>

#include "dui/src/host/DisplayScale.h"
#include "dui/src/host/win32/HostWin32.h"
#include "dui/src/host/win32/Win32Clipboard.h"
#include "dui/src/host/win32/Win32Cursors.h"
#include "dui/src/host/win32/Win32Dpi.h"

Win32Window::Win32Window(HostWin32& host, HWND hwnd, IHostWindowSink& sink, const HostWindowParams& params)
    : host_(host),
      hwnd_(hwnd),
      translucent_(params.translucent),
      rect_(params.rect),
      cursor_(SystemCursorOf(L"arrow")) {
    const std::wstring className = params.className.empty() ? L"DUIHOST" : params.className;
    if (!host_.RegisterHostClass(className)) return;
    const DWORD exStyle = params.exStyle | (translucent_ ? WS_EX_LAYERED : 0);
    // Shown only by ShowWindow, once the framework has placed it.
    const SIZE size = GetClientSize();
    reportedSize_ = size;
    real_ = ::CreateWindowExW(exStyle, className.c_str(), params.title.c_str(), params.style & ~WS_VISIBLE,
                              rect_.left, rect_.top, std::max<LONG>(size.cx, 0), std::max<LONG>(size.cy, 0),
                              nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
    if (real_ == nullptr) return;
    // No field has the focus yet.
    SetInputMethod(InputMethod::Off);
    host_.AddHostWindow(hwnd_, this, sink);
}

Win32Window::~Win32Window() {
    if (real_ == nullptr) return;
    host_.RemoveHostWindow(hwnd_);
    icons_.Clear(real_);
    ::SetWindowLongPtrW(real_, GWLP_USERDATA, 0);  // nothing more reaches this object
    ::DestroyWindow(real_);
}

LRESULT CALLBACK Win32Window::Procedure(HWND real, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* window = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(real, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
        window->real_ = real;
    }
    auto* window = reinterpret_cast<Win32Window*>(::GetWindowLongPtrW(real, GWLP_USERDATA));
    if (window == nullptr) return ::DefWindowProcW(real, message, wParam, lParam);
    return window->Handle(message, wParam, lParam);
}

LRESULT Win32Window::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto input = input_.Translate(real_, message, wParam, lParam)) {
        host_.Queue(hwnd_, input->message, input->wParam, input->lParam);
        return 0;
    }
    switch (message) {
        case WM_NCCALCSIZE:
            return 0;  // the client area is the whole window
        case WM_NCHITTEST:
            return HTCLIENT;  // borders and caption are the framework's to handle
        case WM_ERASEBKGND:
            return 1;  // every pixel is painted by the framework
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_GETMINMAXINFO:
            OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_WINDOWPOSCHANGING:
            OnWindowPosChanging(*reinterpret_cast<WINDOWPOS*>(lParam));
            return 0;
        case WM_WINDOWPOSCHANGED:
            if (!::IsIconic(real_)) ::GetWindowRect(real_, &rect_);
            return host_.DefaultProcedure(real_, message, wParam, lParam);  // sends WM_SIZE
        case WM_SIZE:
            OnSize(wParam, lParam);
            return 0;
        case WM_SETCURSOR:
            if (OnSetCursor(wParam, lParam)) return TRUE;
            break;
        case WM_TIMER:
            host_.OnSystemTimer(hwnd_, wParam);
            return 0;
        case WM_CLOSE:
            host_.Queue(hwnd_, WM_CLOSE, 0, 0);  // the framework decides whether the window goes
            return 0;
        case WM_SYSCOMMAND:
            return OnSysCommand(wParam, lParam);
        case WM_DPICHANGED:
            OnDpiChanged(wParam, *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_QUERYENDSESSION:
            return sessionEndReason_.empty() ? TRUE : FALSE;
        default:
            break;
    }
    return host_.DefaultProcedure(real_, message, wParam, lParam);
}

void Win32Window::OnPaint() {
    PAINTSTRUCT paint;
    if (::BeginPaint(real_, &paint) == nullptr) return;
    Invalidate(paint.rcPaint);
    ::EndPaint(real_, &paint);
}

void Win32Window::OnSize(WPARAM kind, LPARAM size) {
    if (kind == SIZE_MINIMIZED) return;  // the client area is empty while minimised, not resized
    const SIZE now{LOWORD(size), HIWORD(size)};
    if (now.cx == reportedSize_.cx && now.cy == reportedSize_.cy) return;
    reportedSize_ = now;
    host_.Queue(hwnd_, WM_SIZE, 0, MAKELPARAM(now.cx, now.cy));
    Invalidate(RECT{0, 0, now.cx, now.cy});
}

void Win32Window::OnDpiChanged(WPARAM dpi, const RECT& suggested) {
    dpiSuggested_ = suggested;
    host_.Queue(hwnd_, WM_DPICHANGED, dpi, reinterpret_cast<LPARAM>(&dpiSuggested_));
}

int Win32Window::GetScale() const {
    return ScaleFromDpi(WindowDpi(real_));
}

LRESULT Win32Window::OnSysCommand(WPARAM command, LPARAM lParam) {
    const UINT kind = static_cast<UINT>(command & 0xFFF0);
    if (kind == SC_MAXIMIZE || (kind == SC_RESTORE && !::IsIconic(real_))) {
        host_.Queue(hwnd_, WM_SYSCOMMAND, command, lParam);
        return 0;
    }
    return host_.DefaultProcedure(real_, WM_SYSCOMMAND, command, lParam);
}

void Win32Window::OnGetMinMaxInfo(MINMAXINFO& limits) const {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (::GetMonitorInfoW(::MonitorFromWindow(real_, MONITOR_DEFAULTTONEAREST), &monitor)) {
        // The maximised place is given relative to the monitor.
        const RECT& work = monitor.rcWork;
        limits.ptMaxPosition = POINT{work.left - monitor.rcMonitor.left, work.top - monitor.rcMonitor.top};
        limits.ptMaxSize = POINT{work.right - work.left, work.bottom - work.top};
    }
    const POINT size{rect_.right - rect_.left, rect_.bottom - rect_.top};
    limits.ptMinTrackSize = limits.ptMaxTrackSize = size;
}

void Win32Window::OnWindowPosChanging(WINDOWPOS& position) const {
    // The framework sets rect_ before it resizes; any other size comes from the system. A
    // minimised window's size is its icon's, which is the system's to choose.
    if ((position.flags & SWP_NOSIZE) || ::IsIconic(real_)) return;
    position.cx = rect_.right - rect_.left;
    position.cy = rect_.bottom - rect_.top;
}

bool Win32Window::OnSetCursor(WPARAM over, LPARAM hit) {
    // Over the client area the cursor is the one the framework last named for the point.
    if (reinterpret_cast<HWND>(over) != real_ || LOWORD(hit) != HTCLIENT) return false;
    ::SetCursor(cursor_);
    return true;
}

void Win32Window::SetTitle(const std::wstring& title) {
    ::SetWindowTextW(real_, title.c_str());
}

void Win32Window::SetIcons(const std::vector<ImgFrame>& icons) {
    icons_.Set(real_, icons);
}

void Win32Window::SetOpacity(BYTE alpha) {
    alpha_ = alpha;
    if (translucent_) {
        surface_.ShowLayered(real_, alpha_);
        return;
    }
    const LONG_PTR exStyle = ::GetWindowLongPtrW(real_, GWL_EXSTYLE);
    if (alpha == 255 && !(exStyle & WS_EX_LAYERED)) return;
    ::SetWindowLongPtrW(real_, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(real_, 0, alpha, LWA_ALPHA);
}

void Win32Window::SetWindowRect(const RECT& rect) {
    rect_ = rect;
    ::SetWindowPos(real_, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::ShowWindow(int command) {
    const auto moveTo = placement_.Apply(command, rect_, host_.GetWorkArea(rect_));
    // Maximised is a rectangle of the framework's; the system only has to show the window.
    if (command == SW_MAXIMIZE) command = ::IsIconic(real_) ? SW_RESTORE : SW_SHOW;
    // Shown before it moves: moving a minimised window would move only its icon.
    ::ShowWindow(real_, command);
    if (moveTo) SetWindowRect(*moveTo);
}

bool Win32Window::IsVisible() const {
    return ::IsWindowVisible(real_) != FALSE;
}

bool Win32Window::IsMinimized() const {
    return ::IsIconic(real_) != FALSE;
}

void Win32Window::BeginMoveDrag(POINT screenPoint) {
    // The system's move loop takes the mouse from here until the button is released.
    ::ReleaseCapture();
    ::SendMessageW(real_, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, MAKELPARAM(screenPoint.x, screenPoint.y));
}

void Win32Window::Present(const PixelView& pixels, const RECT& dirty) {
    if (translucent_)
        surface_.PresentLayered(real_, pixels, dirty, alpha_);
    else
        surface_.Present(real_, pixels, dirty);
}

void Win32Window::Invalidate(const RECT& rect) {
    if (update_.Add(rect, GetClientSize())) host_.RequestWindowPaint(hwnd_);
}

RECT Win32Window::TakeUpdateRect() {
    return update_.Take();
}

void Win32Window::SetCapture() {
    ::SetCapture(real_);
}

void Win32Window::ReleaseCapture() {
    if (::GetCapture() == real_) ::ReleaseCapture();
}

void Win32Window::SetCursor(const std::wstring& name) {
    cursor_ = SystemCursorOf(name);
    ::SetCursor(cursor_);
}

void Win32Window::SetImePosition(POINT caret) {
    const HIMC context = ::ImmGetContext(real_);
    if (context == nullptr) return;
    COMPOSITIONFORM composition{CFS_POINT, caret, {}};
    ::ImmSetCompositionWindow(context, &composition);
    // The candidate list opens below the text being composed.
    CANDIDATEFORM candidates{0, CFS_CANDIDATEPOS, caret, {}};
    ::ImmSetCandidateWindow(context, &candidates);
    ::ImmReleaseContext(real_, context);
}

void Win32Window::SetInputMethod(InputMethod mode) {
    // Without a context the keys reach the window as they are typed; the default context brings
    // the user's input method back in the mode it was left in.
    ::ImmAssociateContextEx(real_, nullptr, mode == InputMethod::On ? IACE_DEFAULT : 0);
}

void Win32Window::HoldSessionEnd(const std::wstring& reason) {
    if (reason == sessionEndReason_) return;
    if (reason.empty()) {
        ::ShutdownBlockReasonDestroy(real_);
    } else {
        ::ShutdownBlockReasonCreate(real_, reason.c_str());
    }
    sessionEndReason_ = reason;
}

std::wstring Win32Window::GetClipboardText() {
    return ReadClipboardText(real_);
}

void Win32Window::SetClipboardText(const std::wstring& text) {
    WriteClipboardText(real_, text);
}
