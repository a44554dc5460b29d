#include <cmath>

#include "Art.h"
#include "ArtWriter.h"
#include "Canvas.h"
#include "Faces.h"
#include "Palette.h"
#include "Shapes.h"

using namespace palette;

namespace {

// The framework's own look: light dialog panels with the product's accent blue, so a framework
// message box or context menu sits naturally beside the wizard.

void DrawToggles(ArtWriter& out) {
    Canvas check(16, 16, out.Scale(), kToggleFrames);
    PaintCheckStrip(check, 16, Ground::kLight);
    out.SystemPng(check, "image/sys_checkbox.png");
    Canvas radio(16, 16, out.Scale(), kToggleFrames);
    PaintRadioStrip(radio, 16, Ground::kLight);
    out.SystemPng(radio, "image/sys_radio.png");
}

void DrawButton(ArtWriter& out) {
    constexpr int w = 60;
    constexpr int h = 26;
    Canvas canvas(w, h, out.Scale(), 4);
    for (int state = 0; state < 4; ++state) {
        canvas.Frame(state, [&](cairo_t* cr) { PaintLightButton(cr, w, h, static_cast<FaceState>(state)); });
    }
    out.SystemPng(canvas, "image/sys_btn_normal.png");
}

void DrawCloseButton(ArtWriter& out) {
    constexpr int kSize = 16;
    Canvas canvas(kSize, kSize, out.Scale(), 4);
    for (int state = 0; state < 4; ++state) {
        canvas.Frame(state, [&](cairo_t* cr) {
            Colour glyph = kGreyText;
            double alpha = 1.0;
            if (state == kFaceHover || state == kFacePushed) {
                shapes::Disc(cr, 8, 8, 7.5, state == kFaceHover ? kDanger : kDanger.Darker(0.2));
                glyph = kWhite;
            } else if (state == kFaceDisabled) {
                alpha = 0.4;
            }
            shapes::Cross(cr, 4.75, 4.75, 6.5, 1.4, glyph, alpha);
        });
    }
    out.SystemPng(canvas, "image/sys_btn_close.png");
}

void Ink(cairo_t* cr, double width = 1.2) {
    shapes::RoundStroke(cr, width, kInk);
}

void Scissors(cairo_t* cr) {
    shapes::Circle(cr, 4.5, 12, 2.3);
    shapes::Circle(cr, 11.5, 12, 2.3);
    Ink(cr);
    shapes::Polyline(cr, {{6, 10.3}, {11.5, 2.5}});
    shapes::Polyline(cr, {{10, 10.3}, {4.5, 2.5}});
    Ink(cr);
}

void Copy(cairo_t* cr) {
    shapes::RoundedRect(cr, 2.5, 2.5, 8, 9, 1.2);
    Ink(cr);
    shapes::RoundedRect(cr, 5.5, 5.5, 8, 9, 1.2);
    kWhite.Set(cr);
    cairo_fill_preserve(cr);
    Ink(cr);
}

void Paste(cairo_t* cr) {
    shapes::RoundedRect(cr, 2.5, 3, 11, 11.5, 1.2);
    Ink(cr);
    shapes::RoundedRect(cr, 5.5, 1.5, 5, 3, 1);
    kAccent.Set(cr);
    cairo_fill(cr);
    shapes::Polyline(cr, {{5, 8}, {11, 8}});
    shapes::Polyline(cr, {{5, 11}, {9.5, 11}});
    Ink(cr, 1.0);
}

void Delete(cairo_t* cr) {
    shapes::Cross(cr, 4, 4, 8, 1.8, kDanger);
}

void SelectAll(cairo_t* cr) {
    shapes::RoundedRect(cr, 2.5, 2.5, 11, 11, 1);
    static const double kDash[] = {1.5, 1.5};
    cairo_set_dash(cr, kDash, 2, 0);
    shapes::Stroke(cr, 1, kInk);
    cairo_set_dash(cr, nullptr, 0, 0);
    cairo_rectangle(cr, 5, 5, 6, 6);
    kAccent.Set(cr, 0.85);
    cairo_fill(cr);
}

void DrawMenuIcons(ArtWriter& out) {
    constexpr int kSize = 16;
    void (*const icons[])(cairo_t*) = {Scissors, Copy, Paste, Delete, SelectAll};
    Canvas canvas(kSize, kSize, out.Scale(), 5);
    for (int i = 0; i < 5; ++i) canvas.Frame(i, icons[i]);
    out.SystemPng(canvas, "image/sys_icons.png");
}

void DrawPanel(ArtWriter& out) {
    constexpr int kSize = 64;
    Canvas canvas(kSize, kSize, out.Scale());
    shapes::Plate(canvas.Cr(), kSize, kSize, 4, kWhite, kPaper, kLine);
    out.SystemPng(canvas, "image/sys_wnd_bkgnd.png");
}

}  // namespace

void DrawSystemArt(ArtWriter& out) {
    DrawToggles(out);
    DrawButton(out);
    DrawCloseButton(out);
    DrawMenuIcons(out);
    DrawPanel(out);
}
