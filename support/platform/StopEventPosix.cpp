#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

#include "support/platform/StopEvent.h"

StopEvent::StopEvent() {
    const int descriptor = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (descriptor >= 0) handle = descriptor;
}

StopEvent::~StopEvent() {
    if (handle != kNoHandle) ::close(int(handle));
}

void StopEvent::Raise() {
    if (handle == kNoHandle) return;
    // The counter only grows, so the descriptor stays readable for every later wait.
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(int(handle), &one, sizeof one);
}
