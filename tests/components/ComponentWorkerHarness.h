// What the component worker tests share: running a worker's job to its end.
#pragma once

#include <gtest/gtest.h>

#include "tests/testing/Eventually.h"
#include "tests/testing/RecordingWindow.h"

namespace larkholm::testing {

// Starts the worker's job and waits for its final message and for `busy` to drop.
template <typename Worker>
void RunJob(Worker& worker, RecordingWindow& window, UINT finalMessage) {
    worker.notifyWindow = window.handle;
    ASSERT_TRUE(worker.Start(&Worker::Job, &worker));
    worker.Trigger();
    ASSERT_TRUE(window.WaitFor(Posted{finalMessage, 0, 0}));
    ASSERT_TRUE(Eventually([&] { return !worker.busy; }));
}

}  // namespace larkholm::testing
