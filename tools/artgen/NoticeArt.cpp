#include <cstdint>

#include "Art.h"
#include "ArtWriter.h"
#include "Canvas.h"
#include "Palette.h"
#include "Shapes.h"

using namespace palette;

namespace {

enum class Mark { kInfo, kAlert };

// An "i" or "!" centred in a circle of the given diameter, drawn with rounded strokes.
void DrawMark(cairo_t* cr, double cx, double cy, double d, Mark mark, const Colour& colour) {
    const double stem = d * 0.11;
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    if (mark == Mark::kInfo) {
        shapes::Disc(cr, cx, cy - d * 0.20, stem * 0.75, colour);
        shapes::Polyline(cr, {{cx, cy - d * 0.04}, {cx, cy + d * 0.24}});
    } else {
        shapes::Disc(cr, cx, cy + d * 0.23, stem * 0.75, colour);
        shapes::Polyline(cr, {{cx, cy - d * 0.25}, {cx, cy + d * 0.07}});
    }
    shapes::Stroke(cr, stem, colour);
    cairo_restore(cr);
}

// The icon of the white message panels: the accent disc with a white "i" and a faint halo.
void DrawPanelIcon(ArtWriter& out) {
    Canvas canvas(36, 36, out.Scale());
    cairo_t* cr = canvas.Cr();
    shapes::Disc(cr, 18, 18, 17.5, kAccent, 0.15);
    shapes::Circle(cr, 18, 18, 14.5);
    shapes::FillVertical(cr, 3.5, 29, kAccentLight, kAccent);
    DrawMark(cr, 18, 18, 29, Mark::kInfo, kWhite);
    out.AppPng(canvas, "image/image_info_icon.png");
}

// The failure page's notice on the navy ground: a white ring around a "!".
void DrawWhiteNotice(ArtWriter& out) {
    Canvas canvas(50, 50, out.Scale());
    cairo_t* cr = canvas.Cr();
    shapes::Disc(cr, 25, 25, 23, kWhite, 0.10);
    shapes::Circle(cr, 25, 25, 21.75);
    shapes::Stroke(cr, 2.5, kWhite);
    DrawMark(cr, 25, 25, 40, Mark::kAlert, kWhite);
    out.AppPng(canvas, "image/image_info_white.png");
}

// The amber bullet in front of the manual download links.
void DrawAmberNotice(ArtWriter& out) {
    Canvas canvas(20, 20, out.Scale());
    cairo_t* cr = canvas.Cr();
    shapes::Circle(cr, 10, 10, 8.5);
    shapes::FillVertical(cr, 1.5, 17, kAmber.Lighter(0.2), kAmber.Darker(0.05));
    DrawMark(cr, 10, 10, 17, Mark::kAlert, Colour::Hex(0x3a2a05));
    out.AppPng(canvas, "image/image_info_yellow.png");
}

// The follow-us code for the owner's WeChat account. The account's code is issued with the
// account, so the picture carries the code's shape (finder squares, timing rows, a seeded module
// field) around the product emblem and is replaced by the real code when it exists.
void DrawQrCode(ArtWriter& out) {
    constexpr int kModules = 25;
    constexpr int kModule = 4;
    constexpr int kQuiet = 8;
    constexpr int kSize = kModules * kModule + 2 * kQuiet;
    Canvas canvas(kSize, kSize, out.Scale());
    cairo_t* cr = canvas.Cr();
    shapes::RoundedRect(cr, 0, 0, kSize, kSize, 6);
    kWhite.Set(cr);
    cairo_fill(cr);

    // The three finder corners and their one-module separators stay clear of data modules.
    auto inFinder = [](int x, int y) {
        return (x < 8 && y < 8) || (x >= kModules - 8 && y < 8) || (x < 8 && y >= kModules - 8);
    };
    auto inLogo = [](int x, int y) { return x >= 9 && x <= 15 && y >= 9 && y <= 15; };

    uint32_t seed = 0x4c61726bU;  // fixed, so the picture never changes between runs
    const Colour ink = Colour::Hex(0x14263d);
    ink.Set(cr);
    for (int y = 0; y < kModules; ++y) {
        for (int x = 0; x < kModules; ++x) {
            seed = seed * 1664525U + 1013904223U;
            bool dark = (seed >> 16) % 100 < 47;
            if (x == 6 || y == 6) dark = (x + y) % 2 == 0;
            if (inFinder(x, y) || inLogo(x, y)) continue;
            if (dark) cairo_rectangle(cr, kQuiet + x * kModule, kQuiet + y * kModule, kModule, kModule);
        }
    }
    cairo_fill(cr);

    auto finder = [&](int mx, int my) {
        const double x = kQuiet + mx * kModule;
        const double y = kQuiet + my * kModule;
        shapes::RoundedRect(cr, x + 2, y + 2, 6 * kModule + 2 - 4, 6 * kModule + 2 - 4, 5);
        shapes::Stroke(cr, kModule, ink);
        shapes::RoundedRect(cr, x + 2 * kModule, y + 2 * kModule, 3 * kModule, 3 * kModule, 2);
        ink.Set(cr);
        cairo_fill(cr);
    };
    finder(0, 0);
    finder(kModules - 7, 0);
    finder(0, kModules - 7);

    const double centre = kSize / 2.0;
    shapes::RoundedRect(cr, centre - 15, centre - 15, 30, 30, 7);
    kWhite.Set(cr);
    cairo_fill(cr);
    DrawEmblem(cr, centre, centre, 24);
    out.AppPng(canvas, "image/image_qr_code.png");
}

}  // namespace

void DrawNoticeArt(ArtWriter& out) {
    DrawPanelIcon(out);
    DrawWhiteNotice(out);
    DrawAmberNotice(out);
    DrawQrCode(out);
}
