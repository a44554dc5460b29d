// A stand-in for the main window in tests of the worker threads: registered as a live window for
// its lifetime, it records every message posted to it, in order, from any thread. Tests read the
// record or wait (a minute at most) for a message to arrive; a wait that times out returns false.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <ostream>
#include <vector>

#include "support/WindowMessages.h"

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
    RecordingWindow();
    ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    void OnPosted(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Everything posted so far, and the same as bare message numbers.
    std::vector<Posted> Posts() const;
    std::vector<UINT> Messages() const;

    // Waits until `message` has been posted `count` times.
    bool WaitFor(UINT message, std::size_t count = 1);
    // Waits until exactly `wanted` (message and both parameters) has been posted.
    bool WaitFor(const Posted& wanted);

    const HWND handle;

private:
    template <typename Predicate>
    bool Wait(Predicate done);

    mutable std::mutex mutex;
    std::condition_variable changed;
    std::vector<Posted> posted;
};

}  // namespace larkholm::testing
