// The progress poll both download workers run while a TransferEngine works: a sample of the
// engine's status every `sampleMs` of clock time while it transfers, with the speed since the
// previous sample; a look again soon while it prepares (size query, opening the file), so the poll
// never holds the engine up; and the engine's end seen at once through the worker's Notify (the
// engine's finish observer). A stop request of the worker aborts the transfer.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "download/TransferEngine.h"
#include "support/Thread.h"

// `status` is the sample; `speed` is bytes per millisecond since the previous sample.
using TransferSampleHandler = std::function<void(const TransferStatus& status, double speed)>;

// Returns when the engine's run has finished (true) or the worker was asked to stop (false).
bool PollTransfer(Thread& worker, TransferEngine& engine, std::uint32_t sampleMs,
                  const TransferSampleHandler& onSample);

// The progress line both workers log per sample.
void LogTransferSample(const std::string& path, double percent, double speed);
