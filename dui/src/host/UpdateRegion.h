// The part of a window's client area waiting to be painted, merged into one rectangle: what both
// hosts' windows keep between an invalidation and the WM_PAINT that shows it. UI thread only.
#pragma once

#include "support/WinTypes.h"

class UpdateRegion {
public:
    // Adds `rect` clipped to a client area of `client` size; false when nothing of it is inside.
    bool Add(const RECT& rect, SIZE client) {
        const RECT area{0, 0, client.cx, client.cy};
        RECT inside;
        if (!IntersectRect(&inside, &rect, &area)) return false;
        UnionRect(&pending_, &pending_, &inside);
        return true;
    }
    // The merged rectangle, now considered painted; empty when nothing waits.
    RECT Take() {
        const RECT taken = pending_;
        pending_ = RECT{};
        return taken;
    }

private:
    RECT pending_{};
};
