// Times Md5OfFile and `md5sum` on the same file (1 GiB by default) in one run and prints their
// throughput, the time ratio and the peak memory of the hashing.
//
//   bench_md5 [size in MiB] [folder for the scratch file]
//
// The file is written first, so both readers find it in the page cache; each side is measured
// three times, alternating, and its best time counts.
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
#include "service/Md5.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 3;

using bench::ResetPeakResident;
using bench::ResidentKiB;
using bench::WriteScratchFile;

std::string RunMd5sum(const fs::path& file, const fs::path& output) {
    const std::string command = "md5sum '" + file.string() + "' > '" + output.string() + "'";
    if (std::system(command.c_str()) != 0) return {};
    std::ifstream in(output);
    std::string digest;
    in >> digest;
    return digest;
}

}  // namespace

int main(int argc, char** argv) {
    const std::uint64_t mib = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1024;
    const fs::path folder = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path();
    const fs::path file = folder / ("larkholm-md5-bench-" + std::to_string(std::random_device()()));
    const fs::path output = file.string() + ".md5sum";
    const std::uint64_t size = mib << 20;

    std::cout << "writing " << mib << " MiB to " << file << "\n";
    WriteScratchFile(file, size);

    double best[2] = {1e300, 1e300};  // md5sum, Md5OfFile
    std::string referenceDigest, ourDigest;
    long peakKiB = 0;
    const long baseKiB = (ResetPeakResident(), ResidentKiB("VmHWM"));
    for (int round = 0; round < kRounds; ++round) {
        auto start = Clock::now();
        referenceDigest = RunMd5sum(file, output);
        best[0] = std::min(best[0], bench::SecondsSince(start));

        ResetPeakResident();
        start = Clock::now();
        const bool opened = Md5OfFile(file.string(), ourDigest);
        best[1] = std::min(best[1], bench::SecondsSince(start));
        peakKiB = std::max(peakKiB, ResidentKiB("VmHWM"));
        if (!opened) ourDigest = "(not opened)";
    }
    std::error_code ignored;
    fs::remove(file, ignored);
    fs::remove(output, ignored);

    const double megabytes = double(size) / 1e6;
    std::printf("md5sum     %8.3f s  %8.1f MB/s  %s\n", best[0], megabytes / best[0],
                referenceDigest.c_str());
    std::printf("Md5OfFile  %8.3f s  %8.1f MB/s  %s\n", best[1], megabytes / best[1], ourDigest.c_str());
    std::printf("time ratio Md5OfFile / md5sum: %.3f (target <= 1.10)\n", best[1] / best[0]);
    std::printf("peak resident memory while hashing: %ld KiB (%ld KiB before)\n", peakKiB, baseKiB);
    std::printf("RATIO md5-file %.3f %.3f s md5sum\n", best[1], best[0]);
    std::printf("PEAK md5-file %ld\n", peakKiB);
    if (ourDigest != referenceDigest) {
        std::printf("DIGESTS DIFFER\n");
        return 1;
    }
    return 0;
}
