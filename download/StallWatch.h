// Tells a transfer that has stopped moving from one that is only slow. Shop lines deliver large
// packages at a few KiB/s, so no transfer is cut off for its total duration; it ends only when fewer
// than kBytes arrive within kMilliseconds. Times are clock ticks (support/Clock), so tests that
// speed the clock up see the limit scaled with it.
#pragma once

#include <cstdint>

class StallWatch {
public:
    static constexpr std::uint64_t kBytes = 1024;
    static constexpr std::uint64_t kMilliseconds = 60000;

    // Starts watching at `now` with `received` bytes so far.
    void Restart(std::uint64_t received, std::uint64_t now);
    // True when less than kBytes arrived in the last kMilliseconds; every kBytes that do arrive
    // start a new period.
    bool Stalled(std::uint64_t received, std::uint64_t now);

private:
    std::uint64_t markBytes = 0;
    std::uint64_t markTick = 0;
};
