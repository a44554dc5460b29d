// Path and fill helpers shared by the artwork: rounded rectangles, gradients, soft shadows and the
// glyph strokes the icons are built from. All coordinates are in Cairo user space.
#pragma once

#include <cairo.h>

#include "Colour.h"

namespace shapes {

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
void Circle(cairo_t* cr, double cx, double cy, double radius);

// Fills the current path with a vertical gradient from `top` to `bottom` spanning y .. y + h.
void FillVertical(cairo_t* cr, double y, double h, const Colour& top, const Colour& bottom,
                  double alpha = 1.0);
// Strokes the current path with a line of `width` in `colour`.
void Stroke(cairo_t* cr, double width, const Colour& colour, double alpha = 1.0);

// A soft round glow: a radial gradient from `alpha` in the centre to transparent at `radius`.
void Glow(cairo_t* cr, double cx, double cy, double radius, const Colour& colour, double alpha);

// A blurred drop shadow under a rounded rectangle, built from stacked translucent outlines.
void Shadow(cairo_t* cr, double x, double y, double w, double h, double radius, double spread, double alpha);

// A tick mark fitted into the box (x, y, size, size).
void Tick(cairo_t* cr, double x, double y, double size, double width, const Colour& colour,
          double alpha = 1.0);
// A cross fitted into the box (x, y, size, size).
void Cross(cairo_t* cr, double x, double y, double size, double width, const Colour& colour,
           double alpha = 1.0);

}  // namespace shapes
