#include "dui/include/core/SMessageLoop.h"

#include <algorithm>

#include "dui/include/core/SLog.h"

namespace {

// Messages that come by themselves while nothing happens; they do not restart idle processing.
bool IsIdleMessage(UINT message) {
    return message == WM_PAINT || message == WM_NCMOUSEMOVE || message == WM_SYSTIMER ||
           message == WM_MOUSEMOVE;
}

template <typename T>
bool RemoveOne(std::vector<T*>& list, T* item) {
    const auto it = std::find(list.begin(), list.end(), item);
    if (it == list.end()) return false;
    list.erase(it);
    return true;
}

}  // namespace

bool SMessageLoop::RemoveMessageFilter(IMessageFilter* filter) {
    return RemoveOne(filters_, filter);
}
bool SMessageLoop::RemoveIdleHandler(IIdleHandler* handler) {
    return RemoveOne(idleHandlers_, handler);
}

void SMessageLoop::Quit(int exitCode) {
    quit_ = true;
    quitCode_ = exitCode;
}

bool SMessageLoop::PreTranslate(MSG& msg) {
    // A filter may remove itself while it runs; walk a copy.
    const std::vector<IMessageFilter*> filters = filters_;
    for (auto it = filters.rbegin(); it != filters.rend(); ++it)
        if ((*it)->PreTranslateMessage(msg)) return true;
    return false;
}

bool SMessageLoop::RunIdleHandlers(int idleCount) {
    const std::vector<IIdleHandler*> handlers = idleHandlers_;
    bool more = false;
    for (IIdleHandler* handler : handlers) more = handler->OnIdle(idleCount) || more;
    return more;
}

int SMessageLoop::Exit(int exitCode) {
    running_ = false;
    return exitCode;
}

int SMessageLoop::Run() {
    quit_ = false;
    running_ = true;
    bool idle = true;
    int idleCount = 0;
    for (;;) {
        while (idle && !host_.HasMessage()) {
            if (!RunIdleHandlers(idleCount++)) idle = false;
            if (quit_) return Exit(quitCode_);
        }
        if (!host_.GetMessage(msg_)) {
            const int exitCode = static_cast<int>(msg_.wParam);
            SLogFormat(SLogLevel::kTrace, L"src\\core\\SMsgLoop", __LINE__,
                       L"SMessageLoop::Run - exiting,code = %d", exitCode);
            return Exit(exitCode);
        }
        if (!PreTranslate(msg_)) host_.DispatchMessage(msg_);
        if (!IsIdleMessage(msg_.message)) {
            idle = true;
            idleCount = 0;
        }
        if (quit_) return Exit(quitCode_);
    }
}
