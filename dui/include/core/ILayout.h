// The layout seam. Every window owns a layout object (ILayout, made by the factory from the
// "layout" attribute; the anchor layout by default) that places its children, and every child
// carries an ILayoutParam made by its parent's layout that holds the child's position attributes.
//
// Engines are pure: they take the participating children as SLayoutChild values and return
// rectangles; SWindow applies them. Content is measured only through SLayoutChild::desiredSize,
// so text measurement never reaches the engines and tests can feed fixed sizes.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dui/include/core/SLayoutSize.h"
#include "dui/include/core/SObject.h"
#include "support/WinTypes.h"

enum class Orientation { kHorizontal, kVertical };

class ILayoutParam {
public:
    virtual ~ILayoutParam() = default;

    // The state before an element's attributes are applied.
    virtual void Clear() = 0;
    // The state of a window made by program: match parent in both directions.
    virtual void SetMatchParent() = 0;
    // Position attributes; kDeclined for names this parameter type does not know.
    virtual AttrResult ApplyAttribute(std::wstring_view name, const std::wstring& value) = 0;

    virtual SLayoutSize GetSize(Orientation orientation) const = 0;
    bool IsWrapContent(Orientation o) const { return GetSize(o).IsWrapContent(); }
    bool IsMatchParent(Orientation o) const { return GetSize(o).IsMatchParent(); }
};

// One participating child as an engine sees it.
struct SLayoutChild {
    const ILayoutParam* param = nullptr;
    int id = 0;
    int scale = 100;
    // Content size given the width and height on offer (-1 = not known).
    std::function<SIZE(int width, int height)> desiredSize;
};

class ILayout : public SObject {
public:
    static constexpr ObjectKind kClassKind = ObjectKind::kLayout;
    ObjectKind GetObjectKind() const override { return kClassKind; }

    virtual std::unique_ptr<ILayoutParam> CreateLayoutParam() const = 0;
    virtual bool IsParamAcceptable(const ILayoutParam& param) const = 0;

    // Rectangles of `children` (same order) inside the parent's client rectangle `client`.
    virtual std::vector<RECT> CalculateLayout(const std::vector<SLayoutChild>& children,
                                              const RECT& client) const = 0;
    // Size the children need; `width`/`height` are the parent's client size or -1 when that
    // direction is wrap content.
    virtual SIZE MeasureContent(const std::vector<SLayoutChild>& children, int width, int height) const = 0;
};
