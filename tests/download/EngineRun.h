// One run of the transfer engine to its end, for the engine's tests.
#pragma once

#include <cstdint>
#include <vector>

#include "download/TransferEngine.h"

namespace larkholm::testing {

inline constexpr std::uint32_t kFinishWaitMs = 30000;

struct Outcome {
    TransferStatus status;
    std::int32_t lastError = 0;
};

// Runs one engine over `tasks` (each must be accepted) and waits for the run to end, also under a
// sped-up clock, which shortens the engine's own wait.
Outcome RunEngine(const std::vector<TransferTask>& tasks);

}  // namespace larkholm::testing
