#include <unistd.h>

#include <mutex>

#include "support/LogFile.h"
#include "support/platform/DebugOutput.h"

namespace {

std::mutex observerMutex;
std::function<void(std::string_view)> observer;

}  // namespace

void DebugOutput(std::string_view text) {
    // One write per line keeps lines of different threads whole; a short write on a pipe is
    // finished by further writes rather than lost.
    const char* p = text.data();
    size_t left = text.size();
    while (left > 0) {
        const ssize_t n = ::write(STDERR_FILENO, p, left);
        if (n <= 0) break;
        p += n;
        left -= size_t(n);
    }
    CopyToLogFile(text);
    std::lock_guard lock(observerMutex);
    if (observer) observer(text);
}

void SetDebugOutputObserver(std::function<void(std::string_view)> newObserver) {
    std::lock_guard lock(observerMutex);
    observer = std::move(newObserver);
}
