#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

#include "dui/src/host/LoopWake.h"

LoopWake::LoopWake() {
    const int descriptor = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (descriptor >= 0) handle_ = descriptor;
}

LoopWake::~LoopWake() {
    if (handle_ != kNoHandle) ::close(int(handle_));
}

void LoopWake::Signal() {
    if (handle_ == kNoHandle) return;
    const std::uint64_t one = 1;
    // A full counter still wakes the reader, so a failed write loses nothing.
    [[maybe_unused]] const ssize_t written = ::write(int(handle_), &one, sizeof one);
}

void LoopWake::Wait(int timeoutMs, NativeHandle platform) {
    pollfd fds[2] = {{int(handle_), POLLIN, 0}, {int(platform), POLLIN, 0}};
    // poll skips negative descriptors, so a missing eventfd or platform object simply is not watched.
    if (::poll(fds, 2, BoundedTimeout(timeoutMs)) <= 0 || !(fds[0].revents & POLLIN)) return;
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t read = ::read(int(handle_), &count, sizeof count);
}
