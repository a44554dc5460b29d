#include "tests/testing/RecordingWindow.h"

#include <algorithm>
#include <chrono>

namespace larkholm::testing {

RecordingWindow::RecordingWindow() : handle(RegisterWindow(this)) {}

RecordingWindow::~RecordingWindow() {
    UnregisterWindow(handle);
}

void RecordingWindow::OnPosted(UINT message, WPARAM wParam, LPARAM lParam) {
    {
        std::lock_guard lock(mutex);
        posted.push_back({message, wParam, lParam});
    }
    changed.notify_all();
}

std::vector<Posted> RecordingWindow::Posts() const {
    std::lock_guard lock(mutex);
    return posted;
}

std::vector<UINT> RecordingWindow::Messages() const {
    std::vector<UINT> messages;
    for (const Posted& post : Posts()) messages.push_back(post.message);
    return messages;
}

template <typename Predicate>
bool RecordingWindow::Wait(Predicate done) {
    // Generous: the workers run under the sanitizers on a shared machine.
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, std::chrono::seconds(60), done);
}

bool RecordingWindow::WaitFor(UINT message, std::size_t count) {
    return Wait([&] {
        return std::size_t(std::count_if(posted.begin(), posted.end(), [&](const Posted& post) {
                   return post.message == message;
               })) >= count;
    });
}

bool RecordingWindow::WaitFor(const Posted& wanted) {
    return Wait([&] { return std::find(posted.begin(), posted.end(), wanted) != posted.end(); });
}

}  // namespace larkholm::testing
