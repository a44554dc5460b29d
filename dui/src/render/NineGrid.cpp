#include "dui/src/render/NineGrid.h"

#include <algorithm>

namespace {

// Splits one axis of a nine-grid into its three parts. When the destination is shorter than the
// two margins together, the margins shrink in proportion and the middle vanishes.
struct AxisParts {
    int src[4];
    int dest[4];
};

AxisParts SplitAxis(int srcStart, int srcEnd, int nearMargin, int farMargin, int destStart, int destEnd) {
    nearMargin = std::clamp(nearMargin, 0, srcEnd - srcStart);
    farMargin = std::clamp(farMargin, 0, srcEnd - srcStart - nearMargin);
    int destNear = nearMargin, destFar = farMargin;
    const int destLength = destEnd - destStart;
    if (nearMargin + farMargin > destLength) {
        destNear = nearMargin * destLength / (nearMargin + farMargin);
        destFar = destLength - destNear;
    }
    return AxisParts{{srcStart, srcStart + nearMargin, srcEnd - farMargin, srcEnd},
                     {destStart, destStart + destNear, destEnd - destFar, destEnd}};
}

}  // namespace

void DrawNineGrid(IRenderTarget& target, const RECT& dest, const IBitmap& bmp, const RECT& src,
                  const RECT& margins, BYTE alpha, ExpandMode mode) {
    if (IsRectEmpty(&dest) || IsRectEmpty(&src)) return;
    const AxisParts x = SplitAxis(src.left, src.right, margins.left, margins.right, dest.left, dest.right);
    const AxisParts y = SplitAxis(src.top, src.bottom, margins.top, margins.bottom, dest.top, dest.bottom);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const RECT part{x.src[col], y.src[row], x.src[col + 1], y.src[row + 1]};
            const RECT to{x.dest[col], y.dest[row], x.dest[col + 1], y.dest[row + 1]};
            // Corners keep their pixels; only edges and the middle expand.
            const bool corner = row != 1 && col != 1;
            target.DrawBitmap(to, bmp, part, alpha, corner ? ExpandMode::Stretch : mode);
        }
    }
}
