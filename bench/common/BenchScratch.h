// Pieces the benchmarks share: a scratch folder, a reproducible scratch file, the process's resident
// memory, a stopwatch and the median of repeated timings.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace bench {

// A new folder path for one benchmark's files, `name` plus a random suffix, inside the runner's
// LARKHOLM_BENCH_SCRATCH (or the system's temporary folder when run by hand). The caller creates it
// and removes it when done; the runner's folder itself is left to the runner.
inline std::filesystem::path ScratchRoot(const std::string& name) {
    const char* scratch = std::getenv("LARKHOLM_BENCH_SCRATCH");
    const std::filesystem::path parent =
        scratch && *scratch ? std::filesystem::path(scratch) : std::filesystem::temp_directory_path();
    return parent / (name + "-" + std::to_string(std::random_device()()));
}

// Seconds since `start` on the steady clock.
inline double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Writes `size` pseudo-random bytes in 1 MiB pieces: the same bytes on every run for the same
// `seed`, so files written with different seeds differ.
inline void WriteScratchFile(const std::filesystem::path& path, std::uint64_t size,
                             std::uint64_t seed = 20240601) {
    std::ofstream out(path, std::ios::binary);
    std::mt19937_64 random(seed);
    std::vector<std::uint64_t> block(1 << 17);  // 1 MiB
    for (std::uint64_t written = 0; written < size;) {
        for (auto& word : block) word = random();
        const auto n = std::min<std::uint64_t>(size - written, block.size() * sizeof block[0]);
        out.write(reinterpret_cast<const char*>(block.data()), std::streamsize(n));
        written += n;
    }
}

// Resident memory of this process in KiB from /proc ("VmHWM" peak or "VmRSS" now); -1 when unknown.
inline long ResidentKiB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field + ":", 0) == 0) return std::strtol(line.c_str() + field.size() + 1, nullptr, 10);
    }
    return -1;
}

// Lets the next "VmHWM" reading report the peak from now on (Linux 4.0 and later).
inline void ResetPeakResident() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The middle value of `values` (the upper middle one of an even count).
inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace bench
