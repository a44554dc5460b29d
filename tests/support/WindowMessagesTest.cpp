#include "support/WindowMessages.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Recorder : MessageTarget {
    void OnPosted(UINT message, WPARAM wParam, LPARAM lParam) override { seen.push_back({message, wParam, lParam}); }
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Message> seen;
};

TEST(WindowMessagesTest, PostsReachTheRegisteredWindowUntilItIsGone) {
    Recorder recorder;
    const HWND window = RegisterWindow(&recorder);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowAlive(window));
    EXPECT_TRUE(PostToWindow(window, WM_USER + 8002, 7, -1));
    UnregisterWindow(window);
    EXPECT_FALSE(IsWindowAlive(window));
    EXPECT_FALSE(PostToWindow(window, WM_USER + 8000, 0, 0));
    ASSERT_EQ(recorder.seen.size(), 1u);
    EXPECT_EQ(recorder.seen[0].message, WM_USER + 8002);
    EXPECT_EQ(recorder.seen[0].wParam, 7u);
    EXPECT_EQ(recorder.seen[0].lParam, -1);
    EXPECT_FALSE(IsWindowAlive(nullptr));
}

TEST(WindowMessagesTest, HandlesAreNotReused) {
    Recorder a, b;
    const HWND first = RegisterWindow(&a);
    UnregisterWindow(first);
    const HWND second = RegisterWindow(&b);
    EXPECT_NE(first, second);
    EXPECT_FALSE(PostToWindow(first, WM_USER, 0, 0));
    UnregisterWindow(second);
}

}  // namespace
