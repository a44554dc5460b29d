// Times TransferEngine and the `curl` command line downloading the same file (1 GiB by default)
// from one loopback HTTP server in one run, and prints both times, the ratio and the engine's
// peak memory during its transfers.
//
//   bench_transfer [size in MiB] [folder for the scratch files]
//
// Each side is measured three times, alternating, and its best time counts. The source file is
// written first, so the server reads it from the page cache for both.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "bench/common/BenchScratch.h"
#include "download/TransferEngine.h"
#include "tests/testing/TestHttpServer.h"

namespace {

namespace fs = std::filesystem;
using SteadyClock = std::chrono::steady_clock;

constexpr int kRounds = 3;

using bench::ResetPeakResident;
using bench::ResidentKiB;
using bench::WriteScratchFile;

// Downloads with the curl command line; its elapsed time in seconds, or -1 when it failed.
double RunCurl(const std::string& url, const fs::path& output) {
    const std::string command = "curl -s -f -o '" + output.string() + "' '" + url + "'";
    const auto start = SteadyClock::now();
    if (std::system(command.c_str()) != 0) return -1;
    return bench::SecondsSince(start);
}

// Downloads with a TransferEngine; its elapsed time in seconds, or -1 when it failed.
double RunEngine(const std::string& url, const fs::path& output) {
    const auto start = SteadyClock::now();
    TransferEngine engine;
    if (!engine.AddTask({url, output.string()}) || engine.StartTransfers() != 0) return -1;
    while (!engine.WaitForFinish(500)) {
    }
    const double elapsed = bench::SecondsSince(start);
    return engine.LastError() == 0 ? elapsed : -1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::uint64_t mib = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1024;
    const fs::path folder = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path();
    const std::string tag = std::to_string(std::random_device()());
    const fs::path source = folder / ("larkholm-transfer-bench-" + tag + ".bin");
    const fs::path output = folder / ("larkholm-transfer-bench-" + tag + ".out");
    const std::uint64_t size = mib << 20;

    std::cout << "writing " << mib << " MiB to " << source << "\n";
    WriteScratchFile(source, size);
    larkholm::testing::TestHttpServer server;
    server.ServeFile("/big.bin", source.string());
    const std::string url = server.Url("/big.bin");

    double best[2] = {1e300, 1e300};  // curl, TransferEngine
    long peakGrowthKiB = 0;
    bool ok = true;
    for (int round = 0; round < kRounds && ok; ++round) {
        for (int side = 0; side < 2 && ok; ++side) {
            std::error_code ignored;
            fs::remove(output, ignored);
            const long residentBefore = ResidentKiB("VmRSS");
            ResetPeakResident();
            const double seconds = side == 0 ? RunCurl(url, output) : RunEngine(url, output);
            if (side == 1) peakGrowthKiB = std::max(peakGrowthKiB, ResidentKiB("VmHWM") - residentBefore);
            ok = seconds >= 0 && fs::file_size(output, ignored) == size;
            if (ok) best[side] = std::min(best[side], seconds);
            std::printf("round %d %-14s %7.3f s\n", round + 1, side == 0 ? "curl" : "TransferEngine",
                        seconds);
        }
    }
    std::error_code ignored;
    fs::remove(source, ignored);
    fs::remove(output, ignored);
    if (!ok) {
        std::fprintf(stderr, "a download failed or came out short\n");
        return 1;
    }

    const double gib = double(size) / double(1u << 30);
    std::printf("curl            %7.3f s  %7.1f MiB/s\n", best[0], double(mib) / best[0]);
    std::printf("TransferEngine  %7.3f s  %7.1f MiB/s\n", best[1], double(mib) / best[1]);
    std::printf("ratio (TransferEngine / curl): %.3f  (target <= 1.1)\n", best[1] / best[0]);
    std::printf("engine peak resident growth during a transfer: %ld KiB for %.2f GiB\n", peakGrowthKiB, gib);
    std::printf("RATIO loopback-download %.3f %.3f s curl\n", best[1], best[0]);
    std::printf("PEAK loopback-download %ld\n", peakGrowthKiB);
    return 0;
}
