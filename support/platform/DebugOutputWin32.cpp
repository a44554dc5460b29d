#include <windows.h>

#include <mutex>

#include "support/LogFile.h"
#include "support/TextConvert.h"
#include "support/platform/DebugOutput.h"

namespace {

std::mutex observerMutex;
std::function<void(std::string_view)> observer;

}  // namespace

void DebugOutput(std::string_view text) {
    // The text is UTF-8; the wide call keeps every character whatever the ANSI code page.
    ::OutputDebugStringW(Utf8ToWide(text).c_str());
    CopyToLogFile(text);
    std::lock_guard lock(observerMutex);
    if (observer) observer(text);
}

void SetDebugOutputObserver(std::function<void(std::string_view)> newObserver) {
    std::lock_guard lock(observerMutex);
    observer = std::move(newObserver);
}
