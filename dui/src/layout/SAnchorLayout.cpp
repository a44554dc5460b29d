#include "dui/src/layout/SAnchorLayout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

namespace {

using Coord = std::optional<int>;
enum Edge { kLeft = 0, kTop = 1, kRight = 2, kBottom = 3 };

// Coordinates stay within this range whatever the layout text says (sizes of 1e10, offsets of
// 1e30, long chains of siblings), so the sums that place the next sibling can't overflow.
constexpr std::int64_t kMaxCoordinate = 1 << 24;

int Clamped(std::int64_t coordinate) {
    return static_cast<int>(std::clamp(coordinate, -kMaxCoordinate, kMaxCoordinate));
}

int Clamped(float coordinate) {
    if (std::isnan(coordinate)) return 0;
    return static_cast<int>(std::clamp(coordinate, float(-kMaxCoordinate), float(kMaxCoordinate)));
}

const SPositionItem kDefaultX = [] {
    SPositionItem item;
    item.kind = SPositionItem::kAfterPrev;
    return item;
}();
const SPositionItem kDefaultY = [] {
    SPositionItem item;
    item.kind = SPositionItem::kWithPrev;
    return item;
}();

const SAnchorLayoutParam& ParamOf(const SLayoutChild& child) {
    static const SAnchorLayoutParam kFallback;
    const auto* param = dynamic_cast<const SAnchorLayoutParam*>(child.param);
    return param ? *param : kFallback;
}

// One resolution of all children against a parent size that may be unknown (wrap content).
class Resolver {
public:
    Resolver(const std::vector<SLayoutChild>& children, Coord width, Coord height)
        : children(children),
          parentSize{width, height},
          coords(children.size()),
          pendingOffset(children.size()) {
        for (size_t i = 0; i < children.size(); ++i) {
            const SAnchorLayoutParam& p = ParamOf(children[i]);
            pendingOffset[i][0] = p.offsetX != 0.0f;
            pendingOffset[i][1] = p.offsetY != 0.0f;
        }
    }

    void Run() {
        for (;;) {
            bool resolvedInA = false;
            while (PassA()) resolvedInA = true;
            if (!resolvedInA) return;
            while (PassB()) {
            }
        }
    }

    Coord Get(size_t i, Edge e) const { return coords[i][e]; }

private:
    // Returns whether anything was resolved.
    bool PassA() {
        bool resolved = false;
        for (size_t i = 0; i < children.size(); ++i) {
            const SAnchorLayoutParam& p = ParamOf(children[i]);
            resolved |= Resolve(i, kLeft, [&] { return Evaluate(i, p.count >= 2 ? p.x1 : kDefaultX, true); });
            resolved |= Resolve(i, kTop, [&] { return Evaluate(i, p.count >= 2 ? p.y1 : kDefaultY, false); });
            resolved |= Resolve(i, kRight, [&] { return FarEdge(i, p.width, p.x2, p.count, true); });
            resolved |= Resolve(i, kBottom, [&] { return FarEdge(i, p.height, p.y2, p.count, false); });
        }
        return resolved;
    }

    bool PassB() {
        bool changed = false;
        for (size_t i = 0; i < children.size(); ++i) {
            auto& c = coords[i];
            if (!c[kLeft] || !c[kTop]) continue;
            const SAnchorLayoutParam& p = ParamOf(children[i]);
            const bool wrapX = !c[kRight] && p.width.IsWrapContent();
            const bool wrapY = !c[kBottom] && p.height.IsWrapContent();
            if (wrapX || wrapY) {
                const int offerX = c[kRight] ? *c[kRight] - *c[kLeft] : parentSize[0].value_or(-1);
                const int offerY = c[kBottom] ? *c[kBottom] - *c[kTop] : parentSize[1].value_or(-1);
                const SIZE desired =
                    children[i].desiredSize ? children[i].desiredSize(offerX, offerY) : SIZE{};
                if (wrapX) c[kRight] = Clamped(std::int64_t(*c[kLeft]) + desired.cx);
                if (wrapY) c[kBottom] = Clamped(std::int64_t(*c[kTop]) + desired.cy);
                changed = true;
            }
            // Shifts the child by a fraction of its size once that size is known.
            auto applyOffset = [&](int axis, Edge nearEdge, Edge farEdge, float fraction) {
                if (!c[farEdge] || !pendingOffset[i][axis]) return;
                const int shift = Clamped(float(*c[farEdge] - *c[nearEdge]) * fraction);
                c[nearEdge] = Clamped(std::int64_t(*c[nearEdge]) + shift);
                c[farEdge] = Clamped(std::int64_t(*c[farEdge]) + shift);
                pendingOffset[i][axis] = false;
                changed = true;
            };
            applyOffset(0, kLeft, kRight, p.offsetX);
            applyOffset(1, kTop, kBottom, p.offsetY);
        }
        return changed;
    }

    template <class F>
    bool Resolve(size_t i, Edge e, F evaluate) {
        if (coords[i][e]) return false;
        coords[i][e] = evaluate();
        return coords[i][e].has_value();
    }

    Coord FarEdge(size_t i, const SLayoutSize& size, const SPositionItem& second, int count,
                  bool horizontal) {
        const Coord& nearEdge = coords[i][horizontal ? kLeft : kTop];
        if (size.IsMatchParent()) return parentSize[horizontal ? 0 : 1];
        if (size.IsSpecified())
            return nearEdge ? Coord(Clamped(std::int64_t(*nearEdge) + size.ToPixels(children[i].scale)))
                            : std::nullopt;
        if (!size.IsWrapContent() && count == 4) return Evaluate(i, second, horizontal);
        return std::nullopt;
    }

    // Index of the participating sibling with `id`, or -1.
    int SiblingById(int id) const {
        for (size_t k = 0; k < children.size(); ++k)
            if (children[k].id == id) return static_cast<int>(k);
        return -1;
    }

    Coord Evaluate(size_t i, const SPositionItem& item, bool horizontal) const {
        const Coord& parent = parentSize[horizontal ? 0 : 1];
        const Edge nearEdge = horizontal ? kLeft : kTop;
        const Edge farEdge = horizontal ? kRight : kBottom;
        const int distance = item.distance.ToPixels(children[i].scale);
        Coord base;
        switch (item.kind) {
            case SPositionItem::kFromEdge:
            case SPositionItem::kExtent:
                if (item.sign > 0) return distance;
                base = parent;
                break;
            case SPositionItem::kCenter:
                if (!parent) return std::nullopt;
                base = *parent / 2;
                break;
            case SPositionItem::kPercent: {
                if (!parent) return std::nullopt;
                const float percent = std::clamp(item.distance.value, 0.0f, 100.0f);
                return Clamped(item.sign > 0 ? *parent * percent / 100.0f
                                             : (100.0f - percent) * *parent / 100.0f);
            }
            case SPositionItem::kAfterPrev:
                base = i == 0 ? Coord(0) : coords[i - 1][farEdge];
                break;
            case SPositionItem::kWithPrev:
                base = i == 0 ? Coord(0) : coords[i - 1][nearEdge];
                break;
            case SPositionItem::kBeforeNext:
                base = i + 1 == children.size() ? parent : coords[i + 1][nearEdge];
                break;
            case SPositionItem::kWithNext:
                base = i + 1 == children.size() ? parent : coords[i + 1][farEdge];
                break;
            case SPositionItem::kSiblingNear: {
                const int k = SiblingById(item.siblingId);
                base = k < 0 ? Coord(0) : coords[size_t(k)][nearEdge];
                break;
            }
            case SPositionItem::kSiblingFar: {
                const int k = SiblingById(item.siblingId);
                base = k < 0 ? parent : coords[size_t(k)][farEdge];
                break;
            }
        }
        if (!base) return std::nullopt;
        return Clamped(std::int64_t(*base) + item.sign * std::int64_t(distance));
    }

    const std::vector<SLayoutChild>& children;
    const Coord parentSize[2];
    std::vector<std::array<Coord, 4>> coords;
    std::vector<std::array<bool, 2>> pendingOffset;
};

}  // namespace

std::vector<RECT> SAnchorLayout::CalculateLayout(const std::vector<SLayoutChild>& children,
                                                 const RECT& client) const {
    Resolver resolver(children, client.right - client.left, client.bottom - client.top);
    resolver.Run();
    std::vector<RECT> rects;
    rects.reserve(children.size());
    for (size_t i = 0; i < children.size(); ++i) {
        auto at = [&](Edge e) { return resolver.Get(i, e).value_or(0); };
        rects.push_back(RECT{client.left + at(kLeft), client.top + at(kTop), client.left + at(kRight),
                             client.top + at(kBottom)});
    }
    return rects;
}

SIZE SAnchorLayout::MeasureContent(const std::vector<SLayoutChild>& children, int width, int height) const {
    Resolver resolver(children, width < 0 ? Coord() : Coord(width), height < 0 ? Coord() : Coord(height));
    resolver.Run();
    SIZE content{};
    for (size_t i = 0; i < children.size(); ++i) {
        const SAnchorLayoutParam& p = ParamOf(children[i]);
        auto extent = [&](Edge nearEdge, Edge farEdge, const SPositionItem& second) {
            int edge = resolver.Get(i, farEdge).value_or(resolver.Get(i, nearEdge).value_or(0));
            // A second corner measured from the far edge needs that much room beyond the child.
            if (p.count == 4 && !resolver.Get(i, farEdge) && second.kind == SPositionItem::kFromEdge &&
                second.sign < 0)
                edge += second.distance.ToPixels(children[i].scale);
            return edge;
        };
        content.cx = std::max<LONG>(content.cx, extent(kLeft, kRight, p.x2));
        content.cy = std::max<LONG>(content.cy, extent(kTop, kBottom, p.y2));
    }
    return content;
}
