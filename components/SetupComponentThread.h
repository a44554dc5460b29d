// The worker that runs the downloaded component installers. The main window pushes
// (id, installer path) tasks on `tasks`, sets `notifyWindow`, then calls
// Start(&SetupComponentThread::Job, &worker) and Trigger(). For each task the job posts
// UM_COMPONENT_SETUP_STARTED (id, 0), holds the installer, proves it once more (InstallerAdmission.h;
// a refused one is deleted and never started), runs it and waits for it, then checks with the
// component's detection test that it took effect; after the queue it posts
// UM_COMPONENT_SETUP_ENDED (0, 0) once. Installers run without arguments, or with their quiet
// switches (ComponentTable.h) when `quiet` is set for an unattended run.
//
// An installer that answers "restart needed" (3010, 1641) counts as installed even where its
// component is detected only after the restart, and sets `restartNeeded`.
//
// `setupStatus` is 0 when every installer ran and its component is detected. Otherwise it keeps
// the job's first failure: -5 (component still not detected, an installer refused, or an empty
// installer path) or the system error code of an installer that could not be opened or started. `busy` is
// true from the job's start until after its final message; the window reads `setupStatus` once it has
// dropped.
#pragma once

#include <atomic>
#include <cstdint>

#include "components/LockedQueue.h"
#include "support/Thread.h"
#include "support/WinTypes.h"

class SetupComponentThread : public Thread {
public:
    static constexpr std::int32_t kNotInstalled = -5;

    SetupComponentThread() = default;
    ~SetupComponentThread() override;

    // The ThreadJob; `context` is the worker.
    static std::uint32_t Job(void* context);

    LockedQueue tasks;
    HWND notifyWindow = nullptr;
    std::atomic<bool> busy{false};
    std::atomic<std::int32_t> setupStatus{0};
    std::atomic<bool> quiet{false};
    std::atomic<bool> restartNeeded{false};

private:
    void SetupAll();
    // Runs one installer and confirms its component: 0, kNotInstalled or the start's error code.
    std::int32_t Setup(const ComponentTask& task);
};
