#include "Art.h"
#include "ArtWriter.h"
#include "Canvas.h"
#include "Faces.h"
#include "Palette.h"
#include "Shapes.h"

using namespace palette;

namespace {

void DrawCheckStrip(ArtWriter& out, int size, const char* file) {
    Canvas canvas(size, size, out.Scale(), kToggleFrames);
    PaintCheckStrip(canvas, size, Ground::kNavy);
    out.AppPng(canvas, file);
}

void DrawRadioStrip(ArtWriter& out) {
    constexpr int kSize = 16;
    Canvas canvas(kSize, kSize, out.Scale(), kToggleFrames);
    PaintRadioStrip(canvas, kSize, Ground::kNavy);
    out.AppPng(canvas, "image/image_radio_16x16_bk.png");
}

// Edit frames (nine-grid margin 4). The boxed field is a translucent plate with a white rim; the
// line field keeps only a faint plate and a bright underline, for short single values.
enum class EditStyle { kBoxed, kGrey, kLine };

void DrawEdit(ArtWriter& out, EditStyle style, const char* file) {
    constexpr int kSize = 30;
    constexpr double kRadius = 3;
    Canvas canvas(kSize, kSize, out.Scale());
    cairo_t* cr = canvas.Cr();
    shapes::RoundedRect(cr, 0, 0, kSize, kSize, kRadius);
    kWhite.Set(cr, style == EditStyle::kGrey ? 0.04 : 0.09);
    cairo_fill(cr);
    if (style == EditStyle::kLine) {
        cairo_rectangle(cr, 0, kSize - 2, kSize, 2);
        kWhite.Set(cr, 0.70);
        cairo_fill(cr);
    } else {
        shapes::RoundedRect(cr, 0.5, 0.5, kSize - 1, kSize - 1, kRadius);
        shapes::Stroke(cr, 1, kWhite, style == EditStyle::kGrey ? 0.18 : 0.45);
        // A faint inner shade along the top edge gives the field some depth.
        shapes::Polyline(cr, {{kRadius, 1.5}, {kSize - kRadius, 1.5}});
        shapes::Stroke(cr, 1, Colour{0, 0, 0}, 0.18);
    }
    out.AppPng(canvas, file);
}

// The progress bar runs edge to edge under the feature area: a dim track and a fill that moves
// from cyan into the accent blue, each with a light top edge (nine-grid margin 2).
void DrawProgress(ArtWriter& out) {
    constexpr int kWidth = 24;
    constexpr int kHeight = 8;
    {
        Canvas canvas(kWidth, kHeight, out.Scale());
        cairo_t* cr = canvas.Cr();
        cairo_rectangle(cr, 0, 0, kWidth, kHeight);
        shapes::FillVertical(cr, 0, kHeight, Colour{0, 0, 0}, Colour{0, 0, 0}, 0.25);
        cairo_rectangle(cr, 0, 0, kWidth, 1);
        kWhite.Set(cr, 0.06);
        cairo_fill(cr);
        cairo_rectangle(cr, 0, kHeight - 1, kWidth, 1);
        kWhite.Set(cr, 0.12);
        cairo_fill(cr);
        out.AppPng(canvas, "image/image_progress_back_bk.png");
    }
    {
        Canvas canvas(kWidth, kHeight, out.Scale());
        cairo_t* cr = canvas.Cr();
        cairo_pattern_t* pattern = cairo_pattern_create_linear(0, 0, kWidth, 0);
        kCyan.AddStop(pattern, 0);
        kAccent.AddStop(pattern, 1);
        cairo_set_source(cr, pattern);
        cairo_rectangle(cr, 0, 0, kWidth, kHeight);
        cairo_fill(cr);
        cairo_pattern_destroy(pattern);
        cairo_rectangle(cr, 0, 0, kWidth, kHeight / 2.0);
        kWhite.Set(cr, 0.18);
        cairo_fill(cr);
        cairo_rectangle(cr, 0, 0, kWidth, 1);
        kWhite.Set(cr, 0.35);
        cairo_fill(cr);
        out.AppPng(canvas, "image/image_progress_front_bk.png");
    }
}

}  // namespace

void DrawFormArt(ArtWriter& out) {
    DrawCheckStrip(out, 20, "image/image_check_20x20_bk.png");
    DrawCheckStrip(out, 16, "image/image_check_16x16_bk.png");
    DrawRadioStrip(out);
    DrawEdit(out, EditStyle::kBoxed, "image/image_edit_bk.png");
    DrawEdit(out, EditStyle::kGrey, "image/image_edit_bk_gray.png");
    DrawEdit(out, EditStyle::kLine, "image/image_edit_line_bk.png");
    DrawProgress(out);
}
