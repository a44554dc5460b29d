#include "support/InUseWait.h"

#include "support/Clock.h"

namespace {

constexpr std::uint32_t kAskAgainMs = 50;

}  // namespace

bool StaysInUse(const std::function<bool()>& inUse) {
    const std::uint64_t deadline = Clock::Ticks() + kInUseWaitMs;
    while (inUse()) {
        if (Clock::Ticks() >= deadline) return true;
        Clock::Sleep(kAskAgainMs);
    }
    return false;
}
