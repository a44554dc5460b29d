#include "dui/src/skin/SSkinImgList.h"

#include <algorithm>
#include <vector>

#include "dui/include/core/IRenderTarget.h"
#include "dui/include/core/SAppContext.h"
#include "dui/include/core/SAttrTable.h"
#include "dui/src/render/Resample.h"
#include "dui/src/skin/PictureScale.h"

AttrResult SSkinImgList::ApplyAttribute(std::wstring_view name, const std::wstring& value, bool) {
    static const SAttrTable<SSkinImgList> table{
        {L"src",
         [](SSkinImgList& s, const std::wstring& v, bool) {
             SAppContext* context = SAppContext::Current();
             s.picture = context ? context->GetResProviderMgr().LoadImage(v) : nullptr;
             s.srcId = v;
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

void SSkinImgList::CopyScaled(SSkinImgList& into, int target) const {
    into.SetName(GetName());
    into.scale = target;
    into.states = states;
    into.vertical = vertical;
    into.tile = tile;
    into.srcId = srcId;
}

SAutoRefPtr<ISkinObj> SSkinImgList::Scaled(int target) const {
    SAppContext* context = SAppContext::Current();
    IRenderFactory* factory = context != nullptr ? context->GetRenderFactory() : nullptr;
    if (!picture || srcId.empty() || factory == nullptr || target <= 0) return nullptr;
    const SResProviderMgr& resources = context->GetResProviderMgr();
    const int from = PickPictureScale(target, [&](int candidate) {
        return candidate == scale || resources.HasResource(PictureVariantId(srcId, candidate));
    });
    if (from == 0) return nullptr;
    const std::shared_ptr<IBitmap> source =
        from == scale ? picture : resources.LoadImage(PictureVariantId(srcId, from));
    if (!source) return nullptr;

    SAutoRefPtr<SSkinImgList> made = MakeEmpty();
    CopyScaled(*made, target);
    if (from == target) {
        made->picture = source;
        return SAutoRefPtr<ISkinObj>(made.get());
    }
    // Each state is scaled on its own, so the strip keeps whole cells at the new size.
    const int srcCell = vertical ? source->Height() / states : source->Width() / states;
    const int srcOther = vertical ? source->Width() : source->Height();
    const int cell = std::max(1, ScaleLength(srcCell, target, from));
    const int other = std::max(1, ScaleLength(srcOther, target, from));
    std::vector<ResamplePart> parts;
    for (int i = 0; i < states; ++i) {
        parts.push_back(vertical ? ResamplePart{RECT{0, i * srcCell, srcOther, (i + 1) * srcCell},
                                                RECT{0, i * cell, other, (i + 1) * cell}}
                                 : ResamplePart{RECT{i * srcCell, 0, (i + 1) * srcCell, srcOther},
                                                RECT{i * cell, 0, (i + 1) * cell, other}});
    }
    const SIZE size = vertical ? SIZE{other, cell * states} : SIZE{cell * states, other};
    made->picture = factory->CreateBitmap(ResampleFrame(*factory, *source, size, parts));
    if (!made->picture) return nullptr;
    return SAutoRefPtr<ISkinObj>(made.get());
}
