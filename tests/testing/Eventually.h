// Polls `done` until it holds or 30 s have passed; returns whether it held. For conditions that
// nothing signals (a flag a worker drops, a count a server keeps), never in place of a wait on an
// event that is signalled.
#pragma once

#include <chrono>
#include <thread>

namespace larkholm::testing {

template <typename Predicate>
bool Eventually(Predicate done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace larkholm::testing
