#include "dui/src/host/MonitorArea.h"

#include <algorithm>
#include <cstdint>

namespace {

std::int64_t OverlapArea(const RECT& a, const RECT& b) {
    RECT common;
    if (!IntersectRect(&common, &a, &b)) return 0;
    return std::int64_t(common.right - common.left) * (common.bottom - common.top);
}

// Squared distance between the two rectangles (0 when they touch or overlap).
std::int64_t DistanceSquared(const RECT& a, const RECT& b) {
    const std::int64_t dx = std::max<std::int64_t>({0, b.left - a.right, a.left - b.right});
    const std::int64_t dy = std::max<std::int64_t>({0, b.top - a.bottom, a.top - b.bottom});
    return dx * dx + dy * dy;
}

}  // namespace

RECT NearestMonitorWorkArea(const std::vector<RECT>& monitors, const RECT& window,
                            const RECT& desktopWorkArea) {
    if (monitors.empty()) return desktopWorkArea;
    const RECT* best = &monitors.front();
    std::int64_t bestOverlap = -1, bestDistance = 0;
    for (const RECT& monitor : monitors) {
        const std::int64_t overlap = OverlapArea(monitor, window);
        const std::int64_t distance = DistanceSquared(monitor, window);
        if (overlap > bestOverlap || (overlap == 0 && bestOverlap == 0 && distance < bestDistance)) {
            best = &monitor;
            bestOverlap = overlap;
            bestDistance = distance;
        }
    }
    RECT work;
    return IntersectRect(&work, best, &desktopWorkArea) ? work : *best;
}
