// Speeds the program's clock up while it lives, so retry pauses of seconds take milliseconds, and
// puts back the speed it found when it goes, also when a failed assertion leaves the test early.
// Declare it before the objects whose threads use the clock, so it outlives them.
#pragma once

namespace larkholm::testing {

// The fastest pace for a test whose transfers must not be taken for stalled: the transfer engine's
// minute without progress still lasts 3 s of real time, more than a busy machine keeps a server or
// client thread waiting. At the default pace it lasts 600 ms, which a loaded machine can steal.
inline constexpr unsigned kSpeedUpForTransfers = 20;

class FastClock {
public:
    explicit FastClock(unsigned speedUp = 100);
    ~FastClock();
    FastClock(const FastClock&) = delete;
    FastClock& operator=(const FastClock&) = delete;

private:
    const unsigned previous;
};

}  // namespace larkholm::testing
