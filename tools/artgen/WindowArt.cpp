#include <cmath>

#include "Art.h"
#include "ArtWriter.h"
#include "Canvas.h"
#include "Palette.h"
#include "Shapes.h"

using namespace palette;

namespace {

constexpr int kWindowWidth = 666;
constexpr int kWindowHeight = 474;
constexpr int kCaptionHeight = 60;

// Faint flowing lines across the lower part of the ground, drawn low enough in contrast that text
// on top of them stays crisp.
void DrawWaves(cairo_t* cr) {
    for (int i = 0; i < 7; ++i) {
        const double base = 300 + i * 18.0;
        cairo_move_to(cr, -20, base + 40);
        cairo_curve_to(cr, 180, base - 70 + i * 6, 420, base + 110 - i * 8, kWindowWidth + 20, base - 10);
        shapes::Stroke(cr, 1.0, i % 2 ? kCyan : kWhite, 0.035 + 0.006 * i);
    }
}

void PaintBackground(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();

    cairo_rectangle(cr, 0, 0, kWindowWidth, kWindowHeight);
    shapes::FillVertical(cr, 0, kWindowHeight, kNavyTop, kNavyBottom);

    shapes::Glow(cr, 590, 70, 330, kAccent, 0.30);
    shapes::Glow(cr, 30, 480, 280, kCyan, 0.10);
    DrawWaves(cr);

    // Caption band: a touch darker, closed by a hairline.
    cairo_rectangle(cr, 0, 0, kWindowWidth, kCaptionHeight);
    shapes::FillVertical(cr, 0, kCaptionHeight, kCaption, kCaption, 0.55);
    shapes::Polyline(cr, {{0, kCaptionHeight - 0.5}, {kWindowWidth, kCaptionHeight - 0.5}});
    shapes::Stroke(cr, 1, kWhite, 0.10);

    // One-pixel frame so the borderless window keeps an edge on light desktops.
    cairo_rectangle(cr, 0.5, 0.5, kWindowWidth - 1, kWindowHeight - 1);
    shapes::Stroke(cr, 1, Colour::Hex(0x061a33), 1.0);
}

void DrawBackground(ArtWriter& out) {
    Canvas canvas(kWindowWidth, kWindowHeight, out.Scale());
    PaintBackground(canvas);
    out.AppPng(canvas, "image/image_bk.png");
}

void DrawLogo(ArtWriter& out) {
    Canvas canvas(63, 62, out.Scale());
    DrawEmblem(canvas.Cr(), 31.5, 31, 38);
    out.AppPng(canvas, "image/image_logo.png");
}

// Caption buttons on the navy band: a white glyph; hover lifts a soft plate behind it, pushed
// darkens the plate. The close button turns red like every desktop's close button.
void DrawCaptionButton(ArtWriter& out, bool close, const char* file) {
    constexpr int kSize = 26;
    Canvas canvas(kSize, kSize, out.Scale(), 3);
    for (int state = 0; state < 3; ++state) {
        canvas.Frame(state, [&](cairo_t* cr) {
            if (state > 0) {
                shapes::RoundedRect(cr, 1, 1, kSize - 2, kSize - 2, 4);
                if (close) {
                    (state == 1 ? kDanger : kDanger.Darker(0.2)).Set(cr);
                } else {
                    kWhite.Set(cr, state == 1 ? 0.16 : 0.28);
                }
                cairo_fill(cr);
            }
            const double alpha = state == 0 ? 0.85 : 1.0;
            if (close) {
                shapes::Cross(cr, 8.5, 8.5, 9, 1.6, kWhite, alpha);
            } else {
                shapes::Polyline(cr, {{8, 13.5}, {18, 13.5}});
                shapes::Stroke(cr, 1.6, kWhite, alpha);
            }
        });
    }
    out.AppPng(canvas, file);
}

// The small close button of the white message panels.
void DrawPanelCloseButton(ArtWriter& out) {
    constexpr int kSize = 16;
    Canvas canvas(kSize, kSize, out.Scale(), 3);
    for (int state = 0; state < 3; ++state) {
        canvas.Frame(state, [&](cairo_t* cr) {
            if (state > 0) {
                shapes::Disc(cr, 8, 8, 7.5, state == 1 ? Colour::Hex(0xe8edf3) : Colour::Hex(0xd5dde7));
            }
            shapes::Cross(cr, 4.75, 4.75, 6.5, 1.4, state == 0 ? kGreyText : kInk);
        });
    }
    out.AppPng(canvas, "image/image_dlg_sysclose_btn.png");
}

}  // namespace

Colour BackgroundAt(int x, int y) {
    Canvas canvas(kWindowWidth, kWindowHeight);
    PaintBackground(canvas);
    const uint32_t p = canvas.StraightPixels()[static_cast<size_t>(y) * kWindowWidth + x];
    return Colour::Hex(p & 0xffffff);
}

void DrawWindowArt(ArtWriter& out) {
    DrawBackground(out);
    DrawLogo(out);
    DrawCaptionButton(out, true, "image/image_dlg_close_btn.png");
    DrawCaptionButton(out, false, "image/image_dlg_min_btn.png");
    DrawPanelCloseButton(out);
}
