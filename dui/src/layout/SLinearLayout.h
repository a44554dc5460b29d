// SLinearLayout ("linearLayout"): children one after another along one axis with no gap, each in
// a box of its size plus its extends. Children with a weight share the space the boxes leave
// free; across the axis a child sits near, centred or far by its layout_gravity (else the
// layout's "gravity"). Boxes past the end are placed anyway. Attributes: "orientation"
// ("horizontal" / "vertical"), "gravity".
//
//   vertical:   +--R-------------+      horizontal:  +--R--------------------+
//               | box 0          |                   | box 0 | box 1 | box 2 |
//               | box 1 (weight) |                   |       |       |       |
//               | box 2          |                   +-----------------------+
//               +----------------+
#pragma once

#include "dui/include/core/ILayout.h"
#include "dui/src/layout/SLinearLayoutParam.h"

class SLinearLayout : public ILayout {
    DUI_CLASS(SLinearLayout, ILayout, L"linearLayout")
public:
    AttrResult ApplyAttribute(std::wstring_view name, const std::wstring& value, bool loading) override;
    std::unique_ptr<ILayoutParam> CreateLayoutParam() const override {
        return std::make_unique<SLinearLayoutParam>();
    }
    bool IsParamAcceptable(const ILayoutParam& param) const override {
        return dynamic_cast<const SLinearLayoutParam*>(&param) != nullptr;
    }
    std::vector<RECT> CalculateLayout(const std::vector<SLayoutChild>& children,
                                      const RECT& client) const override;
    SIZE MeasureContent(const std::vector<SLayoutChild>& children, int width, int height) const override;

    Orientation orientation = Orientation::kVertical;
    LayoutGravity gravity = LayoutGravity::kUnset;

private:
    struct Box {
        int main = 0;
        int cross = 0;
    };
    // Box sizes for a parent client size (-1 where unknown).
    std::vector<Box> MeasureBoxes(const std::vector<SLayoutChild>& children, int width, int height) const;
};
