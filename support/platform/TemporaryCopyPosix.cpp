#include "support/platform/TemporaryCopy.h"

// A running program's file can be removed here, so no copy is ever made.
std::optional<int> RunInTemporaryCopy(std::wstring&) {
    return std::nullopt;
}

bool ReleaseOriginal(int) {
    return false;
}
