#include "tests/testing/FastClock.h"

#include "support/Clock.h"

namespace larkholm::testing {

FastClock::FastClock(unsigned speedUp) : previous(Clock::SpeedUp()) {
    Clock::SetSpeedUp(speedUp);
}

FastClock::~FastClock() {
    Clock::SetSpeedUp(previous);
}

}  // namespace larkholm::testing
