#include "dui/src/skin/SSkinGif.h"

#include "dui/include/core/IRenderTarget.h"
#include "dui/include/core/SAppContext.h"

AttrResult SSkinGif::ApplyAttribute(std::wstring_view name, const std::wstring& value, bool) {
    if (EqualsNoCase(name, L"src")) {
        SAppContext* context = SAppContext::Current();
        image = context ? context->GetResProviderMgr().LoadImgX(value) : nullptr;
        return image ? AttrResult::kOk : AttrResult::kFailed;
    }
    return AttrResult::kDeclined;
}

SIZE SSkinGif::GetSkinSize() const {
    return image ? SIZE{image->Width(), image->Height()} : SIZE{};
}

void SSkinGif::Draw(IRenderTarget& rt, const RECT& rc, int frame, BYTE alpha) const {
    const std::shared_ptr<IBitmap> bitmap = image ? image->GetFrame(frame) : nullptr;
    if (!bitmap) return;
    rt.DrawBitmap(rc, *bitmap, RECT{0, 0, bitmap->Width(), bitmap->Height()}, alpha, ExpandMode::Stretch);
}
