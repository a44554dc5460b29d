#include "Faces.h"

#include "Canvas.h"
#include "Palette.h"
#include "Shapes.h"

using namespace palette;

namespace {

struct ToggleLook {
    Colour fill;
    double fillAlpha;
    Colour rim;
    double rimAlpha;
    double markAlpha;  // tick or dot; 0 when unchecked
};

// On the navy ground an unchecked box is a white rim over a faint fill; on light panels it is a
// white box with a grey rim. Checked boxes are filled with the accent on both.
ToggleLook LookOf(int frame, Ground ground) {
    const bool checked = frame >= 4;
    const int state = frame % 4;
    if (checked) {
        switch (state) {
            case kFaceHover:
                return {kAccentLight, 1.0, kAccentLight.Lighter(0.3), 1.0, 1.0};
            case kFacePushed:
                return {kAccentDark, 1.0, kAccentDark, 1.0, 1.0};
            case kFaceDisabled:
                return ground == Ground::kNavy ? ToggleLook{kAccent, 0.55, kAccentLight, 0.45, 0.85}
                                               : ToggleLook{kAccent, 0.40, kAccent, 0.30, 0.95};
            default:
                return ground == Ground::kNavy ? ToggleLook{kAccent, 1.0, kAccentLight, 1.0, 1.0}
                                               : ToggleLook{kAccent, 1.0, kAccentDark, 0.6, 1.0};
        }
    }
    if (ground == Ground::kNavy) {
        switch (state) {
            case kFaceHover:
                return {kWhite, 0.16, kAccentLight, 1.0, 0};
            case kFacePushed:
                return {kWhite, 0.26, kAccentLight, 1.0, 0};
            case kFaceDisabled:
                return {kWhite, 0.05, kWhite, 0.30, 0};
            default:
                return {kWhite, 0.08, kWhite, 0.75, 0};
        }
    }
    switch (state) {
        case kFaceHover:
            return {kWhite, 1.0, kAccent, 1.0, 0};
        case kFacePushed:
            return {Colour::Hex(0xe3ebf5), 1.0, kAccent, 1.0, 0};
        case kFaceDisabled:
            return {Colour::Hex(0xeef1f5), 1.0, kLine, 0.8, 0};
        default:
            return {kWhite, 1.0, Colour::Hex(0x9aa8b8), 1.0, 0};
    }
}

}  // namespace

void PaintCheckStrip(Canvas& canvas, int size, Ground ground) {
    const double inset = size >= 20 ? 1.5 : 1.0;
    const double box = size - 2 * inset;
    for (int frame = 0; frame < kToggleFrames; ++frame) {
        canvas.Frame(frame, [&](cairo_t* cr) {
            const ToggleLook look = LookOf(frame, ground);
            shapes::RoundedRect(cr, inset, inset, box, box, size * 0.18);
            look.fill.Set(cr, look.fillAlpha);
            cairo_fill(cr);
            shapes::RoundedRect(cr, inset + 0.5, inset + 0.5, box - 1, box - 1, size * 0.16);
            shapes::Stroke(cr, 1, look.rim, look.rimAlpha);
            if (look.markAlpha > 0) {
                shapes::Tick(cr, inset, inset, box, size >= 20 ? 2.2 : 1.8, kWhite, look.markAlpha);
            }
        });
    }
}

void PaintRadioStrip(Canvas& canvas, int size, Ground ground) {
    const double c = size / 2.0;
    for (int frame = 0; frame < kToggleFrames; ++frame) {
        canvas.Frame(frame, [&](cairo_t* cr) {
            const ToggleLook look = LookOf(frame, ground);
            shapes::Disc(cr, c, c, c - 1, look.fill, look.fillAlpha);
            shapes::Circle(cr, c, c, c - 1.5);
            shapes::Stroke(cr, 1, look.rim, look.rimAlpha);
            if (look.markAlpha > 0) {
                shapes::Disc(cr, c, c, size * 0.175, kWhite, look.markAlpha);
            }
        });
    }
}

void PaintLightButton(cairo_t* cr, int w, int h, FaceState state) {
    Colour top = kWhite;
    Colour bottom = kPaper.Darker(0.02);
    Colour rim = kLine;
    if (state == kFaceHover) {
        bottom = kPaper;
        rim = kAccentLight;
    } else if (state == kFacePushed) {
        top = Colour::Hex(0xe3e9f0);
        bottom = Colour::Hex(0xdbe2ea);
        rim = kAccent;
    } else if (state == kFaceDisabled) {
        top = Colour::Hex(0xf3f5f8);
        bottom = top;
        rim = kLine.Lighter(0.4);
    }
    shapes::Plate(cr, w, h, kButtonRadius, top, bottom, rim);
}
