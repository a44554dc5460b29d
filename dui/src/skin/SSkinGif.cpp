#include "dui/src/skin/SSkinGif.h"

#include "dui/include/core/IRenderTarget.h"
#include "dui/include/core/SAppContext.h"
#include "dui/src/skin/PictureScale.h"

AttrResult SSkinGif::ApplyAttribute(std::wstring_view name, const std::wstring& value, bool) {
    if (EqualsNoCase(name, L"src")) {
        SAppContext* context = SAppContext::Current();
        image = context ? context->GetResProviderMgr().LoadImgX(value) : nullptr;
        srcId = value;
        imageScale = scale;
        return image ? AttrResult::kOk : AttrResult::kFailed;
    }
    return AttrResult::kDeclined;
}

SIZE SSkinGif::GetSkinSize() const {
    return image ? SIZE{ScaleLength(image->Width(), scale, imageScale),
                        ScaleLength(image->Height(), scale, imageScale)}
                 : SIZE{};
}

void SSkinGif::Draw(IRenderTarget& rt, const RECT& rc, int frame, BYTE alpha) const {
    const std::shared_ptr<IBitmap> bitmap = image ? image->GetFrame(frame) : nullptr;
    if (!bitmap) return;
    rt.DrawBitmap(rc, *bitmap, RECT{0, 0, bitmap->Width(), bitmap->Height()}, alpha, ExpandMode::Stretch);
}

SAutoRefPtr<ISkinObj> SSkinGif::Scaled(int target) const {
    SAppContext* context = SAppContext::Current();
    if (!image || srcId.empty() || context == nullptr || target <= 0) return nullptr;
    const SResProviderMgr& resources = context->GetResProviderMgr();
    const int from = PickPictureScale(target, [&](int candidate) {
        return candidate == imageScale || resources.HasResource(PictureVariantId(srcId, candidate));
    });
    if (from == 0) return nullptr;
    auto made = MakeRef<SSkinGif>();
    made->SetName(GetName());
    made->scale = target;
    made->srcId = srcId;
    made->imageScale = from;
    made->image = from == imageScale ? image : resources.LoadImgX(PictureVariantId(srcId, from));
    if (!made->image) return nullptr;
    return SAutoRefPtr<ISkinObj>(made.get());
}
