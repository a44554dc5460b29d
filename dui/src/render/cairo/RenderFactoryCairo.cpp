#include "dui/src/render/cairo/RenderFactoryCairo.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>

#include <cstdlib>
#include <cwctype>

#include "dui/src/render/ImgXFrames.h"
#include "dui/src/render/cairo/BitmapCairo.h"
#include "dui/src/render/cairo/FontPango.h"
#include "dui/src/render/cairo/RenderTargetCairo.h"
#include "support/TextConvert.h"

namespace {

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return text;
}

// Every family name fontconfig knows, in all the languages a font lists (so "文泉驿微米黑" counts).
std::set<std::wstring> InstalledFamilies() {
    std::set<std::wstring> names;
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    for (int i = 0; fonts != nullptr && i < fonts->nfont; ++i) {
        FcChar8* family = nullptr;
        for (int n = 0; FcPatternGetString(fonts->fonts[i], FC_FAMILY, n, &family) == FcResultMatch; ++n)
            names.insert(Lower(Utf8ToWide(reinterpret_cast<const char*>(family))));
    }
    if (fonts != nullptr) FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return names;
}

}  // namespace

// Pango loads fontconfig's font lists once per process and never frees them (its font map lives
// until exit); tell the leak checker of sanitizer builds so it reports only our own losses.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

RenderFactoryCairo::RenderFactoryCairo(std::shared_ptr<IImgDecoderFactory> decoder)
    : decoder_(std::move(decoder)),
      context_(pango_font_map_create_context(pango_cairo_font_map_get_default())) {
    // Fixed options rather than the desktop's: grey antialiasing, slight hinting, whole-pixel metrics.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    pango_cairo_context_set_font_options(context_.get(), options);
    cairo_font_options_destroy(options);
}

std::unique_ptr<IRenderTarget> RenderFactoryCairo::CreateRenderTarget(SIZE size) {
    return RenderTargetCairo::Create(size);
}

std::shared_ptr<IFont> RenderFactoryCairo::CreateFont(const FontDesc& desc) {
    const FontKey key{desc.face, desc.size, desc.bold, desc.italic, desc.underline, desc.strike};
    auto& font = fonts_[key];
    if (!font) font = std::make_shared<FontPango>(context_.get(), desc);
    return font;
}

bool RenderFactoryCairo::HasFontFace(const std::wstring& face) {
    if (faces_.empty()) faces_ = InstalledFamilies();
    return faces_.count(Lower(face)) != 0;
}

std::shared_ptr<IBitmap> RenderFactoryCairo::CreateBitmap(const ImgFrame& frame) {
    return BitmapCairo::Create(frame);
}

std::shared_ptr<IBitmap> RenderFactoryCairo::LoadBitmap(const void* data, std::size_t size) {
    const std::vector<ImgFrame> frames = decoder_->Decode(data, size);
    return frames.empty() ? nullptr : BitmapCairo::Create(frames.front());
}

std::shared_ptr<IImgX> RenderFactoryCairo::LoadImgX(const void* data, std::size_t size) {
    return ImgXFrames::Create(decoder_->Decode(data, size), BitmapCairo::Create);
}

std::unique_ptr<IRenderFactory> CreateRenderFactory(std::shared_ptr<IImgDecoderFactory> decoder) {
    if (!decoder) decoder = CreateImgDecoderFactory();
    return std::make_unique<RenderFactoryCairo>(std::move(decoder));
}
