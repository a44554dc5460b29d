#include <unistd.h>

#include <cerrno>

#include "support/platform/StandardOutput.h"

void WriteStandardOutput(std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(STDOUT_FILENO, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return;
        text.remove_prefix(std::size_t(written));
    }
}
