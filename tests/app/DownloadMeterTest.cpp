#include <gtest/gtest.h>

#include <vector>

#include "app/DownloadMeter.h"

namespace {

struct Sample {
    std::uint64_t tick;
    std::uint64_t bytes;
    double percent;
};

TEST(DownloadMeterTest, SpeedAndTimeLeftOverTheLastSeconds) {
    constexpr std::uint64_t kMiB = 1024 * 1024;
    const struct {
        const char* why;
        std::vector<Sample> samples;
        std::wstring text;
    } cases[] = {
        {"nothing yet", {}, L""},
        {"one sample", {{0, 0, 0}}, L""},
        {"less than a second", {{0, 0, 0}, {500, kMiB, 10}}, L""},
        {"nothing moved", {{0, 5 * kMiB, 50}, {2000, 5 * kMiB, 50}}, L""},
        {"steady", {{0, 0, 0}, {1000, 2 * kMiB, 10}, {2000, 4 * kMiB, 20}}, L"2.0 MB/s  剩余 0:08"},
        {"slow line", {{0, 0, 0}, {2000, 100 * 1024, 0.1}}, L"50 KB/s  剩余 33:18"},
        {"crawl", {{0, 0, 0}, {2000, 600, 0.01}}, L"300 B/s  剩余 5:33:18"},
        {"long wait", {{0, 0, 0}, {1000, 1024, 0.01}}, L"1 KB/s  剩余 2:46:39"},
        // Only the last five seconds count: a fast start does not flatter a slow line.
        {"window", {{0, 0, 0}, {1000, 50 * kMiB, 50}, {6000, 50 * kMiB + 5 * 1024, 50.05},
                    {7000, 50 * kMiB + 6 * 1024, 50.06}}, L"1 KB/s  剩余 1:23:14"},
        // A file started again from zero begins a new measurement.
        {"restart", {{0, 0, 0}, {1000, 9 * kMiB, 90}, {2000, 0, 0}}, L""},
        {"the percentage does not rise", {{0, 0, 40}, {1000, kMiB, 40}}, L"1.0 MB/s"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        DownloadMeter meter;
        for (const Sample& sample : c.samples) meter.Add(sample.tick, sample.bytes, sample.percent);
        EXPECT_EQ(meter.Text(L"剩余"), c.text);
    }
}

}  // namespace
