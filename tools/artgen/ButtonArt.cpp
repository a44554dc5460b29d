#include "Art.h"
#include "ArtWriter.h"
#include "Canvas.h"
#include "Faces.h"
#include "Palette.h"
#include "Shapes.h"

using namespace palette;

namespace {

// Corner radii stay one pixel inside the nine-grid margins so stretching never cuts a corner.
constexpr double kRadius = kButtonRadius;

// The primary button: the accent blue with a soft top light and a darker lower rim.
void DrawPrimaryFace(cairo_t* cr, int w, int h, int state) {
    Colour top = kAccentLight;
    Colour bottom = kAccent;
    Colour rim = kAccentDark.Darker(0.15);
    if (state == kFaceHover) {
        top = kAccentLight.Lighter(0.15);
        bottom = kAccent.Lighter(0.12);
    } else if (state == kFacePushed) {
        top = kAccentDark;
        bottom = kAccent.Darker(0.08);
        rim = kAccentDark.Darker(0.3);
    } else if (state == kFaceDisabled) {
        top = kDisabledFace.Lighter(0.1);
        bottom = kDisabledFace;
        rim = kDisabledFace.Darker(0.25);
    }
    shapes::Plate(cr, w, h, kRadius, top, bottom, rim);
    if (state != kFacePushed) {
        // Inner top light.
        shapes::Polyline(cr, {{kRadius, 1.5}, {w - kRadius, 1.5}});
        shapes::Stroke(cr, 1, kWhite, state == kFaceDisabled ? 0.15 : 0.30);
    }
}

void DrawPrimary(ArtWriter& out, int states, int w, int h, const char* file) {
    Canvas canvas(w, h, out.Scale(), states);
    for (int state = 0; state < states; ++state) {
        canvas.Frame(state, [&](cairo_t* cr) { DrawPrimaryFace(cr, w, h, state); });
    }
    out.AppPng(canvas, file);
}

// The secondary button of the white panels.
void DrawLight(ArtWriter& out, int w, int h, const char* file) {
    Canvas canvas(w, h, out.Scale(), 3);
    for (int state = 0; state < 3; ++state) {
        canvas.Frame(state, [&](cairo_t* cr) { PaintLightButton(cr, w, h, static_cast<FaceState>(state)); });
    }
    out.AppPng(canvas, file);
}

// The outlined button used on the navy ground: a white rim, filled a little on hover and press.
void DrawOutline(ArtWriter& out) {
    constexpr int w = 30;
    constexpr int h = 30;
    constexpr double radius = 3;
    Canvas canvas(w, h, out.Scale(), 3);
    for (int state = 0; state < 3; ++state) {
        canvas.Frame(state, [&](cairo_t* cr) {
            shapes::RoundedRect(cr, 0.5, 0.5, w - 1, h - 1, radius);
            kWhite.Set(cr, state == kFaceNormal ? 0.06 : (state == kFaceHover ? 0.16 : 0.26));
            cairo_fill_preserve(cr);
            shapes::Stroke(cr, 1, kWhite, state == kFaceNormal ? 0.55 : 0.9);
        });
    }
    out.AppPng(canvas, "image/image_btn_white_frame_bk.png");
}

}  // namespace

void DrawButtonArt(ArtWriter& out) {
    DrawPrimary(out, 4, 40, 32, "image/image_btn_blue_bk.png");
    DrawPrimary(out, 3, 40, 32, "image/image_btn_yes_bk.png");
    DrawLight(out, 40, 32, "image/image_btn_white_bk.png");
    DrawLight(out, 60, 44, "image/image_btn_white_big_bk.png");
    DrawOutline(out);
}
