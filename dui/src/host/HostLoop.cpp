#include "dui/src/host/HostLoop.h"

#include <algorithm>
#include <chrono>

#include "support/Clock.h"

void HostLoop::Wake() {
    wake_.Signal();
}

void HostLoop::PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(MSG{hwnd, message, wParam, lParam, static_cast<DWORD>(Clock::Ticks()), {}});
    }
    Wake();
}

void HostLoop::QueueInput(const MSG& msg) {
    std::lock_guard lock(mutex_);
    queue_.push_back(msg);
}

void HostLoop::PostQuitMessage(int exitCode) {
    {
        std::lock_guard lock(mutex_);
        quitPosted_ = true;
        exitCode_ = exitCode;
    }
    Wake();
}

bool HostLoop::TakeMessage(MSG& msg) {
    {
        std::lock_guard lock(mutex_);
        if (!queue_.empty()) {
            msg = queue_.front();
            queue_.pop_front();
            return true;
        }
        if (quitPosted_) {
            quitPosted_ = false;
            msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(exitCode_), 0, static_cast<DWORD>(Clock::Ticks()),
                      {}};
            return true;
        }
    }
    if (!paintRequests_.empty()) {
        msg = MSG{paintRequests_.front(), WM_PAINT, 0, 0, static_cast<DWORD>(Clock::Ticks()), {}};
        paintRequests_.erase(paintRequests_.begin());
        return true;
    }
    return TakeDueTimer(msg);
}

bool HostLoop::TakeDueTimer(MSG& msg) {
    const std::uint64_t now = Clock::Ticks();
    // The most overdue timer first, so a fast timer cannot starve a slow one.
    auto due = std::min_element(timers_.begin(), timers_.end(),
                                [](const Timer& a, const Timer& b) { return a.due < b.due; });
    if (due == timers_.end() || due->due > now) return false;
    due->due = now + due->period;
    msg = MSG{due->hwnd, WM_TIMER, due->id, 0, static_cast<DWORD>(now), {}};
    return true;
}

int HostLoop::MillisecondsToNextTimer() const {
    if (timers_.empty()) return -1;
    const std::uint64_t now = Clock::Ticks();
    std::uint64_t next = timers_.front().due;
    for (const Timer& t : timers_) next = std::min(next, t.due);
    if (next <= now) return 0;
    const auto real = std::chrono::ceil<std::chrono::milliseconds>(
        Clock::Scaled(static_cast<std::uint32_t>(std::min<std::uint64_t>(next - now, 0x7FFFFFFF))));
    return static_cast<int>(std::max<std::int64_t>(1, real.count()));
}

bool HostLoop::PeekMessage(MSG& msg) {
    PumpPlatformEvents();
    return TakeMessage(msg);
}

bool HostLoop::HasMessage() {
    PumpPlatformEvents();
    std::lock_guard lock(mutex_);
    return !queue_.empty() || quitPosted_ || !paintRequests_.empty() || MillisecondsToNextTimer() == 0;
}

bool HostLoop::GetMessage(MSG& msg) {
    while (!PeekMessage(msg)) WaitForEvents(MillisecondsToNextTimer());
    return msg.message != WM_QUIT;
}

LRESULT HostLoop::DispatchMessage(const MSG& msg) {
    if (msg.message == WM_KEYDOWN)
        keysDown_.insert(static_cast<UINT>(msg.wParam));
    else if (msg.message == WM_KEYUP)
        keysDown_.erase(static_cast<UINT>(msg.wParam));
    else if (msg.message == WM_KILLFOCUS)
        keysDown_.clear();  // releases happen elsewhere now
    const auto it = sinks_.find(msg.hwnd);
    if (it == sinks_.end()) return 0;
    return it->second->OnHostMessage(msg.message, msg.wParam, msg.lParam);
}

void HostLoop::SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs) {
    elapseMs = std::max(elapseMs, kMinimumTimerMs);
    const std::uint64_t due = Clock::Ticks() + elapseMs;
    for (Timer& t : timers_) {
        if (t.hwnd == hwnd && t.id == id) {
            t.period = elapseMs;
            t.due = due;
            return;
        }
    }
    timers_.push_back(Timer{hwnd, id, elapseMs, due});
}

std::size_t HostLoop::RunningTimers(HWND hwnd) const {
    return static_cast<std::size_t>(
        std::count_if(timers_.begin(), timers_.end(), [hwnd](const Timer& t) { return t.hwnd == hwnd; }));
}

bool HostLoop::KillTimer(HWND hwnd, UINT_PTR id) {
    const auto before = timers_.size();
    std::erase_if(timers_, [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    return timers_.size() != before;
}

bool HostLoop::IsKeyDown(UINT vk) const {
    return keysDown_.count(vk) != 0;
}

void HostLoop::AddWindow(HWND hwnd, IHostWindowSink& sink) {
    sinks_[hwnd] = &sink;
}

void HostLoop::RemoveWindow(HWND hwnd) {
    sinks_.erase(hwnd);
    std::erase(paintRequests_, hwnd);
    std::erase_if(timers_, [&](const Timer& t) { return t.hwnd == hwnd; });
    std::lock_guard lock(mutex_);
    std::erase_if(queue_, [&](const MSG& m) { return m.hwnd == hwnd; });
}

void HostLoop::RequestPaint(HWND hwnd) {
    if (std::find(paintRequests_.begin(), paintRequests_.end(), hwnd) == paintRequests_.end())
        paintRequests_.push_back(hwnd);
}
