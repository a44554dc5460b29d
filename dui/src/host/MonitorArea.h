// Which monitor a window belongs to, as the desktop decides it: the one it overlaps most, else
// the one nearest to it. Both hosts' work-area queries use it. Pure geometry; any thread.
#pragma once

#include <vector>

#include "support/WinTypes.h"

// The work area of the monitor nearest `window` (screen coordinates): that monitor's rectangle
// without what `desktopWorkArea` leaves out (panels and docks). With no monitors, the desktop
// work area itself.
RECT NearestMonitorWorkArea(const std::vector<RECT>& monitors, const RECT& window,
                            const RECT& desktopWorkArea);
