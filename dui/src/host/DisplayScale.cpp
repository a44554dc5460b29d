#include "dui/src/host/DisplayScale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "dui/include/core/SLog.h"

namespace {

constexpr const wchar_t* kSource = L"src\\host\\DisplayScale";

}  // namespace

int ScaleFromDpi(double dpi) {
    if (!(dpi > 0)) return 100;
    const double scale = std::floor(dpi * 100.0 / 96.0 + 0.5);
    return static_cast<int>(std::clamp(scale, double(kMinDisplayScale), double(kMaxDisplayScale)));
}

std::optional<int> ScaleOverride() {
    const char* value = std::getenv("LARKHOLM_SCALE");
    if (value == nullptr || *value == '\0') return std::nullopt;
    char* end = nullptr;
    const long scale = std::strtol(value, &end, 10);
    if (*end == '\0' && scale >= kMinDisplayScale && scale <= kMaxDisplayScale)
        return static_cast<int>(scale);
    const std::wstring shown(value, value + std::strlen(value));  // bytes as they are, for the log
    SLogFormat(SLogLevel::kWarning, kSource, __LINE__,
               L"LARKHOLM_SCALE=%ls ignored: a whole percent from %d to %d is expected", shown.c_str(),
               kMinDisplayScale, kMaxDisplayScale);
    return std::nullopt;
}

int EffectiveScale(int platformScale) {
    return ScaleOverride().value_or(platformScale);
}
