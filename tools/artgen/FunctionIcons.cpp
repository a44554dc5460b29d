#include <cmath>
#include <string>
#include <vector>

#include "Art.h"
#include "ArtWriter.h"
#include "Canvas.h"
#include "Palette.h"
#include "Shapes.h"

using namespace palette;
using shapes::Polygon;
using shapes::Polyline;

namespace {

// Feature tiles of the progress page: 80 × 80, a round tile in one of four hues (slot order, so
// every group of four shows all four) and a white line glyph drawn in a 48-unit box at (16, 16).
constexpr int kTile = 80;
constexpr double kLine = 3.4;

const Colour kHues[4] = {Colour::Hex(0x1fb5a6), kAccent, Colour::Hex(0x6a5cf0), Colour::Hex(0xf19a2c)};

// The glyph pen. It leaves round caps and joins set for the rest of the glyph.
void Line(cairo_t* cr) {
    shapes::RoundStroke(cr, kLine, kWhite);
}

void Dot(cairo_t* cr, double x, double y, double r) {
    shapes::Disc(cr, x, y, r, kWhite);
}

// Member card with a coin bearing a plus.
void Recharge(cairo_t* cr) {
    shapes::RoundedRect(cr, 4, 10, 34, 24, 4);
    Line(cr);
    Polyline(cr, {{4, 18}, {38, 18}});
    Line(cr);
    Dot(cr, 36, 34, 9);
    Polyline(cr, {{36, 29.5}, {36, 38.5}});
    Polyline(cr, {{31.5, 34}, {40.5, 34}});
    shapes::RoundStroke(cr, 2.6, kHues[0]);
}

// A tall glass with a straw.
void Bar(cairo_t* cr) {
    Polygon(cr, {{12, 14}, {36, 14}, {33, 42}, {15, 42}});
    Line(cr);
    Polyline(cr, {{13.5, 24}, {34.5, 24}});
    Line(cr);
    Polyline(cr, {{26, 30}, {30, 6}, {37, 4}});
    Line(cr);
}

// A megaphone with sound lines.
void Marketing(cairo_t* cr) {
    Polygon(cr, {{6, 19}, {14, 19}, {30, 9}, {30, 37}, {14, 29}, {6, 29}});
    Line(cr);
    Polyline(cr, {{12, 29}, {15, 40}});
    Line(cr);
    Polyline(cr, {{37, 17}, {43, 14}});
    Polyline(cr, {{38, 24}, {45, 24}});
    Polyline(cr, {{37, 31}, {43, 34}});
    Line(cr);
}

// Two arrows chasing each other: the hand-over between shifts.
void WorkShift(cairo_t* cr) {
    cairo_arc(cr, 24, 24, 15, M_PI * 1.10, M_PI * 1.85);
    Line(cr);
    cairo_arc(cr, 24, 24, 15, M_PI * 0.10, M_PI * 0.85);
    Line(cr);
    auto head = [&](double angle) {
        const double x = 24 + 15 * std::cos(angle);
        const double y = 24 + 15 * std::sin(angle);
        const double t = angle + M_PI / 2;  // direction of travel
        Polyline(cr, {{x + 6 * std::cos(t - 2.4), y + 6 * std::sin(t - 2.4)},
                      {x, y},
                      {x + 6 * std::cos(t + 2.4), y + 6 * std::sin(t + 2.4)}});
        Line(cr);
    };
    head(M_PI * 1.85);
    head(M_PI * 0.85);
    Dot(cr, 24, 24, 3.2);
}

// Two overlapping chat bubbles.
void WeChat(cairo_t* cr) {
    cairo_save(cr);
    cairo_translate(cr, 19, 19);
    cairo_scale(cr, 1.0, 0.82);
    shapes::Circle(cr, 0, 0, 14);
    cairo_restore(cr);
    Line(cr);
    Polyline(cr, {{10, 27}, {8, 33}, {15, 29.5}});
    Line(cr);
    Dot(cr, 14, 18, 2);
    Dot(cr, 24, 18, 2);
    cairo_save(cr);
    cairo_translate(cr, 32, 31);
    cairo_scale(cr, 1.0, 0.8);
    shapes::Circle(cr, 0, 0, 11);
    cairo_restore(cr);
    kWhite.Set(cr);
    cairo_fill(cr);
    Polygon(cr, {{38, 38}, {41, 43}, {34, 39.5}});
    cairo_fill(cr);
    // The front bubble is white, so its dots are drawn in the tile's hue.
    shapes::Disc(cr, 28, 31, 1.6, kHues[0]);
    shapes::Disc(cr, 36, 31, 1.6, kHues[0]);
}

// Rising bars with a trend line.
void DataAnalysis(cairo_t* cr) {
    Polyline(cr, {{6, 42}, {42, 42}});
    Line(cr);
    const double heights[3] = {10, 17, 24};
    for (int i = 0; i < 3; ++i) {
        shapes::RoundedRect(cr, 10 + i * 10.5, 38 - heights[i], 6, heights[i], 1.5);
        kWhite.Set(cr);
        cairo_fill(cr);
    }
    Polyline(cr, {{8, 22}, {18, 14}, {27, 18}, {40, 6}});
    Line(cr);
    Dot(cr, 40, 6, 2.6);
}

// A coin with the yuan sign.
void Finance(cairo_t* cr) {
    shapes::Circle(cr, 24, 24, 17);
    Line(cr);
    Polyline(cr, {{17, 14}, {24, 23}, {31, 14}});
    Polyline(cr, {{24, 23}, {24, 35}});
    Polyline(cr, {{18, 25}, {30, 25}});
    Polyline(cr, {{18, 30.5}, {30, 30.5}});
    shapes::RoundStroke(cr, 2.8, kWhite);
}

// A parcel seen from above the corner: stock in and out.
void Invoicing(cairo_t* cr) {
    Polygon(cr, {{24, 5}, {41, 14}, {41, 34}, {24, 43}, {7, 34}, {7, 14}});
    Line(cr);
    Polyline(cr, {{7, 14}, {24, 23}, {41, 14}});
    Polyline(cr, {{24, 23}, {24, 43}});
    Polyline(cr, {{15.5, 9.5}, {32.5, 18.5}});
    Line(cr);
}

// A speaker with two waves.
void Sound(cairo_t* cr) {
    Polygon(cr, {{6, 18}, {13, 18}, {23, 9}, {23, 39}, {13, 30}, {6, 30}});
    kWhite.Set(cr);
    cairo_fill_preserve(cr);
    Line(cr);
    cairo_arc(cr, 24, 24, 8, -M_PI / 4, M_PI / 4);
    Line(cr);
    cairo_new_path(cr);
    cairo_arc(cr, 24, 24, 15, -M_PI / 3.2, M_PI / 3.2);
    Line(cr);
}

// Two beamed notes.
void Music(cairo_t* cr) {
    Polyline(cr, {{17, 36}, {17, 10}, {39, 5}, {39, 31}});
    Line(cr);
    Polyline(cr, {{17, 16}, {39, 11}});
    Line(cr);
    for (const auto& [x, y] : {shapes::Point{12, 37}, shapes::Point{34, 32}}) {
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, -0.35);
        cairo_scale(cr, 1.0, 0.75);
        shapes::Circle(cr, 0, 0, 6);
        cairo_restore(cr);
        kWhite.Set(cr);
        cairo_fill(cr);
    }
}

// A service bell.
void Call(cairo_t* cr) {
    cairo_move_to(cr, 9, 34);
    cairo_curve_to(cr, 9, 20, 14, 12, 24, 12);
    cairo_curve_to(cr, 34, 12, 39, 20, 39, 34);
    cairo_close_path(cr);
    Line(cr);
    Polyline(cr, {{5, 38}, {43, 38}});
    Line(cr);
    Polyline(cr, {{24, 12}, {24, 7}});
    Line(cr);
    Polyline(cr, {{20, 6}, {28, 6}});
    Line(cr);
    cairo_arc(cr, 24, 34, 12, M_PI * 1.2, M_PI * 1.45);
    shapes::RoundStroke(cr, 2.2, kWhite, 0.7);
}

// A game pad.
void Game(cairo_t* cr) {
    cairo_move_to(cr, 14, 14);
    cairo_line_to(cr, 34, 14);
    cairo_curve_to(cr, 42, 14, 45, 24, 45, 32);
    cairo_curve_to(cr, 45, 38, 39, 40, 35, 35);
    cairo_line_to(cr, 31, 30);
    cairo_line_to(cr, 17, 30);
    cairo_line_to(cr, 13, 35);
    cairo_curve_to(cr, 9, 40, 3, 38, 3, 32);
    cairo_curve_to(cr, 3, 24, 6, 14, 14, 14);
    cairo_close_path(cr);
    Line(cr);
    Polyline(cr, {{14, 18}, {14, 26}});
    Polyline(cr, {{10, 22}, {18, 22}});
    shapes::RoundStroke(cr, 2.6, kWhite);
    Dot(cr, 31, 20, 2.2);
    Dot(cr, 36, 24, 2.2);
}

struct FunctionIcon {
    const char* file;
    void (*glyph)(cairo_t*);
};

void DrawTile(ArtWriter& out, const FunctionIcon& icon, int slot) {
    Canvas canvas(kTile, kTile, out.Scale());
    cairo_t* cr = canvas.Cr();
    const Colour& hue = kHues[slot];
    shapes::Disc(cr, 40, 40, 39, hue, 0.18);
    shapes::Circle(cr, 40, 40, 35);
    shapes::FillVertical(cr, 5, 70, hue.Lighter(0.18), hue.Darker(0.06));
    // A soft light across the upper half of the disc.
    cairo_save(cr);
    shapes::Circle(cr, 40, 40, 35);
    cairo_clip(cr);
    shapes::Disc(cr, 40, -8, 44, kWhite, 0.10);
    cairo_restore(cr);

    cairo_save(cr);
    cairo_translate(cr, 16, 16);
    icon.glyph(cr);
    cairo_restore(cr);
    out.AppPng(canvas, std::string("image/") + icon.file);
}

}  // namespace

void DrawFunctionIcons(ArtWriter& out) {
    // Table order; slot = position within its group of four on the progress page.
    const std::vector<FunctionIcon> icons = {
        {"image_function_recharge.png", Recharge},
        {"image_function_bar.png", Bar},
        {"image_function_intelligent_marketing.png", Marketing},
        {"image_function_work_shift.png", WorkShift},
        {"image_function_wechat.png", WeChat},
        {"image_function_data_analysis.png", DataAnalysis},
        {"image_function_finance.png", Finance},
        {"image_function_invoicing.png", Invoicing},
        {"image_function_sound_service.png", Sound},
        {"image_function_music_service.png", Music},
        {"image_function_call_service.png", Call},
        {"image_function_game_service.png", Game},
    };
    for (size_t i = 0; i < icons.size(); ++i) DrawTile(out, icons[i], static_cast<int>(i % 4));
}
