// What ShowWindow does to a top-level window's state, the same on every host: shown, minimised,
// maximised, and the rectangle a maximised window goes back to. The host window applies the
// rectangle it is given and does its platform's part (map, iconify, ...). UI thread only.
#pragma once

#include <optional>

#include "support/WinTypes.h"

class WindowPlacement {
public:
    // Updates the state for `command` (SW_*) on a window now at `current`; the rectangle the
    // window must move to, if any (the work area when maximising, the old place when restoring).
    std::optional<RECT> Apply(int command, const RECT& current, const RECT& workArea) {
        switch (command) {
            case SW_HIDE:
                visible = false;
                return std::nullopt;
            case SW_MINIMIZE:
                minimized = true;
                return std::nullopt;
            case SW_MAXIMIZE:
                if (!maximized) restoreRect_ = current;
                maximized = true;
                minimized = false;
                visible = true;
                return workArea;
            case SW_RESTORE: {
                minimized = false;
                visible = true;
                if (!maximized) return std::nullopt;
                maximized = false;
                return restoreRect_;
            }
            default:
                minimized = false;
                visible = true;
                return std::nullopt;
        }
    }

    bool visible = false;
    bool maximized = false;
    bool minimized = false;

private:
    RECT restoreRect_{};
};
