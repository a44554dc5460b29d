#include "dui/src/render/cairo/RenderTargetCairo.h"

#include <pango/pangocairo.h>

#include <algorithm>

#include "dui/src/render/NineGrid.h"
#include "dui/src/render/cairo/BitmapCairo.h"
#include "dui/src/render/cairo/FontPango.h"

namespace {

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

void AddRect(cairo_t* cr, const RECT& r) {
    cairo_rectangle(cr, r.left, r.top, Width(r), Height(r));
}

}  // namespace

std::unique_ptr<RenderTargetCairo> RenderTargetCairo::Create(SIZE size) {
    if (size.cx <= 0 || size.cy <= 0) return nullptr;
    CairoSurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size.cx, size.cy));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    CairoPtr cr(cairo_create(surface.get()));
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    return std::unique_ptr<RenderTargetCairo>(new RenderTargetCairo(std::move(surface), std::move(cr)));
}

RenderTargetCairo::RenderTargetCairo(CairoSurfacePtr surface, CairoPtr cr)
    : surface_(std::move(surface)), cr_(std::move(cr)) {}

SIZE RenderTargetCairo::GetSize() const {
    return SIZE{cairo_image_surface_get_width(surface_.get()),
                cairo_image_surface_get_height(surface_.get())};
}

bool RenderTargetCairo::Resize(SIZE size) {
    auto fresh = Create(size);
    if (!fresh) return false;
    surface_ = std::move(fresh->surface_);
    cr_ = std::move(fresh->cr_);
    opacityStack_.clear();
    return true;
}

void RenderTargetCairo::SetColor(COLORREF color) {
    cairo_set_source_rgba(cr_.get(), ColorRed(color) / 255.0, ColorGreen(color) / 255.0,
                          ColorBlue(color) / 255.0, ColorAlpha(color) / 255.0);
}

void RenderTargetCairo::Clear(const RECT& rc, COLORREF color) {
    cairo_t* cr = cr_.get();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    SetColor(color);
    AddRect(cr, rc);
    cairo_fill(cr);
    cairo_restore(cr);
}

void RenderTargetCairo::FillRect(const RECT& rc, COLORREF color) {
    if (IsRectEmpty(&rc) || ColorAlpha(color) == 0) return;
    SetColor(color);
    AddRect(cr_.get(), rc);
    cairo_fill(cr_.get());
}

void RenderTargetCairo::FrameRect(const RECT& rc, COLORREF color, int width) {
    if (IsRectEmpty(&rc) || ColorAlpha(color) == 0 || width <= 0) return;
    cairo_t* cr = cr_.get();
    cairo_save(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    SetColor(color);
    AddRect(cr, rc);
    const RECT inner{rc.left + width, rc.top + width, rc.right - width, rc.bottom - width};
    if (!IsRectEmpty(&inner)) AddRect(cr, inner);
    cairo_fill(cr);
    cairo_restore(cr);
}

void RenderTargetCairo::DrawFocusRect(const RECT& rc, int width) {
    if (IsRectEmpty(&rc)) return;
    const double w = std::max(width, 1);
    cairo_t* cr = cr_.get();
    cairo_save(cr);
    const double dots[] = {w, w};
    cairo_set_dash(cr, dots, 2, 0);
    cairo_set_line_width(cr, w);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    SetColor(RGBA(0, 0, 0, 160));
    cairo_rectangle(cr, rc.left + w / 2, rc.top + w / 2, Width(rc) - w, Height(rc) - w);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void RenderTargetCairo::DrawBitmap(const RECT& dest, const IBitmap& bmp, const RECT& src, BYTE alpha,
                                   ExpandMode mode) {
    const RECT inside{std::max<LONG>(src.left, 0), std::max<LONG>(src.top, 0),
                      std::min<LONG>(src.right, bmp.Width()), std::min<LONG>(src.bottom, bmp.Height())};
    if (IsRectEmpty(&dest) || IsRectEmpty(&inside) || alpha == 0) return;
    // Only the source part may be sampled: a sub-surface with padded edges keeps a scaled frame of
    // a state strip from bleeding into its neighbours.
    CairoSurfacePtr part(cairo_surface_create_for_rectangle(static_cast<const BitmapCairo&>(bmp).Surface(),
                                                            inside.left, inside.top, Width(inside),
                                                            Height(inside)));
    CairoPatternPtr pattern(cairo_pattern_create_for_surface(part.get()));
    cairo_matrix_t matrix;
    const bool sameSize = Width(dest) == Width(inside) && Height(dest) == Height(inside);
    if (mode == ExpandMode::Tile || sameSize) {
        cairo_matrix_init_translate(&matrix, -dest.left, -dest.top);
        cairo_pattern_set_extend(pattern.get(),
                                 mode == ExpandMode::Tile ? CAIRO_EXTEND_REPEAT : CAIRO_EXTEND_PAD);
        cairo_pattern_set_filter(pattern.get(), CAIRO_FILTER_NEAREST);
    } else {
        cairo_matrix_init_scale(&matrix, static_cast<double>(Width(inside)) / Width(dest),
                                static_cast<double>(Height(inside)) / Height(dest));
        cairo_matrix_translate(&matrix, -dest.left, -dest.top);
        cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_PAD);
        cairo_pattern_set_filter(pattern.get(), CAIRO_FILTER_BILINEAR);
    }
    cairo_pattern_set_matrix(pattern.get(), &matrix);
    cairo_t* cr = cr_.get();
    cairo_set_source(cr, pattern.get());
    AddRect(cr, dest);
    if (alpha == 255) {
        cairo_fill(cr);
    } else {
        cairo_save(cr);
        cairo_clip(cr);
        cairo_paint_with_alpha(cr, alpha / 255.0);
        cairo_restore(cr);
    }
}

void RenderTargetCairo::DrawBitmap9(const RECT& dest, const IBitmap& bmp, const RECT& src,
                                    const RECT& margins, BYTE alpha, ExpandMode mode) {
    DrawNineGrid(*this, dest, bmp, src, margins, alpha, mode);
}

void RenderTargetCairo::DrawText(const std::wstring& text, const RECT& rc, UINT format, const IFont& font,
                                 COLORREF color) {
    if (text.empty() || ColorAlpha(color) == 0) return;
    const TextLayout laid = static_cast<const FontPango&>(font).Layout(text, format, Width(rc), Height(rc));
    double x = rc.left, y = rc.top;
    // A layout given the rectangle's width aligns its lines itself; otherwise place the block.
    if (pango_layout_get_width(laid.layout.get()) < 0) {
        if (format & DT_CENTER)
            x += (Width(rc) - laid.width) / 2;
        else if (format & DT_RIGHT)
            x += Width(rc) - laid.width;
    }
    // As in Win32, vertical placement other than the top needs DT_SINGLELINE.
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y += (Height(rc) - laid.height) / 2;
        else if (format & DT_BOTTOM)
            y += Height(rc) - laid.height;
    }
    cairo_t* cr = cr_.get();
    cairo_save(cr);
    if (!(format & DT_NOCLIP)) {
        AddRect(cr, rc);
        cairo_clip(cr);
    }
    SetColor(color);
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, laid.layout.get());
    cairo_restore(cr);
}

void RenderTargetCairo::PushClipRect(const RECT& rc) {
    cairo_save(cr_.get());
    AddRect(cr_.get(), rc);
    cairo_clip(cr_.get());
}

void RenderTargetCairo::PopClip() {
    cairo_restore(cr_.get());
}

void RenderTargetCairo::PushOpacity(BYTE alpha) {
    opacityStack_.push_back(alpha);
    if (alpha == 255)
        cairo_save(cr_.get());
    else
        cairo_push_group(cr_.get());
}

void RenderTargetCairo::PopOpacity() {
    if (opacityStack_.empty()) return;
    const BYTE alpha = opacityStack_.back();
    opacityStack_.pop_back();
    if (alpha == 255) {
        cairo_restore(cr_.get());
        return;
    }
    cairo_pop_group_to_source(cr_.get());
    cairo_paint_with_alpha(cr_.get(), alpha / 255.0);
}

PixelView RenderTargetCairo::Pixels() {
    cairo_surface_flush(surface_.get());
    const SIZE size = GetSize();
    return PixelView{reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface_.get())),
                     size.cx, size.cy, cairo_image_surface_get_stride(surface_.get())};
}

COLORREF RenderTargetCairo::GetPixel(int x, int y) {
    return ReadSurfacePixel(surface_.get(), x, y);
}

bool RenderTargetCairo::SavePng(const std::string& path) {
    cairo_surface_flush(surface_.get());
    return cairo_surface_write_to_png(surface_.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}
