#include "dui/src/render/d2d/RenderTargetD2D.h"

#include <algorithm>

#include "dui/src/render/NineGrid.h"
#include "dui/src/render/PremultipliedColor.h"
#include "dui/src/render/d2d/BitmapD2D.h"
#include "dui/src/render/d2d/FontDWrite.h"
#include "dui/src/render/d2d/WicPng.h"
#include "support/TextConvert.h"

namespace {

// The dotted pen of the focus rectangle: every other pixel, dark and partly transparent.
constexpr std::uint32_t kFocusDot = 0xA0000000u;  // black at 160, premultiplied

constexpr D2D1_PIXEL_FORMAT kPixelFormat{DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED};

std::uint64_t NextDomain() {
    static std::uint64_t last = 0;
    return ++last;
}

D2D1_RECT_F ToRectF(const RECT& r) {
    return D2D1_RECT_F{static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.right),
                       static_cast<float>(r.bottom)};
}

D2D1_COLOR_F ToColorF(COLORREF c) {
    return D2D1_COLOR_F{ColorRed(c) / 255.0f, ColorGreen(c) / 255.0f, ColorBlue(c) / 255.0f,
                        ColorAlpha(c) / 255.0f};
}

RECT Intersection(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

// A border `width` wide inside `rc` as four bands that never overlap, so a translucent colour
// is laid down once everywhere.
void FillBands(ID2D1RenderTarget& target, const RECT& rc, int width, ID2D1Brush& brush) {
    const RECT inner{rc.left + width, rc.top + width, rc.right - width, rc.bottom - width};
    if (IsRectEmpty(&inner)) {
        target.FillRectangle(ToRectF(rc), &brush);
        return;
    }
    for (const RECT& band :
         {RECT{rc.left, rc.top, rc.right, inner.top}, RECT{rc.left, inner.bottom, rc.right, rc.bottom},
          RECT{rc.left, inner.top, inner.left, inner.bottom},
          RECT{inner.right, inner.top, rc.right, inner.bottom}})
        target.FillRectangle(ToRectF(band), &brush);
}

ComPtr<ID2D1BitmapBrush> MakeFocusBrush(ID2D1RenderTarget& target) {
    const std::uint32_t checker[4] = {kFocusDot, 0, 0, kFocusDot};
    ComPtr<ID2D1Bitmap> pattern;
    ComPtr<ID2D1BitmapBrush> brush;
    const D2D1_BITMAP_PROPERTIES properties{kPixelFormat, 96.0f, 96.0f};
    if (FAILED(target.CreateBitmap(D2D1_SIZE_U{2, 2}, checker, 8, properties, pattern.GetAddressOf())))
        return nullptr;
    const D2D1_BITMAP_BRUSH_PROPERTIES repeat{D2D1_EXTEND_MODE_WRAP, D2D1_EXTEND_MODE_WRAP,
                                              D2D1_BITMAP_INTERPOLATION_MODE_NEAREST_NEIGHBOR};
    if (FAILED(target.CreateBitmapBrush(pattern.Get(), repeat, brush.GetAddressOf()))) return nullptr;
    return brush;
}

}  // namespace

std::unique_ptr<RenderTargetD2D> RenderTargetD2D::Create(const D2DContext& context, SIZE size) {
    if (size.cx <= 0 || size.cy <= 0) return nullptr;
    std::unique_ptr<RenderTargetD2D> target(new RenderTargetD2D(context, size));
    if (!target->MakeTarget()) return nullptr;
    return target;
}

RenderTargetD2D::RenderTargetD2D(const D2DContext& context, SIZE size) : context_(context), size_(size) {}

RenderTargetD2D::~RenderTargetD2D() {
    while (!layers_.empty()) PopOpacity();
    if (drawing_) target_->EndDraw();
}

bool RenderTargetD2D::MakeTarget() {
    ComPtr<IWICBitmap> surface;
    if (FAILED(context_.Wic().CreateBitmap(static_cast<UINT>(size_.cx), static_cast<UINT>(size_.cy),
                                           GUID_WICPixelFormat32bppPBGRA, WICBitmapCacheOnLoad,
                                           surface.GetAddressOf())))
        return false;
    const D2D1_RENDER_TARGET_PROPERTIES properties{
        D2D1_RENDER_TARGET_TYPE_DEFAULT, kPixelFormat, 96.0f, 96.0f, D2D1_RENDER_TARGET_USAGE_NONE,
        D2D1_FEATURE_LEVEL_DEFAULT};
    ComPtr<ID2D1RenderTarget> target;
    ComPtr<ID2D1SolidColorBrush> brush;
    if (FAILED(
            context_.D2D().CreateWicBitmapRenderTarget(surface.Get(), properties, target.GetAddressOf())) ||
        FAILED(target->CreateSolidColorBrush(D2D1_COLOR_F{0, 0, 0, 1}, brush.GetAddressOf())))
        return false;
    ComPtr<ID2D1BitmapBrush> focusBrush = MakeFocusBrush(*target.Get());
    if (!focusBrush) return false;
    // Grey antialiasing: sub-pixel colour fringes would be wrong on a surface with alpha.
    target->SetTextAntialiasMode(D2D1_TEXT_ANTIALIAS_MODE_GRAYSCALE);

    surface_ = std::move(surface);
    target_ = std::move(target);
    brush_ = std::move(brush);
    focusBrush_ = std::move(focusBrush);
    domain_ = NextDomain();
    drawing_ = false;
    clips_.clear();
    layers_.clear();
    spareLayers_.clear();
    pixels_.assign(static_cast<std::size_t>(size_.cx) * size_.cy, 0);
    Clear(RECT{0, 0, size_.cx, size_.cy}, 0);
    return true;
}

bool RenderTargetD2D::Resize(SIZE size) {
    if (size.cx <= 0 || size.cy <= 0) return false;
    while (!layers_.empty()) PopOpacity();
    if (drawing_) target_->EndDraw();
    drawing_ = false;
    const SIZE old = size_;
    size_ = size;
    if (MakeTarget()) return true;
    size_ = old;
    return false;
}

ID2D1RenderTarget& RenderTargetD2D::Drawing() {
    pixelsFresh_ = false;
    for (auto layer = layers_.rbegin(); layer != layers_.rend(); ++layer)
        if (layer->target) return *layer->target.Get();
    if (!drawing_) {
        target_->BeginDraw();
        drawing_ = true;
    }
    return *target_.Get();
}

ID2D1SolidColorBrush& RenderTargetD2D::Brush(COLORREF color) {
    brush_->SetColor(ToColorF(color));
    return *brush_.Get();
}

RECT RenderTargetD2D::CurrentClip() const {
    const RECT all{0, 0, size_.cx, size_.cy};
    const RECT clip = clips_.empty() ? all : Intersection(all, clips_.back());
    return IsRectEmpty(&clip) ? RECT{} : clip;
}

template <typename Draw>
void RenderTargetD2D::Clipped(const RECT& rc, Draw draw) {
    RECT clip = Intersection(rc, CurrentClip());
    if (!layers_.empty() && layers_.back().target) clip = Intersection(clip, layers_.back().bounds);
    if (IsRectEmpty(&clip)) return;
    ID2D1RenderTarget& target = Drawing();
    target.PushAxisAlignedClip(ToRectF(clip), D2D1_ANTIALIAS_MODE_ALIASED);
    draw(target);
    target.PopAxisAlignedClip();
}

void RenderTargetD2D::Clear(const RECT& rc, COLORREF color) {
    Clipped(rc, [&](ID2D1RenderTarget& target) { target.Clear(ToColorF(color)); });
}

void RenderTargetD2D::FillRect(const RECT& rc, COLORREF color) {
    if (ColorAlpha(color) == 0) return;
    Clipped(rc, [&](ID2D1RenderTarget& target) { target.FillRectangle(ToRectF(rc), &Brush(color)); });
}

void RenderTargetD2D::FrameRect(const RECT& rc, COLORREF color, int width) {
    if (ColorAlpha(color) == 0 || width <= 0) return;
    Clipped(rc, [&](ID2D1RenderTarget& target) { FillBands(target, rc, width, Brush(color)); });
}

void RenderTargetD2D::DrawFocusRect(const RECT& rc, int width) {
    Clipped(rc, [&](ID2D1RenderTarget& target) {
        FillBands(target, rc, std::max(width, 1), *focusBrush_.Get());
    });
}

void RenderTargetD2D::DrawBitmap(const RECT& dest, const IBitmap& bmp, const RECT& src, BYTE alpha,
                                 ExpandMode mode) {
    const RECT inside = Intersection(src, RECT{0, 0, bmp.Width(), bmp.Height()});
    if (IsRectEmpty(&inside) || alpha == 0) return;
    ID2D1Bitmap* part = static_cast<const BitmapD2D&>(bmp).Part(*target_.Get(), domain_, inside);
    if (part == nullptr) return;
    const float opacity = alpha / 255.0f;
    Clipped(dest, [&](ID2D1RenderTarget& target) {
        if (mode == ExpandMode::Tile) {
            const D2D1_BITMAP_BRUSH_PROPERTIES repeat{D2D1_EXTEND_MODE_WRAP, D2D1_EXTEND_MODE_WRAP,
                                                      D2D1_BITMAP_INTERPOLATION_MODE_NEAREST_NEIGHBOR};
            // The first tile starts at the destination's corner.
            const D2D1_BRUSH_PROPERTIES placed{
                opacity,
                D2D1_MATRIX_3X2_F{1, 0, 0, 1, static_cast<float>(dest.left), static_cast<float>(dest.top)}};
            ComPtr<ID2D1BitmapBrush> tiles;
            if (SUCCEEDED(target.CreateBitmapBrush(part, repeat, placed, tiles.GetAddressOf())))
                target.FillRectangle(ToRectF(dest), tiles.Get());
            return;
        }
        const bool sameSize = dest.right - dest.left == inside.right - inside.left &&
                              dest.bottom - dest.top == inside.bottom - inside.top;
        target.DrawBitmap(part, ToRectF(dest), opacity,
                          sameSize ? D2D1_BITMAP_INTERPOLATION_MODE_NEAREST_NEIGHBOR
                                   : D2D1_BITMAP_INTERPOLATION_MODE_LINEAR,
                          nullptr);
    });
}

void RenderTargetD2D::DrawBitmap9(const RECT& dest, const IBitmap& bmp, const RECT& src, const RECT& margins,
                                  BYTE alpha, ExpandMode mode) {
    DrawNineGrid(*this, dest, bmp, src, margins, alpha, mode);
}

void RenderTargetD2D::DrawText(const std::wstring& text, const RECT& rc, UINT format, const IFont& font,
                               COLORREF color) {
    if (text.empty() || ColorAlpha(color) == 0) return;
    const ComPtr<IDWriteTextLayout> layout =
        static_cast<const FontDWrite&>(font).Layout(text, format, rc.right - rc.left, rc.bottom - rc.top);
    if (!layout) return;
    const RECT bounds = (format & DT_NOCLIP) ? RECT{0, 0, size_.cx, size_.cy} : rc;
    Clipped(bounds, [&](ID2D1RenderTarget& target) {
        target.DrawTextLayout(D2D1_POINT_2F{static_cast<float>(rc.left), static_cast<float>(rc.top)},
                              layout.Get(), &Brush(color), D2D1_DRAW_TEXT_OPTIONS_NONE);
    });
}

void RenderTargetD2D::PushClipRect(const RECT& rc) {
    clips_.push_back(clips_.empty() ? rc : Intersection(rc, clips_.back()));
}

void RenderTargetD2D::PopClip() {
    if (!clips_.empty()) clips_.pop_back();
}

void RenderTargetD2D::PushOpacity(BYTE alpha) {
    Layer layer{nullptr, alpha, CurrentClip()};
    if (alpha < 255) {
        if (!spareLayers_.empty()) {
            layer.target = std::move(spareLayers_.back());
            spareLayers_.pop_back();
        } else if (SUCCEEDED(target_->CreateCompatibleRenderTarget(
                       D2D1_SIZE_F{static_cast<float>(size_.cx), static_cast<float>(size_.cy)},
                       layer.target.GetAddressOf()))) {
            layer.target->SetTextAntialiasMode(D2D1_TEXT_ANTIALIAS_MODE_GRAYSCALE);
        }
        // Without a layer of its own the content is drawn straight through: visible, if too strong.
        if (layer.target) {
            layer.target->BeginDraw();
            layer.target->PushAxisAlignedClip(ToRectF(layer.bounds), D2D1_ANTIALIAS_MODE_ALIASED);
            layer.target->Clear(D2D1_COLOR_F{0, 0, 0, 0});
            layer.target->PopAxisAlignedClip();
        }
    }
    layers_.push_back(std::move(layer));
}

void RenderTargetD2D::PopOpacity() {
    if (layers_.empty()) return;
    Layer layer = std::move(layers_.back());
    layers_.pop_back();
    if (!layer.target) return;
    layer.target->EndDraw();
    ComPtr<ID2D1Bitmap> content;
    const D2D1_RECT_F bounds = ToRectF(layer.bounds);
    if (!IsRectEmpty(&layer.bounds) && SUCCEEDED(layer.target->GetBitmap(content.GetAddressOf())))
        Drawing().DrawBitmap(content.Get(), bounds, layer.alpha / 255.0f,
                             D2D1_BITMAP_INTERPOLATION_MODE_NEAREST_NEIGHBOR, &bounds);
    spareLayers_.push_back(std::move(layer.target));
}

void RenderTargetD2D::Flush() {
    if (drawing_) target_->EndDraw();
    drawing_ = false;
    const WICRect all{0, 0, size_.cx, size_.cy};
    const UINT stride = static_cast<UINT>(size_.cx) * 4;
    if (SUCCEEDED(surface_->CopyPixels(&all, stride, stride * static_cast<UINT>(size_.cy),
                                       reinterpret_cast<BYTE*>(pixels_.data()))))
        pixelsFresh_ = true;
}

PixelView RenderTargetD2D::Pixels() {
    if (!pixelsFresh_) Flush();
    return PixelView{pixels_.data(), size_.cx, size_.cy, size_.cx * 4};
}

COLORREF RenderTargetD2D::GetPixel(int x, int y) {
    if (x < 0 || y < 0 || x >= size_.cx || y >= size_.cy) return kInvalidColor;
    if (!pixelsFresh_) Flush();
    return StraightColor(pixels_[static_cast<std::size_t>(y) * size_.cx + x]);
}

bool RenderTargetD2D::SavePng(const std::string& path) {
    return WritePngFile(context_.Wic(), AnsiToWide(path), Pixels());
}
