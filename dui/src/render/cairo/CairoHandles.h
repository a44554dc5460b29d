// Owning handles for the Cairo, Pango and GLib objects the backend keeps, so every path that
// leaves a function releases what it made.
#pragma once

#include <cairo.h>
#include <glib-object.h>
#include <pango/pango.h>

#include <memory>

struct CairoSurfaceRelease {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct CairoRelease {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
struct CairoPatternRelease {
    void operator()(cairo_pattern_t* p) const { cairo_pattern_destroy(p); }
};
struct GObjectRelease {
    void operator()(gpointer o) const { g_object_unref(o); }
};
struct PangoFontDescriptionRelease {
    void operator()(PangoFontDescription* d) const { pango_font_description_free(d); }
};

using CairoSurfacePtr = std::unique_ptr<cairo_surface_t, CairoSurfaceRelease>;
using CairoPtr = std::unique_ptr<cairo_t, CairoRelease>;
using CairoPatternPtr = std::unique_ptr<cairo_pattern_t, CairoPatternRelease>;
using PangoLayoutPtr = std::unique_ptr<PangoLayout, GObjectRelease>;
using PangoContextPtr = std::unique_ptr<PangoContext, GObjectRelease>;
using PangoFontDescriptionPtr = std::unique_ptr<PangoFontDescription, PangoFontDescriptionRelease>;
