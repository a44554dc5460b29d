#include "dui/src/res.mgr/SResProviderBase.h"

#include "dui/include/core/SAppContext.h"
#include "dui/src/res.mgr/SIconFile.h"
#include "support/TextConvert.h"

namespace {

thread_local unsigned lastResError = 0;

IRenderFactory* RenderFactory() {
    SAppContext* context = SAppContext::Current();
    return context ? context->GetRenderFactory() : nullptr;
}

}  // namespace

unsigned SResLastError() {
    return lastResError;
}
void SetResLastError(unsigned error) {
    lastResError = error;
}

std::string ResKey(std::wstring_view type, std::wstring_view name) {
    return ResKey(WideToUtf8(type), WideToUtf8(name));
}

bool ReadWholeResource(IResProvider& provider, std::wstring_view type, std::wstring_view name,
                       std::string& bytes) {
    const std::size_t size = provider.ResourceSize(type, name);
    if (size == 0) return false;
    bytes.resize(size);
    return provider.ReadResource(type, name, bytes.data(), bytes.size());
}

std::shared_ptr<IBitmap> SResProviderBase::LoadIconRes(std::wstring_view name, int cx, int) {
    IRenderFactory* factory = RenderFactory();
    std::string bytes;
    if (!factory || !ReadWholeResource(*this, L"ICON", name, bytes)) return nullptr;
    std::string_view image = bytes;
    if (PickIconImage(bytes, cx, image) || image.starts_with("\x89PNG"))
        return factory->LoadBitmap(image.data(), image.size());
    return nullptr;
}

std::shared_ptr<IBitmap> SResProviderBase::LoadImageRes(std::wstring_view type, std::wstring_view name) {
    IRenderFactory* factory = RenderFactory();
    std::string bytes;
    if (!factory || !ReadWholeResource(*this, type, name, bytes)) return nullptr;
    return factory->LoadBitmap(bytes.data(), bytes.size());
}

std::shared_ptr<IImgX> SResProviderBase::LoadImgXRes(std::wstring_view type, std::wstring_view name) {
    IRenderFactory* factory = RenderFactory();
    std::string bytes;
    if (!factory || !ReadWholeResource(*this, type, name, bytes)) return nullptr;
    return factory->LoadImgX(bytes.data(), bytes.size());
}
