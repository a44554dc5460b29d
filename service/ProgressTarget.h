// Where a file download reports its progress: the window that receives the progress message, the
// message number, and the sizes last reported. The worker writes the sizes while the UI thread
// reads them to compute the overall progress, so they are atomic (relaxed: each is a sample). The
// sizes are 64-bit: package files of 2 GiB and more must still give the right percentage.
#pragma once

#include <atomic>
#include <cstdint>

#include "support/WinTypes.h"

struct ProgressTarget {
    ProgressTarget() = default;
    ProgressTarget(HWND window, UINT message) : window(window), message(message) {}
    ProgressTarget(const ProgressTarget& other) { *this = other; }
    ProgressTarget& operator=(const ProgressTarget& other) {
        window = other.window;
        message = other.message;
        total.store(other.total.load(std::memory_order_relaxed), std::memory_order_relaxed);
        received.store(other.received.load(std::memory_order_relaxed), std::memory_order_relaxed);
        return *this;
    }

    HWND window = nullptr;
    UINT message = 0;
    std::atomic<std::int64_t> total{0};     // file size in bytes as last reported; 0 until then
    std::atomic<std::int64_t> received{0};  // bytes received so far
};
