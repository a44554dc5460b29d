// Collects what the program writes to the debugger output (its log lines) while it lives, from
// any thread. Only one may live at a time: it takes over the single output observer.
#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace larkholm::testing {

class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    // Everything written so far, as one text.
    std::string Text() const;
    // How often `text` occurs in all that was written.
    std::size_t Count(std::string_view text) const;
    // The lines (one per write) that contain `part`, in order.
    std::vector<std::string> Containing(std::string_view part) const;

private:
    mutable std::mutex mutex;
    std::vector<std::string> lines;
};

}  // namespace larkholm::testing
