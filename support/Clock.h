// The one clock of the program: every pause and every tick count goes through it. Tests speed it
// up (SetSpeedUp(100), or LARKHOLM_CLOCK_SPEEDUP=100 in the environment) so that a ten-attempt
// retry with 5 s pauses runs in well under a second while the code keeps its real constants.
// Ticks advance at the same scaled rate, so "500 ms since the last sample" stays consistent.
#pragma once

#include <chrono>
#include <cstdint>

namespace Clock {

// Milliseconds since an arbitrary start, scaled by the speed-up.
std::uint64_t Ticks();

// Pauses the calling thread for `milliseconds` of scaled time.
void Sleep(std::uint32_t milliseconds);

// The real duration that `milliseconds` of scaled time lasts; for timed waits on conditions.
std::chrono::steady_clock::duration Scaled(std::uint32_t milliseconds);

// 1 is real time. Values below 1 are taken as 1.
void SetSpeedUp(unsigned factor);
unsigned SpeedUp();

}  // namespace Clock
