#include <cmath>

#include "Art.h"
#include "ArtWriter.h"
#include "Canvas.h"
#include "GifWriter.h"
#include "Palette.h"
#include "Shapes.h"

using namespace palette;

namespace {

constexpr int kSize = 50;
constexpr int kFrames = 18;
constexpr int kDelay = 5;  // centiseconds: one turn in 0.9 s
// Where the animation sits on the window: centred, 50 px below the caption.
constexpr int kCentreX = 333;
constexpr int kCentreY = 135;

// A faint ring with a bright arc running round it, its tail fading into the ring.
void DrawSpinnerFrame(cairo_t* cr, int frame) {
    constexpr double kRadius = 18;
    constexpr double kWidth = 4;
    constexpr double kArc = M_PI * 0.75;
    constexpr int kSteps = 40;
    shapes::Circle(cr, 25, 25, kRadius);
    shapes::Stroke(cr, kWidth, kWhite, 0.16);

    const double head = -M_PI / 2 + frame * 2 * M_PI / kFrames;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    for (int i = 0; i < kSteps; ++i) {
        const double t = static_cast<double>(i + 1) / kSteps;  // 0 tail .. 1 head
        const double a0 = head - kArc * (1 - static_cast<double>(i) / kSteps);
        const double a1 = head - kArc * (1 - t) + 0.01;
        cairo_new_path(cr);
        cairo_arc(cr, 25, 25, kRadius, a0, a1);
        shapes::Stroke(cr, kWidth, kCyan.Mix(kWhite, t), 0.16 + 0.84 * std::pow(t, 1.5));
    }
    // Round cap on the head.
    shapes::Circle(cr, 25 + kRadius * std::cos(head), 25 + kRadius * std::sin(head), kWidth / 2);
    kWhite.Set(cr);
    cairo_fill(cr);
}

}  // namespace

void DrawWaitingGif(ArtWriter& out) {
    const int pixels = ScaledPixels(kSize, out.Scale());
    GifWriter gif(pixels, pixels, BackgroundAt(kCentreX, kCentreY));
    for (int frame = 0; frame < kFrames; ++frame) {
        Canvas canvas(kSize, kSize, out.Scale());
        DrawSpinnerFrame(canvas.Cr(), frame);
        gif.AddFrame(canvas.StraightPixels(), kDelay);
    }
    out.AppBytes(gif.Encode(), "gif/gif_waiting.gif");
}
