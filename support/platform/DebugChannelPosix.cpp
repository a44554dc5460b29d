#include <unistd.h>

#include "support/platform/DebugChannel.h"

void WriteDebugChannel(std::string_view text) {
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
}
