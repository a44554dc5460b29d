// SLinearLayoutParam: a child of a linear layout: "width", "height", "size", "weight",
// "layout_gravity" and the extends (space kept around the child inside its box: "extend" as
// four values or "extend_left" ...). "pos" and "offset" mean nothing here and are declined.
#pragma once

#include "dui/include/core/ILayout.h"

enum class LayoutGravity { kUnset = -1, kNear = 0, kCenter = 1, kFar = 2 };

// "left"/"top" near, "center", "right"/"bottom" far; false for anything else.
bool ParseGravity(std::wstring_view text, LayoutGravity& gravity);

class SLinearLayoutParam : public ILayoutParam {
public:
    SLinearLayoutParam() { Clear(); }

    void Clear() override;
    void SetMatchParent() override;
    AttrResult ApplyAttribute(std::wstring_view name, const std::wstring& value) override;
    SLayoutSize GetSize(Orientation orientation) const override {
        return orientation == Orientation::kHorizontal ? width : height;
    }

    SLayoutSize width;
    SLayoutSize height;
    float weight = 0.0f;
    LayoutGravity gravity = LayoutGravity::kUnset;
    SLayoutSize extendLeft, extendTop, extendRight, extendBottom;
};
