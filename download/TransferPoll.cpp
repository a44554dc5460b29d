#include "download/TransferPoll.h"

#include "support/Clock.h"
#include "support/Log.h"
#include "support/TextConvert.h"
#include "support/WideFormat.h"

namespace {

constexpr std::uint32_t kPreparePollMs = 10;

}  // namespace

bool PollTransfer(Thread& worker, TransferEngine& engine, std::uint32_t sampleMs,
                  const TransferSampleHandler& onSample) {
    const auto finished = [&engine] { return engine.IsFinished(); };
    // Speed is measured from the bytes the transfer starts with, so kept bytes of a resumed file
    // are not taken for a burst of speed.
    double previousReceived = -1;
    std::uint64_t sampleTick = Clock::Ticks();
    while (!engine.IsFinished()) {
        if (worker.StopRequested()) {
            engine.Abort();  // the engine's destruction waits for its thread
            return false;
        }
        if (!engine.IsRunning()) {
            worker.WaitUntil(kPreparePollMs, finished);
            continue;
        }
        TransferStatus status;
        engine.GetStatus(status);
        if (previousReceived < 0 || status.received < previousReceived) previousReceived = status.resumedFrom;
        const std::uint64_t now = Clock::Ticks();
        const double elapsed = double(now - sampleTick);
        const double speed = elapsed > 0 ? (status.received - previousReceived) / elapsed : 0;
        sampleTick = now;
        previousReceived = status.received;
        onSample(status, speed);
        worker.WaitUntil(sampleMs, finished);
    }
    return true;
}

void LogTransferSample(const std::string& path, double percent, double speed) {
    Log(WideFormat(L"正在下载:%ls, 下载进度 : %6.2lf%%, 下载速度 : %9.2lfKB / s", Utf8ToWide(path).c_str(),
                   percent, speed));
}
