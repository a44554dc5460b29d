// What the component worker tests share: a stand-in main window that records posted messages, a
// capture of log lines, and running a worker's job to its end with the clock sped up.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "support/Clock.h"
#include "support/WindowMessages.h"
#include "support/platform/DebugOutput.h"

namespace larkholm::testing {

struct Posted {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Posted&) const = default;
};

inline void PrintTo(const Posted& p, std::ostream* out) {
    *out << "{" << p.message << ", " << p.wParam << ", " << p.lParam << "}";
}

class RecordingWindow : public MessageTarget {
public:
    RecordingWindow() : handle(RegisterWindow(this)) {}
    ~RecordingWindow() { UnregisterWindow(handle); }

    void OnPosted(UINT message, WPARAM wParam, LPARAM lParam) override {
        std::lock_guard lock(mutex);
        posted.push_back({message, wParam, lParam});
        changed.notify_all();
    }
    bool WaitFor(const Posted& wanted) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(60), [&] {
            return std::find(posted.begin(), posted.end(), wanted) != posted.end();
        });
    }
    std::vector<Posted> Messages() const {
        std::lock_guard lock(mutex);
        return posted;
    }

    const HWND handle;

private:
    mutable std::mutex mutex;
    std::condition_variable changed;
    std::vector<Posted> posted;
};

class LogCapture {
public:
    LogCapture() {
        SetDebugOutputObserver([this](std::string_view text) {
            std::lock_guard lock(mutex);
            lines.emplace_back(text);
        });
    }
    ~LogCapture() { SetDebugOutputObserver({}); }

    std::vector<std::string> Containing(const std::string& part) const {
        std::lock_guard lock(mutex);
        std::vector<std::string> found;
        for (const auto& line : lines) {
            if (line.find(part) != std::string::npos) found.push_back(line);
        }
        return found;
    }

private:
    mutable std::mutex mutex;
    std::vector<std::string> lines;
};

// Retry pauses of seconds take milliseconds while it lives.
struct FastClock {
    FastClock() { Clock::SetSpeedUp(100); }
    ~FastClock() { Clock::SetSpeedUp(1); }
};

template <typename Predicate>
bool Eventually(Predicate done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::yield();
    }
    return true;
}

// Starts the worker's job and waits for its final message and for `busy` to drop.
template <typename Worker>
void RunJob(Worker& worker, RecordingWindow& window, UINT finalMessage) {
    worker.notifyWindow = window.handle;
    ASSERT_TRUE(worker.Start(&Worker::Job, &worker));
    worker.Trigger();
    ASSERT_TRUE(window.WaitFor({finalMessage, 0, 0}));
    ASSERT_TRUE(Eventually([&] { return !worker.busy; }));
}

}  // namespace larkholm::testing
