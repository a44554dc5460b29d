#include "support/Thread.h"

#include "support/Clock.h"

Thread::Thread() = default;

Thread::~Thread() { StopAndJoin(); }

bool Thread::Start(ThreadJob newJob, void* context) {
    {
        std::lock_guard lock(mutex);
        job = newJob;
        jobContext = context;
    }
    if (threadHandle.joinable()) return true;
    try {
        threadHandle = std::thread(&Thread::WorkerLoop, this);
    } catch (const std::system_error&) {
        return false;
    }
    threadId = static_cast<std::uint32_t>(std::hash<std::thread::id>{}(threadHandle.get_id()));
    return true;
}

void Thread::Trigger() {
    {
        std::lock_guard lock(mutex);
        wakeSignalled = true;
    }
    wakeEvent.notify_all();
}

void Thread::Notify() {
    { std::lock_guard lock(mutex); }  // orders the caller's state change before the waiter's re-check
    wakeEvent.notify_all();
}

void Thread::StopAndJoin() {
    {
        std::lock_guard lock(mutex);
        stopRequested.store(true, std::memory_order_release);
    }
    stopEvent.Raise();
    wakeEvent.notify_all();
    if (threadHandle.joinable() && threadHandle.get_id() != std::this_thread::get_id()) threadHandle.join();
}

bool Thread::SleepUnlessStopped(std::uint32_t milliseconds) {
    std::unique_lock lock(mutex);
    return !wakeEvent.wait_for(lock, Clock::Scaled(milliseconds), [this] { return StopRequested(); });
}

bool Thread::WaitUntil(std::uint32_t milliseconds, const std::function<bool()>& done) {
    std::unique_lock lock(mutex);
    wakeEvent.wait_for(lock, Clock::Scaled(milliseconds), [&] { return StopRequested() || done(); });
    return done();
}

void Thread::WorkerLoop() {
    for (;;) {
        ThreadJob runJob;
        void* runContext;
        {
            std::unique_lock lock(mutex);
            wakeEvent.wait(lock, [this] { return wakeSignalled || StopRequested(); });
            if (StopRequested()) return;
            wakeSignalled = false;  // auto-reset: the wait consumed the signal
            runJob = job;
            runContext = jobContext;
        }
        runJob(runContext);
    }
}
