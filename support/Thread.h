// The parked worker behind the wizard's background jobs (DownLoadThread, InstallComponentThread,
// SetupComponentThread). Start creates one worker thread that waits on an auto-reset wake event;
// each Trigger wakes it to run `job(jobContext)` once, after which it parks again.
//
//   state        entered by                 left by
//   Constructed  constructor                Start
//   Parked       Start, end of a job run    Trigger, destruction
//   Running      Trigger                    job returns
//
// Wake semantics are those of an auto-reset event: a Trigger before the worker first waits is
// kept, and any number of Triggers during a run give exactly one more run.
//
// Stopping: nothing is killed. Destruction (or StopAndJoin) raises the stop request, wakes every
// interruptible wait of the job (SleepUnlessStopped, WaitUntil, system waits on StopSignal()) and
// joins the worker. A subclass whose job reads the subclass's own fields must call StopAndJoin()
// first in its destructor, since those fields are gone by the time ~Thread runs. Start, Trigger and
// StopAndJoin belong to the owner's thread; StopRequested and the waits are for the job.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "support/platform/StopEvent.h"

using ThreadJob = std::uint32_t (*)(void* context);

class Thread {
public:
    Thread();
    virtual ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Stores job and context and creates the worker; a second Start reuses the parked worker with
    // the new job. Returns false when no thread could be created.
    bool Start(ThreadJob job, void* context);
    void Trigger();
    void StopAndJoin();

    bool StopRequested() const { return stopRequested.load(std::memory_order_acquire); }
    // The stop request as a waitable system object, for waits on other processes.
    const StopEvent& StopSignal() const { return stopEvent; }

    // Waits `milliseconds` of scaled clock time; false when the stop request cut it short.
    bool SleepUnlessStopped(std::uint32_t milliseconds);

    // Waits until `done()` holds, a stop is requested, or `milliseconds` of scaled time pass;
    // `done` is re-checked whenever Notify() is called. Returns done().
    bool WaitUntil(std::uint32_t milliseconds, const std::function<bool()>& done);
    void Notify();

    std::uint32_t stackSize = 0;
    std::uint32_t createFlags = 0;
    std::uint32_t threadId = 0;

private:
    void WorkerLoop();

    std::thread threadHandle;
    ThreadJob job = nullptr;
    void* jobContext = nullptr;

    std::mutex mutex;
    std::condition_variable wakeEvent;  // signalled by Trigger, Notify and the stop request
    bool wakeSignalled = false;         // the auto-reset event's state
    std::atomic<bool> stopRequested{false};
    StopEvent stopEvent;  // raised with stopRequested
};
