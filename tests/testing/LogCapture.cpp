#include "tests/testing/LogCapture.h"

#include "support/DebugOutput.h"

namespace larkholm::testing {

LogCapture::LogCapture() {
    SetDebugOutputObserver([this](std::string_view written) {
        std::lock_guard lock(mutex);
        lines.emplace_back(written);
    });
}

LogCapture::~LogCapture() {
    SetDebugOutputObserver({});
}

std::string LogCapture::Text() const {
    std::lock_guard lock(mutex);
    std::string text;
    for (const std::string& line : lines) text += line;
    return text;
}

std::size_t LogCapture::Count(std::string_view needle) const {
    const std::string all = Text();
    std::size_t count = 0;
    for (std::size_t at = all.find(needle); at != std::string::npos; at = all.find(needle, at + 1)) ++count;
    return count;
}

std::vector<std::string> LogCapture::Containing(std::string_view part) const {
    std::lock_guard lock(mutex);
    std::vector<std::string> found;
    for (const std::string& line : lines) {
        if (line.find(part) != std::string::npos) found.push_back(line);
    }
    return found;
}

}  // namespace larkholm::testing
