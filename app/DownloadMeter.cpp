#include "app/DownloadMeter.h"

#include <cmath>

#include "support/WideFormat.h"

namespace {

std::wstring RateText(double bytesPerSecond) {
    constexpr double kKiB = 1024;
    constexpr double kMiB = 1024 * 1024;
    if (bytesPerSecond >= kMiB) return WideFormat(L"%.1f MB/s", bytesPerSecond / kMiB);
    if (bytesPerSecond >= kKiB) return WideFormat(L"%.0f KB/s", bytesPerSecond / kKiB);
    return WideFormat(L"%.0f B/s", bytesPerSecond);
}

std::wstring DurationText(double seconds) {
    const long long whole = std::llround(seconds);
    const long long hours = whole / 3600;
    const long long minutes = whole / 60 % 60;
    const long long rest = whole % 60;
    if (hours > 0) return WideFormat(L"%lld:%02lld:%02lld", hours, minutes, rest);
    return WideFormat(L"%lld:%02lld", minutes, rest);
}

}  // namespace

void DownloadMeter::Add(std::uint64_t now, std::uint64_t bytes, double percent) {
    if (!samples.empty() && (bytes < samples.back().bytes || now < samples.back().tick)) samples.clear();
    samples.push_back({now, bytes, percent});
    // The oldest sample kept is the last one at least a window old, so the window stays full.
    while (samples.size() > 2 && now - samples[1].tick >= kWindowMs) samples.pop_front();
}

bool DownloadMeter::Measurable() const {
    return samples.size() >= 2 && samples.back().tick - samples.front().tick >= kShortestSpanMs;
}

std::optional<double> DownloadMeter::BytesPerSecond() const {
    if (!Measurable()) return std::nullopt;
    const double seconds = double(samples.back().tick - samples.front().tick) / 1000;
    return double(samples.back().bytes - samples.front().bytes) / seconds;
}

std::optional<double> DownloadMeter::SecondsLeft() const {
    if (!Measurable()) return std::nullopt;
    const double seconds = double(samples.back().tick - samples.front().tick) / 1000;
    const double rate = (samples.back().percent - samples.front().percent) / seconds;
    const double left = 100 - samples.back().percent;
    if (rate <= 0 || left < 0) return std::nullopt;
    return left / rate;
}

std::wstring DownloadMeter::Text(const std::wstring& leftLabel) const {
    const std::optional<double> speed = BytesPerSecond();
    if (!speed || *speed <= 0) return {};
    std::wstring text = RateText(*speed);
    if (const std::optional<double> left = SecondsLeft()) text += L"  " + leftLabel + L" " + DurationText(*left);
    return text;
}
