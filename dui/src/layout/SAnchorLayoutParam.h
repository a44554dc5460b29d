// SAnchorLayoutParam: where a child of an anchor-layout parent goes, from "pos" (2 or 4 position
// items), "width", "height", "size" and "offset". Each position item is one coordinate:
//
//   prefix   kind             horizontal (vertical) value
//   (none)   from edge        d from the parent's left (top); with "-", parent width (height) - d
//   |        centre           parent width / 2 + sign * d
//   %        percent          d clamped to 0..100; +: size * d / 100, -: (100 - d) * size / 100
//   [        after previous   previous sibling's right (bottom) + sign * d
//   {        with previous    previous sibling's left (top) + sign * d
//   ]        before next      next sibling's left (top) + sign * d
//   }        with next        next sibling's right (bottom) + sign * d
//   @        extent           second corner only: the width (height) is d
//   sib.left@ID:d, sib.top@ID:d        sibling ID's left (top) + d
//   sib.right@ID:d, sib.bottom@ID:d    sibling ID's right (bottom) + d
//
// A "-" after the prefix makes the sign negative, so "-0" is the parent's far edge.
#pragma once

#include "dui/include/core/ILayout.h"

struct SPositionItem {
    enum Kind {
        kFromEdge,
        kCenter,
        kPercent,
        kAfterPrev,
        kWithPrev,
        kBeforeNext,
        kWithNext,
        kExtent,
        kSiblingNear,
        kSiblingFar
    };

    // False for text that is not a position item (a sibling form without a non-zero id).
    static bool Parse(std::wstring_view text, SPositionItem& item);

    Kind kind = kFromEdge;
    int siblingId = -1;
    int sign = 1;
    SLayoutSize distance;
};

class SAnchorLayoutParam : public ILayoutParam {
public:
    SAnchorLayoutParam() { Clear(); }

    void Clear() override;
    void SetMatchParent() override;
    AttrResult ApplyAttribute(std::wstring_view name, const std::wstring& value) override;
    SLayoutSize GetSize(Orientation orientation) const override {
        return orientation == Orientation::kHorizontal ? width : height;
    }

    int count = 0;  // position items given: 0, 2 or 4
    SPositionItem x1, y1, x2, y2;
    SLayoutSize width;
    SLayoutSize height;
    float offsetX = 0.0f;
    float offsetY = 0.0f;

private:
    AttrResult ApplyPos(const std::wstring& value);
};
