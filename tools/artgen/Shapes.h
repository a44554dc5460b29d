// Path and fill helpers shared by the artwork: rounded rectangles, gradients, soft shadows and the
// glyph strokes the icons are built from. All coordinates are in Cairo user space.
#pragma once

#include <cairo.h>

#include <initializer_list>

#include "Colour.h"

namespace shapes {

struct Point {
    double x;
    double y;
};

// Appends an open run of straight segments to the current path: a move to the first point, then
// a line to each of the others. Icons call it once per stroke so a glyph reads as its point list.
void Polyline(cairo_t* cr, std::initializer_list<Point> points);
// The same run closed back to its first point.
void Polygon(cairo_t* cr, std::initializer_list<Point> points);

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
void Circle(cairo_t* cr, double cx, double cy, double radius);
// Fills a circle in `colour`, replacing the current path.
void Disc(cairo_t* cr, double cx, double cy, double radius, const Colour& colour, double alpha = 1.0);
// A w × h plate at the origin with corners of `radius`: filled top to bottom from `top` to
// `bottom` and outlined by a one-pixel `rim` laid on the pixel grid.
void Plate(cairo_t* cr, double w, double h, double radius, const Colour& top, const Colour& bottom,
           const Colour& rim);

// Fills the current path with a vertical gradient from `top` to `bottom` spanning y .. y + h.
void FillVertical(cairo_t* cr, double y, double h, const Colour& top, const Colour& bottom,
                  double alpha = 1.0);
// Strokes the current path with a line of `width` in `colour`.
void Stroke(cairo_t* cr, double width, const Colour& colour, double alpha = 1.0);
// The same with round caps and joins, the pen of the line glyphs. The caps and joins stay set on
// the context afterwards.
void RoundStroke(cairo_t* cr, double width, const Colour& colour, double alpha = 1.0);

// A soft round glow: a radial gradient from `alpha` in the centre to transparent at `radius`.
void Glow(cairo_t* cr, double cx, double cy, double radius, const Colour& colour, double alpha);

// A tick mark fitted into the box (x, y, size, size).
void Tick(cairo_t* cr, double x, double y, double size, double width, const Colour& colour,
          double alpha = 1.0);
// A cross fitted into the box (x, y, size, size).
void Cross(cairo_t* cr, double x, double y, double size, double width, const Colour& colour,
           double alpha = 1.0);

}  // namespace shapes
