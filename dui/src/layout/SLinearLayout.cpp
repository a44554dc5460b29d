#include "dui/src/layout/SLinearLayout.h"

#include <algorithm>
#include <cstdint>

namespace {

const SLinearLayoutParam& ParamOf(const SLayoutChild& child) {
    static const SLinearLayoutParam kFallback;
    const auto* param = dynamic_cast<const SLinearLayoutParam*>(child.param);
    return param ? *param : kFallback;
}

}  // namespace

AttrResult SLinearLayout::ApplyAttribute(std::wstring_view name, const std::wstring& value, bool) {
    if (EqualsNoCase(name, L"orientation")) {
        if (value == L"horizontal")
            orientation = Orientation::kHorizontal;
        else if (value == L"vertical")
            orientation = Orientation::kVertical;
        else
            return AttrResult::kFailed;
        return AttrResult::kOk;
    }
    if (EqualsNoCase(name, L"gravity"))
        return ParseGravity(value, gravity) ? AttrResult::kOk : AttrResult::kFailed;
    return AttrResult::kDeclined;
}

std::vector<SLinearLayout::Box> SLinearLayout::MeasureBoxes(const std::vector<SLayoutChild>& children,
                                                            int width, int height) const {
    const bool vertical = orientation == Orientation::kVertical;
    std::vector<Box> boxes;
    boxes.reserve(children.size());
    for (const SLayoutChild& child : children) {
        const SLinearLayoutParam& p = ParamOf(child);
        const int scale = child.scale;
        const int extendX = p.extendLeft.ToPixels(scale) + p.extendRight.ToPixels(scale);
        const int extendY = p.extendTop.ToPixels(scale) + p.extendBottom.ToPixels(scale);
        // The size on offer in one direction: fixed, the parent's, or not known.
        auto offer = [](const SLayoutSize& size, int parent, int scale) {
            if (size.IsMatchParent()) return parent;
            return size.IsSpecified() ? size.ToPixels(scale) : -1;
        };
        const int offerX = offer(p.width, width, scale);
        const int offerY = offer(p.height, height, scale);
        SIZE desired{};
        if ((p.width.IsWrapContent() || p.height.IsWrapContent()) && child.desiredSize)
            desired = child.desiredSize(offerX, offerY);
        auto boxSize = [](const SLayoutSize& size, int parent, int extends, int scale, LONG desiredSize) {
            if (size.IsMatchParent()) return std::max(parent, 0);
            if (size.IsSpecified()) return size.ToPixels(scale) + extends;
            return static_cast<int>(desiredSize) + extends;
        };
        const int boxW = boxSize(p.width, width, extendX, scale, desired.cx);
        const int boxH = boxSize(p.height, height, extendY, scale, desired.cy);
        boxes.push_back(vertical ? Box{boxH, boxW} : Box{boxW, boxH});
    }
    return boxes;
}

std::vector<RECT> SLinearLayout::CalculateLayout(const std::vector<SLayoutChild>& children,
                                                 const RECT& client) const {
    const bool vertical = orientation == Orientation::kVertical;
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    std::vector<Box> boxes = MeasureBoxes(children, width, height);

    const int mainSize = vertical ? height : width;
    const int crossSize = vertical ? width : height;
    std::int64_t sum = 0;
    double weightSum = 0.0;
    for (size_t i = 0; i < children.size(); ++i) {
        sum += boxes[i].main;
        if (ParamOf(children[i]).weight > 0.0f) weightSum += ParamOf(children[i]).weight;
    }
    // The room left over is shared by weight; each share is a fraction of it, so no child can grow
    // past the parent, however large the weights written in the layout.
    const std::int64_t spare = std::min<std::int64_t>(mainSize - sum, mainSize);
    if (weightSum > 0.0 && spare > 0)
        for (size_t i = 0; i < children.size(); ++i) {
            const float weight = ParamOf(children[i]).weight;
            if (weight > 0.0f) boxes[i].main += static_cast<int>(static_cast<double>(spare) * (weight / weightSum));
        }

    std::vector<RECT> rects;
    rects.reserve(children.size());
    int offset = 0;
    for (size_t i = 0; i < children.size(); ++i) {
        const SLinearLayoutParam& p = ParamOf(children[i]);
        const LayoutGravity g = p.gravity != LayoutGravity::kUnset ? p.gravity : gravity;
        int cross = 0;
        if (g == LayoutGravity::kCenter)
            cross = (crossSize - boxes[i].cross) / 2;
        else if (g == LayoutGravity::kFar)
            cross = crossSize - boxes[i].cross;
        RECT box = vertical ? RECT{client.left + cross, client.top + offset,
                                   client.left + cross + boxes[i].cross, client.top + offset + boxes[i].main}
                            : RECT{client.left + offset, client.top + cross,
                                   client.left + offset + boxes[i].main, client.top + cross + boxes[i].cross};
        const int scale = children[i].scale;
        box.left += p.extendLeft.ToPixels(scale);
        box.top += p.extendTop.ToPixels(scale);
        box.right -= p.extendRight.ToPixels(scale);
        box.bottom -= p.extendBottom.ToPixels(scale);
        rects.push_back(box);
        offset += boxes[i].main;
    }
    return rects;
}

SIZE SLinearLayout::MeasureContent(const std::vector<SLayoutChild>& children, int width, int height) const {
    int main = 0, cross = 0;
    for (const Box& box : MeasureBoxes(children, width, height)) {
        main += box.main;
        cross = std::max(cross, box.cross);
    }
    return orientation == Orientation::kVertical ? SIZE{cross, main} : SIZE{main, cross};
}
