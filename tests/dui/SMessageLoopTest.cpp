// The message loop over the headless host: posted messages from worker threads and timers
// delivered in order on the UI thread, the quit code, filters, idle handlers and the exit log line.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "support/Clock.h"
#include "support/DebugOutput.h"
#include "tests/dui/support/HostTestEnv.h"
#include "tests/testing/FastClock.h"

namespace {

constexpr UINT kWorkerMessage = WM_USER + 100;

class SMessageLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        wnd = std::make_unique<RecordingHost>(env.Layout("<DUI width='50' height='40'><root/></DUI>"));
        ASSERT_NE(wnd->Create(nullptr, 0, 0, 0, 0), nullptr);
    }
    std::vector<UINT_PTR> Received(UINT message) const {
        std::vector<UINT_PTR> values;
        for (const MSG& m : wnd->messages)
            if (m.message == message) values.push_back(m.wParam);
        return values;
    }

    HostTestEnv env;
    std::unique_ptr<RecordingHost> wnd;
};

TEST_F(SMessageLoopTest, WorkerPostsArriveInOrderOnTheUiThreadAndQuitEndsTheRun) {
    const auto uiThread = std::this_thread::get_id();
    bool allOnUiThread = true;
    wnd->onMessage = [&](UINT message, WPARAM wParam, LPARAM, bool& handled) -> LRESULT {
        if (message != kWorkerMessage) return 0;
        allOnUiThread = allOnUiThread && std::this_thread::get_id() == uiThread;
        if (wParam == 199) env.App().PostQuitMessage(7);
        handled = true;
        return 0;
    };
    std::vector<std::string> log;
    SetDebugOutputObserver([&](std::string_view line) { log.emplace_back(line); });
    const HWND hwnd = wnd->GetHwnd();
    // Two workers, each posting its own numbers in order; the loop waits for them.
    std::thread first([hwnd] {
        for (WPARAM i = 0; i < 100; ++i) PostToWindow(hwnd, kWorkerMessage, i, 0);
    });
    std::thread second([hwnd] {
        for (WPARAM i = 1000; i < 1100; ++i) PostToWindow(hwnd, kWorkerMessage, i, 0);
    });
    first.join();
    second.join();
    PostToWindow(hwnd, kWorkerMessage, 199, 0);

    EXPECT_EQ(env.App().Run(hwnd), 7);
    SetDebugOutputObserver(nullptr);
    EXPECT_TRUE(allOnUiThread);
    EXPECT_FALSE(wnd->IsWindow());  // Run takes the main window down

    const auto values = Received(kWorkerMessage);
    ASSERT_EQ(values.size(), 201u);
    std::vector<UINT_PTR> fromFirst, fromSecond;
    for (UINT_PTR v : values) (v < 1000 ? fromFirst : fromSecond).push_back(v);
    EXPECT_TRUE(std::is_sorted(fromFirst.begin(), fromFirst.end()));
    EXPECT_TRUE(std::is_sorted(fromSecond.begin(), fromSecond.end()));
    EXPECT_EQ(values.back(), 199u);
    bool logged = false;
    for (const auto& line : log)
        logged |= line.find("SMessageLoop::Run - exiting,code = 7") != std::string::npos;
    EXPECT_TRUE(logged);
}

TEST_F(SMessageLoopTest, PostFromAnotherThreadWakesAWaitingLoop) {
    wnd->onMessage = [&](UINT message, WPARAM, LPARAM, bool&) -> LRESULT {
        if (message == kWorkerMessage) env.App().PostQuitMessage(3);
        return 0;
    };
    std::thread late([hwnd = wnd->GetHwnd()] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the loop is asleep by now
        PostToWindow(hwnd, kWorkerMessage, 0, 0);
    });
    EXPECT_EQ(env.App().Run(wnd->GetHwnd()), 3);
    late.join();
}

TEST_F(SMessageLoopTest, TimersRepeatInScaledTimeAndStopWhenKilled) {
    // The wizard's 3-second timer fires every 30 ms of real time.
    const larkholm::testing::FastClock fastClock;
    int fast = 0, slow = 0;
    wnd->onMessage = [&](UINT message, WPARAM id, LPARAM, bool&) -> LRESULT {
        if (message != WM_TIMER) return 0;
        if (id == 100 && ++slow == 3) {
            wnd->KillTimer(100);
            wnd->KillTimer(101);
            env.App().PostQuitMessage(0);
        }
        if (id == 101) ++fast;
        return 0;
    };
    const std::uint64_t start = Clock::Ticks();
    wnd->SetTimer(100, 3000);
    wnd->SetTimer(101, 500);
    EXPECT_EQ(env.App().Run(wnd->GetHwnd()), 0);
    const std::uint64_t elapsed = Clock::Ticks() - start;
    EXPECT_EQ(slow, 3);
    EXPECT_GE(elapsed, 9000u);  // timers never fire early
    EXPECT_GT(fast, 0);         // and the faster one is not starved by the slower
    EXPECT_FALSE(wnd->KillTimer(100));
}

// Asks for three idle calls, then ends the loop.
struct CountingIdle : IIdleHandler {
    explicit CountingIdle(SMessageLoop& loop) : loop(loop) {}
    bool OnIdle(int idleCount) override {
        counts.push_back(idleCount);
        if (counts.size() < 3) return true;
        loop.Quit(5);
        return false;
    }
    SMessageLoop& loop;
    std::vector<int> counts;
};

struct SwallowFilter : IMessageFilter {
    UINT swallow = 0;
    int taken = 0;
    bool PreTranslateMessage(MSG& msg) override {
        if (msg.message != swallow) return false;
        ++taken;
        return true;
    }
};

TEST_F(SMessageLoopTest, FiltersConsumeNewestFirstAndIdleHandlersRunUntilSatisfied) {
    SMessageLoop& loop = env.App().GetMsgLoop();
    CountingIdle idle(loop);
    SwallowFilter older, newer;
    older.swallow = newer.swallow = kWorkerMessage;
    loop.AddIdleHandler(&idle);
    loop.AddMessageFilter(&older);
    loop.AddMessageFilter(&newer);
    wnd->PostMessage(kWorkerMessage);
    wnd->PostMessage(kWorkerMessage + 1);
    EXPECT_EQ(loop.Run(), 5);
    EXPECT_EQ(newer.taken, 1);
    EXPECT_EQ(older.taken, 0);
    EXPECT_TRUE(Received(kWorkerMessage).empty());
    EXPECT_EQ(Received(kWorkerMessage + 1).size(), 1u);
    // Idle time comes once the queue is dry, counted up until the handler has had enough.
    EXPECT_EQ(idle.counts, (std::vector<int>{0, 1, 2}));
    EXPECT_FALSE(loop.IsRunning());
    EXPECT_TRUE(loop.RemoveIdleHandler(&idle));
    EXPECT_TRUE(loop.RemoveMessageFilter(&older));
    EXPECT_TRUE(loop.RemoveMessageFilter(&newer));
    EXPECT_FALSE(loop.RemoveMessageFilter(&newer));
}

}  // namespace
