// Waiting out a file that another program holds. A virus scanner or a search indexer opens a file
// that was just written, or a folder that is about to be replaced, for a moment; a program the
// operator left running holds its files for good. So a file found in use is asked about again for
// about two seconds, on the program's clock, before it counts as in use. Any thread.
#pragma once

#include <cstdint>
#include <functional>

inline constexpr std::uint32_t kInUseWaitMs = 2000;

// Asks `inUse` until it answers false, a short pause apart, for at most kInUseWaitMs. True when it
// still answers true at the end: the file stays in use.
bool StaysInUse(const std::function<bool()>& inUse);
