// Speeds the program's clock up while it lives, so retry pauses of seconds take milliseconds, and
// puts back the speed it found when it goes, also when a failed assertion leaves the test early.
// Declare it before the objects whose threads use the clock, so it outlives them.
#pragma once

namespace larkholm::testing {

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
