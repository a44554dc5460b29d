#include "dui/src/host/win32/HostWin32.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "dui/src/host/win32/Win32Cursors.h"
#include "dui/src/host/win32/Win32Window.h"
#include "support/Clock.h"

namespace {

constexpr wchar_t kWakeClass[] = L"LarkholmHostWake";
// The only message the wake window gets from us; it carries nothing.
constexpr UINT kWakeMessage = WM_APP + 1;

// Real milliseconds for a period of the program's clock (sped up in tests); the system raises
// anything below USER_TIMER_MINIMUM itself.
UINT RealPeriod(UINT elapseMs) {
    const auto real = std::chrono::ceil<std::chrono::milliseconds>(Clock::Scaled(elapseMs));
    return static_cast<UINT>(std::clamp<std::int64_t>(real.count(), USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM));
}

}  // namespace

std::unique_ptr<IHost> CreatePlatformHost() {
    auto host = std::make_unique<HostWin32>();
    if (!host->IsValid()) return nullptr;
    return host;
}

HostWin32::HostWin32() : uiThread_(::GetCurrentThreadId()) {
    WNDCLASSEXW wake{};
    wake.cbSize = sizeof wake;
    wake.lpfnWndProc = WakeProcedure;
    wake.hInstance = ::GetModuleHandleW(nullptr);
    wake.lpszClassName = kWakeClass;
    // A second host in the same process finds the class already there, which is as good.
    ::RegisterClassExW(&wake);
    wakeWindow_ = ::CreateWindowExW(0, kWakeClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
    if (wakeWindow_ != nullptr)
        ::SetWindowLongPtrW(wakeWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

HostWin32::~HostWin32() {
    if (wakeWindow_ != nullptr) ::DestroyWindow(wakeWindow_);
    // Fails while another host still has windows of a class, which then stays registered.
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    ::UnregisterClassW(kWakeClass, instance);
    for (const std::wstring& name : classes_) ::UnregisterClassW(name.c_str(), instance);
}

std::unique_ptr<IHostWindow> HostWin32::CreateHostWindow(HWND hwnd, IHostWindowSink& sink,
                                                         const HostWindowParams& params) {
    auto window = std::make_unique<Win32Window>(*this, hwnd, sink, params);
    if (!window->IsValid()) return nullptr;
    return window;
}

bool HostWin32::RegisterHostClass(const std::wstring& name) {
    if (classes_.count(name) != 0) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    // Double clicks come from the system, as the framework expects them.
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Win32Window::Procedure;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = SystemCursorOf(L"arrow");
    wc.lpszClassName = name.c_str();
    if (::RegisterClassExW(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    classes_.insert(name);
    return true;
}

void HostWin32::AddHostWindow(HWND hwnd, Win32Window* window, IHostWindowSink& sink) {
    windows_[hwnd] = window;
    AddWindow(hwnd, sink);
}

void HostWin32::RemoveHostWindow(HWND hwnd) {
    windows_.erase(hwnd);
    std::erase_if(dueTimers_, [hwnd](const auto& timer) { return timer.first == hwnd; });
    RemoveWindow(hwnd);
}

RECT HostWin32::GetWorkArea(const RECT& window) const {
    // The monitor the window is on as the system decides it (most overlap, else the nearest).
    MONITORINFO info{};
    info.cbSize = sizeof info;
    const HMONITOR monitor = ::MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST);
    if (monitor != nullptr && ::GetMonitorInfoW(monitor, &info)) return info.rcWork;
    RECT area{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

void HostWin32::Queue(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    QueueInput(MSG{hwnd, message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}});
    if (pumping_)
        queuedDuringPump_ = true;
    else
        WakeOtherLoop();
}

void HostWin32::RequestWindowPaint(HWND hwnd) {
    RequestPaint(hwnd);
    if (!pumping_) WakeOtherLoop();
}

void HostWin32::WakeOtherLoop() {
    // Outside our pump a loop of the system's may be the one running (or we are inside a dispatch
    // and our loop takes the message next anyway); while the host hands messages out itself, the
    // same round takes this one too.
    if (!delivering_) PostWakeMessage();
}

void HostWin32::OnSystemTimer(HWND hwnd, UINT_PTR id) {
    // While the loop is busy the system goes on generating WM_TIMER; one waiting is enough.
    if (std::find(dueTimers_.begin(), dueTimers_.end(), std::pair{hwnd, id}) != dueTimers_.end()) return;
    dueTimers_.emplace_back(hwnd, id);
    if (!pumping_) WakeOtherLoop();
}

bool HostWin32::PeekMessage(MSG& msg) {
    if (HostLoop::PeekMessage(msg)) return true;
    // Timers come last, when nothing else waits, as on Win32.
    if (dueTimers_.empty()) return false;
    const auto [hwnd, id] = dueTimers_.front();
    dueTimers_.erase(dueTimers_.begin());
    msg = MSG{hwnd, WM_TIMER, id, 0, static_cast<DWORD>(::GetTickCount()), {}};
    return true;
}

bool HostWin32::HasMessage() {
    return HostLoop::HasMessage() || !dueTimers_.empty();
}

void HostWin32::ForgetDueTick(HWND hwnd, UINT_PTR id) {
    // A tick of a timer killed or set anew is gone, as Win32 removes it from the queue.
    std::erase(dueTimers_, std::pair{hwnd, id});
}

void HostWin32::SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs) {
    const auto it = windows_.find(hwnd);
    if (it == windows_.end()) return;
    ForgetDueTick(hwnd, id);
    // As on the other hosts, shorter periods are raised to the minimum of the program's clock.
    ::SetTimer(it->second->NativeWindow(), id, RealPeriod(std::max(elapseMs, kMinimumTimerMs)), nullptr);
}

bool HostWin32::KillTimer(HWND hwnd, UINT_PTR id) {
    const auto it = windows_.find(hwnd);
    if (it == windows_.end()) return false;
    ForgetDueTick(hwnd, id);
    return ::KillTimer(it->second->NativeWindow(), id) != FALSE;
}

bool HostWin32::IsKeyDown(UINT vk) const {
    // The pump reads no further than the message that produced the input being handled, so the
    // system's key state is the state as of that message.
    return (::GetKeyState(static_cast<int>(vk)) & 0x8000) != 0;
}

void HostWin32::Wake() {
    HostLoop::Wake();
    // While the UI thread hands out queued messages itself, what it queues is taken by the same
    // round; a wake-up would only bring it back (and a held WM_QUIT would come round forever).
    if (::GetCurrentThreadId() != uiThread_ || !delivering_) PostWakeMessage();
}

void HostWin32::PostWakeMessage() {
    if (wakeWindow_ == nullptr || wakePosted_.exchange(true)) return;
    // Only a full thread queue refuses; the next post tries again, and the messages themselves
    // wait on our queue, so nothing is lost.
    if (!::PostMessageW(wakeWindow_, kWakeMessage, 0, 0)) wakePosted_ = false;
}

void HostWin32::PumpPlatformEvents() {
    if (delivering_) return;
    const bool outer = std::exchange(pumping_, true);
    queuedDuringPump_ = false;
    MSG msg;
    // One real message at a time: the key state must not run ahead of the input being handled.
    while (!queuedDuringPump_ && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    pumping_ = outer;
}

void HostWin32::WaitForEvents(int timeoutMs) {
    // Posts from other threads arrive as the wake window's message, so the thread's message queue
    // is all there is to wait on.
    ::MsgWaitForMultipleObjectsEx(0, nullptr, timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs),
                                  QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

LRESULT HostWin32::DefaultProcedure(HWND real, UINT message, WPARAM wParam, LPARAM lParam) {
    // DefWindowProc runs the system's loops (moving, the system menu): what is queued meanwhile
    // is handed out from there.
    const bool outer = std::exchange(pumping_, false);
    const LRESULT result = ::DefWindowProcW(real, message, wParam, lParam);
    pumping_ = outer;
    return result;
}

void HostWin32::DeliverOutsideLoop() {
    const bool outer = std::exchange(delivering_, true);
    MSG msg;
    while (PeekMessage(msg)) {
        if (msg.message == WM_QUIT) {
            // The quit belongs to our own loop, which takes it once the other loop has ended.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        DispatchMessage(msg);
    }
    delivering_ = outer;
}

LRESULT CALLBACK HostWin32::WakeProcedure(HWND real, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* host = reinterpret_cast<HostWin32*>(::GetWindowLongPtrW(real, GWLP_USERDATA));
    if (message != kWakeMessage || host == nullptr) return ::DefWindowProcW(real, message, wParam, lParam);
    host->wakePosted_ = false;
    if (!host->pumping_) host->DeliverOutsideLoop();
    return 0;
}
