// A straight (not premultiplied) RGB colour with helpers to mix and set it on a Cairo context.
// The wizard's palette is defined in Palette.h in terms of this type.
#pragma once

#include <cairo.h>

#include <cstdint>

struct Colour {
    double r = 0;
    double g = 0;
    double b = 0;

    static constexpr Colour Hex(uint32_t rgb) {
        return Colour{((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0};
    }

    // t = 0 gives this colour, t = 1 gives `other`.
    Colour Mix(const Colour& other, double t) const {
        return Colour{r + (other.r - r) * t, g + (other.g - g) * t, b + (other.b - b) * t};
    }
    Colour Lighter(double t) const { return Mix(Colour{1, 1, 1}, t); }
    Colour Darker(double t) const { return Mix(Colour{0, 0, 0}, t); }

    void Set(cairo_t* cr, double alpha = 1.0) const { cairo_set_source_rgba(cr, r, g, b, alpha); }
    void AddStop(cairo_pattern_t* pattern, double offset, double alpha = 1.0) const {
        cairo_pattern_add_color_stop_rgba(pattern, offset, r, g, b, alpha);
    }
};
