#include "support/DebugOutput.h"

#include <mutex>

#include "support/LogFile.h"
#include "support/platform/DebugChannel.h"

namespace {

std::mutex observerMutex;
std::function<void(std::string_view)> observer;

}  // namespace

void DebugOutput(std::string_view text) {
    WriteDebugChannel(text);
    CopyToLogFile(text);
    std::lock_guard lock(observerMutex);
    if (observer) observer(text);
}

void SetDebugOutputObserver(std::function<void(std::string_view)> newObserver) {
    std::lock_guard lock(observerMutex);
    observer = std::move(newObserver);
}
