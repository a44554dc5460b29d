// What the Win32 host tests share: running a host's loop while a test waits for something.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

#include "dui/include/core/IHost.h"

// Hands out `host`'s messages until `done` holds, waiting on the thread's message queue in between
// (the real windows' messages arrive there); false after `limit`.
inline bool RunHostUntil(IHost& host, const std::function<bool()>& done,
                         std::chrono::seconds limit = std::chrono::seconds(30)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    MSG msg;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        if (host.PeekMessage(msg))
            host.DispatchMessage(msg);
        else
            ::MsgWaitForMultipleObjectsEx(0, nullptr, 50, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    return true;
}
