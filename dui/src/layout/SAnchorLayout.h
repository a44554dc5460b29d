// SAnchorLayout: the default layout. Each child is placed by its SAnchorLayoutParam position
// items, which may depend on the parent's size, on the previous or next participating sibling, or
// on a sibling by id. Coordinates are resolved in cycles until a cycle resolves nothing:
//   pass A (repeated while it resolves anything): left/top from the first corner (default "[0",
//          "{0"), right/bottom from match parent, a fixed size, or the second corner;
//   pass B (repeated while anything changes): wrap-content sizes from the child's desired size,
//          then the pending "offset" shifts.
// A coordinate that never resolves (circular sibling references) ends as 0.
#pragma once

#include "dui/include/core/ILayout.h"
#include "dui/src/layout/SAnchorLayoutParam.h"

class SAnchorLayout : public ILayout {
    DUI_CLASS(SAnchorLayout, ILayout, L"anchorLayout")
public:
    AttrResult ApplyAttribute(std::wstring_view, const std::wstring&, bool) override {
        return AttrResult::kDeclined;
    }
    std::unique_ptr<ILayoutParam> CreateLayoutParam() const override {
        return std::make_unique<SAnchorLayoutParam>();
    }
    bool IsParamAcceptable(const ILayoutParam& param) const override {
        return dynamic_cast<const SAnchorLayoutParam*>(&param) != nullptr;
    }
    std::vector<RECT> CalculateLayout(const std::vector<SLayoutChild>& children,
                                      const RECT& client) const override;
    SIZE MeasureContent(const std::vector<SLayoutChild>& children, int width, int height) const override;
};
