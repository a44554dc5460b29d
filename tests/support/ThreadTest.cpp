#include "support/Thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "support/Clock.h"

namespace {

// A job that counts its runs and can be held inside a run until released.
struct CountingWorker : Thread {
    ~CountingWorker() override {
        release();
        StopAndJoin();
    }
    static std::uint32_t Job(void* context) {
        auto* self = static_cast<CountingWorker*>(context);
        std::unique_lock lock(self->m);
        ++self->runs;
        self->changed.notify_all();
        self->changed.wait(lock, [self] { return !self->hold; });
        return 0;
    }
    void release() {
        std::lock_guard lock(m);
        hold = false;
        changed.notify_all();
    }
    bool waitForRuns(int n) {
        std::unique_lock lock(m);
        return changed.wait_for(lock, std::chrono::seconds(10), [&] { return runs >= n; });
    }
    int runCount() {
        std::lock_guard lock(m);
        return runs;
    }
    std::mutex m;
    std::condition_variable changed;
    int runs = 0;
    bool hold = false;
};

TEST(ThreadTest, TriggerRightAfterStartRunsTheJobExactlyOnce) {
    for (int i = 0; i < 50; ++i) {  // many rounds: the worker often starts after the trigger
        CountingWorker worker;
        worker.Start(&CountingWorker::Job, &worker);
        worker.Trigger();
        ASSERT_TRUE(worker.waitForRuns(1));
        worker.StopAndJoin();
        EXPECT_EQ(worker.runCount(), 1);
    }
}

TEST(ThreadTest, TwoTriggersDuringARunGiveExactlyOneMoreRun) {
    CountingWorker worker;
    worker.hold = true;
    worker.Start(&CountingWorker::Job, &worker);
    worker.Trigger();
    ASSERT_TRUE(worker.waitForRuns(1));
    worker.Trigger();
    worker.Trigger();
    worker.release();
    ASSERT_TRUE(worker.waitForRuns(2));
    worker.StopAndJoin();
    EXPECT_EQ(worker.runCount(), 2);
}

TEST(ThreadTest, DestroyingANeverStartedOrParkedWorkerRunsNothing) {
    { CountingWorker neverStarted; }
    CountingWorker parked;
    parked.Start(&CountingWorker::Job, &parked);
    parked.StopAndJoin();
    EXPECT_EQ(parked.runCount(), 0);
}

// A job that sleeps for a long time through the interruptible wait.
struct SleepyWorker : Thread {
    ~SleepyWorker() override { StopAndJoin(); }
    static std::uint32_t Job(void* context) {
        auto* self = static_cast<SleepyWorker*>(context);
        self->started = true;
        self->finishedSleep = self->SleepUnlessStopped(60'000);
        return 0;
    }
    std::atomic<bool> started{false};
    std::atomic<bool> finishedSleep{true};
};

TEST(ThreadTest, DestroyingARunningWorkerStopsItsWaitPromptly) {
    const auto begin = std::chrono::steady_clock::now();
    auto worker = std::make_unique<SleepyWorker>();
    worker->Start(&SleepyWorker::Job, worker.get());
    worker->Trigger();
    while (!worker->started) std::this_thread::yield();
    worker->StopAndJoin();
    EXPECT_FALSE(worker->finishedSleep);
    worker.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(10));
}

TEST(ThreadTest, WaitUntilWakesOnNotify) {
    SleepyWorker worker;
    std::atomic<bool> flag{false};
    std::thread setter([&] {
        flag = true;
        worker.Notify();
    });
    EXPECT_TRUE(worker.WaitUntil(60'000, [&] { return flag.load(); }));
    setter.join();
}

TEST(ClockTest, SpeedUpScalesSleepsAndTicks) {
    Clock::SetSpeedUp(100);
    const auto ticks = Clock::Ticks();
    const auto begin = std::chrono::steady_clock::now();
    Clock::Sleep(5000);
    const auto real = std::chrono::steady_clock::now() - begin;
    EXPECT_LT(real, std::chrono::seconds(4));  // 50 ms; unscaled it would be 5 s
    EXPECT_GE(Clock::Ticks() - ticks, 5000u);
    Clock::SetSpeedUp(1);
}

}  // namespace
