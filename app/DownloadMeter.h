// The download speed and the time left that the progress page shows beside the percentage,
// smoothed over the last few seconds of progress samples so that one slow or fast sample does not
// make the figures jump. Both stay unknown until the samples span a second and something moved.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

class DownloadMeter {
public:
    static constexpr std::uint64_t kWindowMs = 5000;
    static constexpr std::uint64_t kShortestSpanMs = 1000;

    void Reset() { samples.clear(); }
    // A sample at `now` (clock milliseconds): bytes received so far over every file, and the
    // overall percentage. Fewer bytes than before (a file started again) begin a new measurement.
    void Add(std::uint64_t now, std::uint64_t bytes, double percent);

    std::optional<double> BytesPerSecond() const;
    // From the rate at which the percentage rises, which is what the operator watches: files whose
    // size is not known yet count in it as the percentage does.
    std::optional<double> SecondsLeft() const;

    // "1.4 MB/s" (KB below one MB, B below one KB; units of 1024), empty while unknown; then the time left after
    // `leftLabel` as "m:ss" or "h:mm:ss", when known.
    std::wstring Text(const std::wstring& leftLabel) const;

private:
    struct Sample {
        std::uint64_t tick;
        std::uint64_t bytes;
        double percent;
    };
    bool Measurable() const;
    std::deque<Sample> samples;
};
