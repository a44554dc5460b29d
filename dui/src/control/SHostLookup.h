// How a control reaches the host window its tree lives in: the root of the tree is the host.
#pragma once

#include "dui/include/core/SHostWnd.h"

// The host of `wnd`'s tree; nullptr for a tree that no host owns.
SHostWnd* HostOf(SWindow& wnd);
