#include "Shapes.h"

#include <algorithm>
#include <cmath>

namespace shapes {

void Polyline(cairo_t* cr, std::initializer_list<Point> points) {
    const Point* p = points.begin();
    if (p == points.end()) return;
    cairo_move_to(cr, p->x, p->y);
    for (++p; p != points.end(); ++p) cairo_line_to(cr, p->x, p->y);
}

void Polygon(cairo_t* cr, std::initializer_list<Point> points) {
    Polyline(cr, points);
    cairo_close_path(cr);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius) {
    const double r = std::min({radius, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void Circle(cairo_t* cr, double cx, double cy, double radius) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_close_path(cr);
}

void Disc(cairo_t* cr, double cx, double cy, double radius, const Colour& colour, double alpha) {
    Circle(cr, cx, cy, radius);
    colour.Set(cr, alpha);
    cairo_fill(cr);
}

void Plate(cairo_t* cr, double w, double h, double radius, const Colour& top, const Colour& bottom,
           const Colour& rim) {
    RoundedRect(cr, 0.5, 0.5, w - 1, h - 1, radius);
    FillVertical(cr, 0, h, top, bottom);
    RoundedRect(cr, 0.5, 0.5, w - 1, h - 1, radius);
    Stroke(cr, 1, rim);
}

void FillVertical(cairo_t* cr, double y, double h, const Colour& top, const Colour& bottom, double alpha) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, y, 0, y + h);
    top.AddStop(pattern, 0, alpha);
    bottom.AddStop(pattern, 1, alpha);
    cairo_set_source(cr, pattern);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

void Stroke(cairo_t* cr, double width, const Colour& colour, double alpha) {
    cairo_set_line_width(cr, width);
    colour.Set(cr, alpha);
    cairo_stroke(cr);
}

void RoundStroke(cairo_t* cr, double width, const Colour& colour, double alpha) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    Stroke(cr, width, colour, alpha);
}

void Glow(cairo_t* cr, double cx, double cy, double radius, const Colour& colour, double alpha) {
    cairo_pattern_t* pattern = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    colour.AddStop(pattern, 0, alpha);
    colour.AddStop(pattern, 0.5, alpha * 0.35);
    colour.AddStop(pattern, 1, 0);
    cairo_set_source(cr, pattern);
    Circle(cr, cx, cy, radius);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

void Tick(cairo_t* cr, double x, double y, double size, double width, const Colour& colour, double alpha) {
    cairo_save(cr);
    Polyline(cr, {{x + size * 0.18, y + size * 0.52},
                  {x + size * 0.42, y + size * 0.75},
                  {x + size * 0.84, y + size * 0.28}});
    RoundStroke(cr, width, colour, alpha);
    cairo_restore(cr);
}

void Cross(cairo_t* cr, double x, double y, double size, double width, const Colour& colour, double alpha) {
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    Polyline(cr, {{x, y}, {x + size, y + size}});
    Polyline(cr, {{x + size, y}, {x, y + size}});
    Stroke(cr, width, colour, alpha);
    cairo_restore(cr);
}

}  // namespace shapes
