#include "app/RunLog.h"

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <system_error>
#include <vector>

#include "support/LogFile.h"
#include "support/PathText.h"
#include "support/TextConvert.h"
#include "support/WideFormat.h"
#include "support/platform/FileSystemPath.h"

namespace {

constexpr std::wstring_view kPrefix = L"larkholm-setup-";
constexpr std::wstring_view kSuffix = L".log";
// "yyyymmdd-hhmmss"
constexpr std::size_t kStampLength = 15;

bool IsRunLogName(const std::wstring& name) {
    if (name.size() != kPrefix.size() + kStampLength + kSuffix.size()) return false;
    if (name.compare(0, kPrefix.size(), kPrefix) != 0) return false;
    if (name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0) return false;
    const std::wstring stamp = name.substr(kPrefix.size(), kStampLength);
    for (std::size_t i = 0; i < stamp.size(); ++i) {
        const bool ok = i == 8 ? stamp[i] == L'-' : std::iswdigit(static_cast<wint_t>(stamp[i])) != 0;
        if (!ok) return false;
    }
    return true;
}

}  // namespace

std::wstring RunLogFileName(const LocalTime& time) {
    return WideFormat(L"larkholm-setup-%04d%02d%02d-%02d%02d%02d.log", time.year, time.month, time.day,
                      time.hour, time.minute, time.second);
}

void PruneRunLogs(const std::wstring& folder, std::size_t keep) {
    std::error_code error;
    std::vector<std::filesystem::path> logs;
    for (const auto& entry : std::filesystem::directory_iterator(PathFromWide(folder), error)) {
        if (entry.is_regular_file(error) && IsRunLogName(Utf8ToWide(Utf8FromPath(entry.path().filename()))))
            logs.push_back(entry.path());
    }
    if (logs.size() <= keep) return;
    // The names carry the moment with fixed widths, so their order is the order of the runs.
    std::sort(logs.begin(), logs.end());
    for (std::size_t i = 0; i + keep < logs.size(); ++i) std::filesystem::remove(logs[i], error);
}

std::wstring StartRunLog(const std::optional<std::wstring>& requested, const std::wstring& folder,
                         const LocalTime& now) {
    const std::wstring path = requested ? *requested : JoinPath(folder, RunLogFileName(now));
    const bool started = StartLogFile(path);
    // This run's file is the newest, so it is among the ones kept.
    if (!requested) PruneRunLogs(folder, kRunLogsKept);
    return started ? path : std::wstring();
}
