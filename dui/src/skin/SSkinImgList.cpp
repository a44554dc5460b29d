#include "dui/src/skin/SSkinImgList.h"

#include "dui/include/core/IRenderTarget.h"
#include "dui/include/core/SAppContext.h"
#include "dui/include/core/SAttrTable.h"

AttrResult SSkinImgList::ApplyAttribute(std::wstring_view name, const std::wstring& value, bool) {
    static const SAttrTable<SSkinImgList> table{
        {L"src",
         [](SSkinImgList& s, const std::wstring& v, bool) {
             SAppContext* context = SAppContext::Current();
             s.picture = context ? context->GetResProviderMgr().LoadImage(v) : nullptr;
             return s.picture ? AttrResult::kOk : AttrResult::kFailed;
         }},
        {L"states",
         [](SSkinImgList& s, const std::wstring& v, bool) {
             const long n = ParseIntAuto(v);
             if (n < 1) return AttrResult::kFailed;
             s.states = static_cast<int>(n);
             return AttrResult::kOk;
         }},
        {L"vertical",
         [](SSkinImgList& s, const std::wstring& v, bool) {
             s.vertical = ParseFlag(v);
             return AttrResult::kOk;
         }},
        {L"tile",
         [](SSkinImgList& s, const std::wstring& v, bool) {
             s.tile = ParseFlag(v);
             return AttrResult::kOk;
         }},
        {L"scale",
         [](SSkinImgList& s, const std::wstring& v, bool) {
             s.scale = static_cast<int>(ParseIntAuto(v));
             return AttrResult::kOk;
         }},
    };
    return table.Apply(*this, name, value, false);
}

SIZE SSkinImgList::GetSkinSize() const {
    if (!picture) return {};
    return vertical ? SIZE{picture->Width(), picture->Height() / states}
                    : SIZE{picture->Width() / states, picture->Height()};
}

RECT SSkinImgList::StateRect(int state) const {
    const SIZE size = GetSkinSize();
    return vertical ? RECT{0, state * size.cy, size.cx, (state + 1) * size.cy}
                    : RECT{state * size.cx, 0, (state + 1) * size.cx, size.cy};
}

void SSkinImgList::Draw(IRenderTarget& rt, const RECT& rc, int state, BYTE alpha) const {
    if (!picture || state < 0 || state >= states) return;
    DrawState(rt, rc, StateRect(state), alpha);
}

void SSkinImgList::DrawState(IRenderTarget& rt, const RECT& rc, const RECT& src, BYTE alpha) const {
    rt.DrawBitmap(rc, *picture, src, alpha, tile ? ExpandMode::Tile : ExpandMode::Stretch);
}
