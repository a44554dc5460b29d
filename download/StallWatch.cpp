#include "download/StallWatch.h"

void StallWatch::Restart(std::uint64_t received, std::uint64_t now) {
    markBytes = received;
    markTick = now;
}

bool StallWatch::Stalled(std::uint64_t received, std::uint64_t now) {
    if (received < markBytes || received - markBytes >= kBytes) {
        Restart(received, now);
        return false;
    }
    return now - markTick >= kMilliseconds;
}
