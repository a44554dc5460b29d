// The nine-grid drawing every backend shares: a picture part cut into corners, edges and middle by
// its margins, each piece drawn through the target's own DrawBitmap.
#pragma once

#include "dui/include/core/IRenderTarget.h"

void DrawNineGrid(IRenderTarget& target, const RECT& dest, const IBitmap& bmp, const RECT& src,
                  const RECT& margins, BYTE alpha, ExpandMode mode);
