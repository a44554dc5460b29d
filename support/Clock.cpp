#include "support/Clock.h"

#include <atomic>
#include <cstdlib>
#include <thread>

namespace Clock {
namespace {

unsigned SpeedUpFromEnvironment() {
    const char* value = std::getenv("LARKHOLM_CLOCK_SPEEDUP");
    if (value == nullptr) return 1;
    const long factor = std::strtol(value, nullptr, 10);
    return factor > 1 && factor <= 100000 ? static_cast<unsigned>(factor) : 1;
}

std::atomic<unsigned>& Factor() {
    static std::atomic<unsigned> factor{SpeedUpFromEnvironment()};
    return factor;
}

const std::chrono::steady_clock::time_point kStart = std::chrono::steady_clock::now();

}  // namespace

std::uint64_t Ticks() {
    const auto elapsed = std::chrono::steady_clock::now() - kStart;
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count();
    return static_cast<std::uint64_t>(us) * Factor().load() / 1000;
}

std::chrono::steady_clock::duration Scaled(std::uint32_t milliseconds) {
    return std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::microseconds(std::uint64_t(milliseconds) * 1000 / Factor().load()));
}

void Sleep(std::uint32_t milliseconds) { std::this_thread::sleep_for(Scaled(milliseconds)); }

void SetSpeedUp(unsigned factor) { Factor().store(factor < 1 ? 1 : factor); }

unsigned SpeedUp() { return Factor().load(); }

}  // namespace Clock
