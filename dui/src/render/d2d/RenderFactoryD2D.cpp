#include "dui/src/render/d2d/RenderFactoryD2D.h"

#include "dui/src/render/ImgXFrames.h"
#include "dui/src/render/d2d/BitmapD2D.h"
#include "dui/src/render/d2d/FontDWrite.h"
#include "dui/src/render/d2d/RenderTargetD2D.h"

namespace {

// Faces that draw Chinese, in order of preference: what Windows ships (Chinese and English
// editions alike), then what a Wine prefix sees of a Linux machine's fonts; last a Latin face every
// Windows has, which leaves Chinese to DirectWrite's own fallback.
constexpr const wchar_t* kFallbackFamilies[] = {
    L"Microsoft YaHei",     L"SimSun",           L"SimHei", L"Microsoft JhengHei",
    L"WenQuanYi Micro Hei", L"Noto Sans CJK SC", L"Tahoma"};

}  // namespace

RenderFactoryD2D::RenderFactoryD2D(std::shared_ptr<IImgDecoderFactory> decoder,
                                   std::unique_ptr<D2DContext> context)
    : decoder_(std::move(decoder)), context_(std::move(context)) {}

std::unique_ptr<IRenderTarget> RenderFactoryD2D::CreateRenderTarget(SIZE size) {
    return RenderTargetD2D::Create(*context_, size);
}

std::shared_ptr<IFont> RenderFactoryD2D::CreateFont(const FontDesc& desc) {
    const FontKey key{desc.face, desc.size, desc.bold, desc.italic, desc.underline, desc.strike};
    auto& font = fonts_[key];
    if (!font) font = FontDWrite::Create(*context_, desc, InstalledFamily(desc.face));
    return font;
}

bool RenderFactoryD2D::HasFontFace(const std::wstring& face) {
    UINT32 index = 0;
    BOOL exists = FALSE;
    // Matches the family's names in every language, so "微软雅黑" finds "Microsoft YaHei".
    return !face.empty() &&
           SUCCEEDED(context_->SystemFonts().FindFamilyName(face.c_str(), &index, &exists)) && exists;
}

std::wstring RenderFactoryD2D::InstalledFamily(const std::wstring& face) {
    if (HasFontFace(face)) return face;
    for (const wchar_t* family : kFallbackFamilies)
        if (HasFontFace(family)) return family;
    return face;  // DirectWrite's own fallback is all that is left
}

std::shared_ptr<IBitmap> RenderFactoryD2D::CreateBitmap(const ImgFrame& frame) {
    return BitmapD2D::Create(frame);
}

std::shared_ptr<IBitmap> RenderFactoryD2D::LoadBitmap(const void* data, std::size_t size) {
    const std::vector<ImgFrame> frames = decoder_->Decode(data, size);
    return frames.empty() ? nullptr : BitmapD2D::Create(frames.front());
}

std::shared_ptr<IImgX> RenderFactoryD2D::LoadImgX(const void* data, std::size_t size) {
    return ImgXFrames::Create(decoder_->Decode(data, size), BitmapD2D::Create);
}

std::unique_ptr<IRenderFactory> CreateRenderFactory(std::shared_ptr<IImgDecoderFactory> decoder) {
    if (!decoder) decoder = CreateImgDecoderFactory();
    auto context = std::make_unique<D2DContext>();
    // Without Direct2D there is nothing to draw with; the caller sees no factory.
    if (!context->Start()) return nullptr;
    return std::make_unique<RenderFactoryD2D>(std::move(decoder), std::move(context));
}
