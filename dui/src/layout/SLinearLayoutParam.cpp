#include "dui/src/layout/SLinearLayoutParam.h"

#include <cmath>
#include <cwchar>

#include "dui/include/core/SAttrTable.h"

bool ParseGravity(std::wstring_view text, LayoutGravity& gravity) {
    if (text == L"left" || text == L"top")
        gravity = LayoutGravity::kNear;
    else if (text == L"center")
        gravity = LayoutGravity::kCenter;
    else if (text == L"right" || text == L"bottom")
        gravity = LayoutGravity::kFar;
    else
        return false;
    return true;
}

void SLinearLayoutParam::Clear() {
    width = height = SLayoutSize::WrapContent();
    weight = 0.0f;
    gravity = LayoutGravity::kUnset;
    extendLeft = extendTop = extendRight = extendBottom = SLayoutSize();
}

void SLinearLayoutParam::SetMatchParent() {
    Clear();
    width = height = SLayoutSize::MatchParent();
}

AttrResult SLinearLayoutParam::ApplyAttribute(std::wstring_view name, const std::wstring& value) {
    using P = SLinearLayoutParam;
    using V = const std::wstring&;
    static const SAttrTable<P> table{
        {L"width",
         [](P& p, V v, bool) {
             p.width = SLayoutSize::ParseWidthHeight(v);
             return AttrResult::kOk;
         }},
        {L"height",
         [](P& p, V v, bool) {
             p.height = SLayoutSize::ParseWidthHeight(v);
             return AttrResult::kOk;
         }},
        {L"size",
         [](P& p, V v, bool) {
             return SLayoutSize::ParseSizePair(v, p.width, p.height) ? AttrResult::kOk : AttrResult::kFailed;
         }},
        {L"weight",
         [](P& p, V v, bool) {
             const float weight = std::wcstof(v.c_str(), nullptr);
             if (!std::isfinite(weight) || weight < 0.0f) return AttrResult::kFailed;
             p.weight = weight;
             return AttrResult::kOk;
         }},
        {L"layout_gravity",
         [](P& p, V v, bool) { return ParseGravity(v, p.gravity) ? AttrResult::kOk : AttrResult::kFailed; }},
        {L"extend",
         [](P& p, V v, bool) {
             const std::vector<std::wstring> parts = Split(v, L',');
             if (parts.size() != 4) return AttrResult::kFailed;
             p.extendLeft = SLayoutSize::Parse(parts[0]);
             p.extendTop = SLayoutSize::Parse(parts[1]);
             p.extendRight = SLayoutSize::Parse(parts[2]);
             p.extendBottom = SLayoutSize::Parse(parts[3]);
             return AttrResult::kOk;
         }},
        {L"extend_left",
         [](P& p, V v, bool) {
             p.extendLeft = SLayoutSize::Parse(v);
             return AttrResult::kOk;
         }},
        {L"extend_top",
         [](P& p, V v, bool) {
             p.extendTop = SLayoutSize::Parse(v);
             return AttrResult::kOk;
         }},
        {L"extend_right",
         [](P& p, V v, bool) {
             p.extendRight = SLayoutSize::Parse(v);
             return AttrResult::kOk;
         }},
        {L"extend_bottom",
         [](P& p, V v, bool) {
             p.extendBottom = SLayoutSize::Parse(v);
             return AttrResult::kOk;
         }},
    };
    return table.Apply(*this, name, value, true);
}
