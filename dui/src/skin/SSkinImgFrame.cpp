#include "dui/src/skin/SSkinImgFrame.h"

#include "dui/include/core/IRenderTarget.h"
#include "dui/include/core/SAttrTable.h"
#include "dui/src/core/SRectText.h"
#include "dui/src/skin/PictureScale.h"

template <LONG RECT::*side>
AttrResult SSkinImgFrame::SetSide(SSkinImgFrame& skin, const std::wstring& value, bool) {
    skin.margin.*side = static_cast<LONG>(ParseIntAuto(value));
    return AttrResult::kOk;
}

AttrResult SSkinImgFrame::ApplyAttribute(std::wstring_view name, const std::wstring& value, bool loading) {
    static const SAttrTable<SSkinImgFrame> table{
        {L"margin",
         [](SSkinImgFrame& s, const std::wstring& v, bool) { return ParseMargins(v, 100, s.margin); }},
        {L"margin-x",
         [](SSkinImgFrame& s, const std::wstring& v, bool) {
             s.margin.left = s.margin.right = static_cast<LONG>(ParseIntAuto(v));
             return AttrResult::kOk;
         }},
        {L"margin-y",
         [](SSkinImgFrame& s, const std::wstring& v, bool) {
             s.margin.top = s.margin.bottom = static_cast<LONG>(ParseIntAuto(v));
             return AttrResult::kOk;
         }},
        {L"left", SetSide<&RECT::left>},
        {L"top", SetSide<&RECT::top>},
        {L"right", SetSide<&RECT::right>},
        {L"bottom", SetSide<&RECT::bottom>}};
    const AttrResult result = table.Apply(*this, name, value, loading);
    return result != AttrResult::kDeclined ? result : SSkinImgList::ApplyAttribute(name, value, loading);
}

void SSkinImgFrame::DrawState(IRenderTarget& rt, const RECT& rc, const RECT& src, BYTE alpha) const {
    const bool plain = margin.left == 0 && margin.top == 0 && margin.right == 0 && margin.bottom == 0;
    const ExpandMode mode = tile ? ExpandMode::Tile : ExpandMode::Stretch;
    if (plain)
        rt.DrawBitmap(rc, *picture, src, alpha, mode);
    else
        rt.DrawBitmap9(rc, *picture, src, margin, alpha, mode);
}

void SSkinImgFrame::CopyScaled(SSkinImgList& into, int target) const {
    SSkinImgList::CopyScaled(into, target);
    const auto side = [&](LONG length) { return static_cast<LONG>(ScaleLength(length, target, scale)); };
    static_cast<SSkinImgFrame&>(into).margin =
        RECT{side(margin.left), side(margin.top), side(margin.right), side(margin.bottom)};
}
