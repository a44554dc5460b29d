#include <cmath>

#include "Art.h"
#include "Palette.h"
#include "Shapes.h"

// The emblem: a rounded tile in the accent gradient carrying a white lark over a small island,
// the lark and the holm of the product name.
void DrawEmblem(cairo_t* cr, double cx, double cy, double diameter) {
    using namespace palette;
    const double s = diameter;
    const double x = cx - s / 2;
    const double y = cy - s / 2;

    cairo_save(cr);
    shapes::RoundedRect(cr, x, y, s, s, s * 0.26);
    cairo_pattern_t* ground = cairo_pattern_create_linear(x, y, x + s, y + s);
    kCyan.AddStop(ground, 0);
    kAccent.AddStop(ground, 0.55);
    kAccentDark.AddStop(ground, 1);
    cairo_set_source(cr, ground);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(ground);

    // Glassy highlight over the upper half.
    cairo_clip(cr);
    cairo_pattern_t* shine = cairo_pattern_create_linear(0, y, 0, y + s * 0.55);
    kWhite.AddStop(shine, 0, 0.35);
    kWhite.AddStop(shine, 1, 0.0);
    cairo_set_source(cr, shine);
    cairo_new_path(cr);
    cairo_arc(cr, cx, y - s * 0.55, s * 1.0, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(shine);
    cairo_reset_clip(cr);

    // A lark in flight: two swept wings meeting at the body, drawn as one filled shape.
    auto px = [&](double u) { return x + s * u; };
    auto py = [&](double v) { return y + s * v; };
    cairo_move_to(cr, px(0.14), py(0.40));
    cairo_curve_to(cr, px(0.28), py(0.30), px(0.42), py(0.36), px(0.50), py(0.50));
    cairo_curve_to(cr, px(0.58), py(0.32), px(0.72), py(0.20), px(0.88), py(0.24));
    cairo_curve_to(cr, px(0.70), py(0.34), px(0.60), py(0.48), px(0.52), py(0.66));
    cairo_curve_to(cr, px(0.42), py(0.50), px(0.28), py(0.42), px(0.14), py(0.40));
    cairo_close_path(cr);
    kWhite.Set(cr);
    cairo_fill(cr);

    // The holm: a low island the lark flies over.
    cairo_move_to(cr, px(0.20), py(0.80));
    cairo_curve_to(cr, px(0.34), py(0.68), px(0.62), py(0.66), px(0.80), py(0.80));
    cairo_close_path(cr);
    kWhite.Set(cr, 0.85);
    cairo_fill(cr);
    cairo_restore(cr);
}
