#include "dui/src/layout/SAnchorLayoutParam.h"

#include <cwchar>

#include "dui/include/core/SStringUtil.h"

namespace {

// The second-corner rule: both far edges at 0 is match parent, an extent is the size itself
// ("-" meaning wrap content), anything else leaves the two corners to define it.
SLayoutSize SizeFromCorners(const SPositionItem& first, const SPositionItem& second) {
    const bool zero1 =
        first.kind == SPositionItem::kFromEdge && first.sign > 0 && first.distance.value == 0.0f;
    const bool zero2 =
        second.kind == SPositionItem::kFromEdge && second.sign < 0 && second.distance.value == 0.0f;
    if (zero1 && zero2) return SLayoutSize::MatchParent();
    if (second.kind == SPositionItem::kExtent)
        return second.sign < 0 ? SLayoutSize::WrapContent() : second.distance;
    return SLayoutSize::Undefined();
}

}  // namespace

bool SPositionItem::Parse(std::wstring_view text, SPositionItem& item) {
    SPositionItem parsed;
    std::wstring rest = Trim(text);
    if (StartsWithNoCase(rest, L"sib.")) {
        rest.erase(0, 4);
        const size_t at = rest.find(L'@');
        if (at == std::wstring::npos) return false;
        const std::wstring edge = ToLowerAscii(std::wstring_view(rest).substr(0, at));
        if (edge == L"left" || edge == L"top")
            parsed.kind = kSiblingNear;
        else if (edge == L"right" || edge == L"bottom")
            parsed.kind = kSiblingFar;
        else
            return false;
        const std::wstring ref = rest.substr(at + 1);
        const size_t colon = ref.find(L':');
        if (colon == std::wstring::npos) return false;
        parsed.siblingId = static_cast<int>(ParseIntAuto(std::wstring_view(ref).substr(0, colon)));
        if (parsed.siblingId == 0) return false;
        std::wstring distance = Trim(std::wstring_view(ref).substr(colon + 1));
        if (!distance.empty() && distance[0] == L'-') {
            parsed.sign = -1;
            distance.erase(0, 1);
        }
        parsed.distance = SLayoutSize::Parse(distance);
        item = parsed;
        return true;
    }
    if (!rest.empty()) {
        static constexpr std::wstring_view kPrefixes = L"|%[{]}@";
        static constexpr Kind kKinds[] = {kCenter,     kPercent,  kAfterPrev, kWithPrev,
                                          kBeforeNext, kWithNext, kExtent};
        const size_t prefix = kPrefixes.find(rest[0]);
        if (prefix != std::wstring_view::npos) {
            parsed.kind = kKinds[prefix];
            rest.erase(0, 1);
        }
    }
    if (!rest.empty() && rest[0] == L'-') {
        parsed.sign = -1;
        rest.erase(0, 1);
    }
    parsed.distance = SLayoutSize::Parse(rest);
    item = parsed;
    return true;
}

void SAnchorLayoutParam::Clear() {
    count = 0;
    x1 = y1 = x2 = y2 = SPositionItem();
    width = SLayoutSize::WrapContent();
    height = SLayoutSize::WrapContent();
    offsetX = offsetY = 0.0f;
}

void SAnchorLayoutParam::SetMatchParent() {
    Clear();
    width = SLayoutSize::MatchParent();
    height = SLayoutSize::MatchParent();
}

AttrResult SAnchorLayoutParam::ApplyPos(const std::wstring& value) {
    const std::vector<std::wstring> parts = Split(value, L',');
    if (parts.size() != 2 && parts.size() != 4) return AttrResult::kFailed;
    SPositionItem items[4];
    for (size_t i = 0; i < parts.size(); ++i)
        if (!SPositionItem::Parse(parts[i], items[i])) return AttrResult::kFailed;
    count = static_cast<int>(parts.size());
    x1 = items[0];
    y1 = items[1];
    if (count == 4) {
        x2 = items[2];
        y2 = items[3];
        width = SizeFromCorners(x1, x2);
        height = SizeFromCorners(y1, y2);
    } else {
        if (width.IsUndefined()) width = SLayoutSize::WrapContent();
        if (height.IsUndefined()) height = SLayoutSize::WrapContent();
    }
    return AttrResult::kOk;
}

AttrResult SAnchorLayoutParam::ApplyAttribute(std::wstring_view name, const std::wstring& value) {
    if (EqualsNoCase(name, L"pos")) return ApplyPos(value);
    if (EqualsNoCase(name, L"width")) {
        width = SLayoutSize::ParseWidthHeight(value);
        return AttrResult::kOk;
    }
    if (EqualsNoCase(name, L"height")) {
        height = SLayoutSize::ParseWidthHeight(value);
        return AttrResult::kOk;
    }
    if (EqualsNoCase(name, L"size"))
        return SLayoutSize::ParseSizePair(value, width, height) ? AttrResult::kOk : AttrResult::kFailed;
    if (EqualsNoCase(name, L"offset")) {
        float x = 0, y = 0;
        if (std::swscanf(value.c_str(), L"%f,%f", &x, &y) != 2) return AttrResult::kFailed;
        offsetX = x;
        offsetY = y;
        return AttrResult::kOk;
    }
    return AttrResult::kDeclined;
}
