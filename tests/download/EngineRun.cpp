#include "tests/download/EngineRun.h"

#include <gtest/gtest.h>

#include "tests/testing/Eventually.h"

namespace larkholm::testing {

Outcome RunEngine(const std::vector<TransferTask>& tasks) {
    TransferEngine engine;
    for (const auto& task : tasks) EXPECT_TRUE(engine.AddTask(task)) << task.url << " -> " << task.path;
    EXPECT_EQ(engine.StartTransfers(), 0);
    EXPECT_TRUE(Eventually([&] { return engine.WaitForFinish(kFinishWaitMs); }));
    Outcome outcome;
    engine.GetStatus(outcome.status);
    outcome.lastError = engine.LastError();
    return outcome;
}

}  // namespace larkholm::testing
