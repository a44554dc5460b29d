// Pieces the installation run's tests share: a stand-in main window that records what the worker
// posts, the package archive made by Info-ZIP `zip -P`, and a collector of the log lines.
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "install/ExtractPackage.h"
#include "support/WindowMessages.h"
#include "tests/testing/TempDir.h"

namespace larkholm::testing {

struct Post {
    UINT message;
    WPARAM wParam;
};

// Registered as a live window for its lifetime; records every post in order.
class RecordingWindow : public MessageTarget {
public:
    RecordingWindow();
    ~RecordingWindow();

    void OnPosted(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::vector<Post> Posts();
    std::vector<UINT> Messages();
    // Waits (30 s at most) until `message` has been posted `count` times.
    bool WaitFor(UINT message, std::size_t count = 1);

    const HWND window;

private:
    std::mutex mutex;
    std::condition_variable posted;
    std::vector<Post> posts;
};

// Collects the debugger output (the log lines) while it lives.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    std::string Text();
    std::size_t Count(std::string_view text);

private:
    std::mutex mutex;
    std::string text;
};

// One item of a package: a name ending in "/" is a folder item.
struct PackageItem {
    std::string name;
    std::string content;
};

// Zips `items` in the given order with `password` (zip -P); a file item's parent folders are not
// added as items unless listed themselves.
bool MakePackage(const TempDir& scratch, const std::string& archive, const std::vector<PackageItem>& items,
                 const std::string& password = kPackagePassword);

}  // namespace larkholm::testing
