#include "tests/install/InstallRunFixtures.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>

#include "support/platform/DebugOutput.h"
#include "tests/install/ZipFixtures.h"

namespace larkholm::testing {

RecordingWindow::RecordingWindow() : window(RegisterWindow(this)) {}

RecordingWindow::~RecordingWindow() {
    UnregisterWindow(window);
}

void RecordingWindow::OnPosted(UINT message, WPARAM wParam, LPARAM) {
    {
        std::lock_guard lock(mutex);
        posts.push_back({message, wParam});
    }
    posted.notify_all();
}

std::vector<Post> RecordingWindow::Posts() {
    std::lock_guard lock(mutex);
    return posts;
}

std::vector<UINT> RecordingWindow::Messages() {
    std::vector<UINT> messages;
    for (const Post& post : Posts()) messages.push_back(post.message);
    return messages;
}

bool RecordingWindow::WaitFor(UINT message, std::size_t count) {
    std::unique_lock lock(mutex);
    return posted.wait_for(lock, std::chrono::seconds(30), [&] {
        return std::size_t(std::count_if(posts.begin(), posts.end(),
                                         [&](const Post& post) { return post.message == message; })) >= count;
    });
}

LogCapture::LogCapture() {
    SetDebugOutputObserver([this](std::string_view written) {
        std::lock_guard lock(mutex);
        text += written;
    });
}

LogCapture::~LogCapture() {
    SetDebugOutputObserver({});
}

std::string LogCapture::Text() {
    std::lock_guard lock(mutex);
    return text;
}

std::size_t LogCapture::Count(std::string_view needle) {
    const std::string all = Text();
    std::size_t count = 0;
    for (std::size_t at = all.find(needle); at != std::string::npos; at = all.find(needle, at + 1)) ++count;
    return count;
}

bool MakePackage(const TempDir& scratch, const std::string& archive, const std::vector<PackageItem>& items,
                 const std::string& password) {
    static std::atomic<int> packages{0};
    const std::string stage = "package-stage-" + std::to_string(++packages);
    std::string names;
    for (const PackageItem& item : items) {
        if (item.name.ends_with('/')) {
            std::filesystem::create_directories(scratch.Path() / stage / item.name);
        } else {
            scratch.WriteFile(stage + "/" + item.name, item.content);
        }
        names += " " + ShellQuote(item.name);
    }
    std::error_code ignored;
    std::filesystem::remove(archive, ignored);  // zip would add to an existing archive
    std::filesystem::create_directories(std::filesystem::path(archive).parent_path(), ignored);
    return RunShell("cd " + ShellQuote((scratch.Path() / stage).string()) + " && zip -q -P " +
                    ShellQuote(password) + " " + ShellQuote(archive) + names);
}

}  // namespace larkholm::testing
