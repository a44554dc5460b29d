#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "Art.h"
#include "ArtWriter.h"
#include "Canvas.h"
#include "Palette.h"
#include "Shapes.h"

using namespace palette;

namespace {

// Feature tiles of the progress page: 80 × 80, a round tile in one of four hues (slot order, so
// every group of four shows all four) and a white line glyph drawn in a 48-unit box at (16, 16).
constexpr int kTile = 80;
constexpr double kLine = 3.4;

const Colour kHues[4] = {Colour::Hex(0x1fb5a6), kAccent, Colour::Hex(0x6a5cf0), Colour::Hex(0xf19a2c)};

void Line(cairo_t* cr) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    shapes::Stroke(cr, kLine, kWhite);
}

void Dot(cairo_t* cr, double x, double y, double r) {
    shapes::Circle(cr, x, y, r);
    kWhite.Set(cr);
    cairo_fill(cr);
}

// Member card with a coin bearing a plus.
void Recharge(cairo_t* cr) {
    shapes::RoundedRect(cr, 4, 10, 34, 24, 4);
    Line(cr);
    cairo_move_to(cr, 4, 18);
    cairo_line_to(cr, 38, 18);
    Line(cr);
    shapes::Circle(cr, 36, 34, 9);
    kWhite.Set(cr);
    cairo_fill(cr);
    cairo_move_to(cr, 36, 29.5);
    cairo_line_to(cr, 36, 38.5);
    cairo_move_to(cr, 31.5, 34);
    cairo_line_to(cr, 40.5, 34);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    shapes::Stroke(cr, 2.6, kHues[0]);
}

// A tall glass with a straw.
void Bar(cairo_t* cr) {
    cairo_move_to(cr, 12, 14);
    cairo_line_to(cr, 36, 14);
    cairo_line_to(cr, 33, 42);
    cairo_line_to(cr, 15, 42);
    cairo_close_path(cr);
    Line(cr);
    cairo_move_to(cr, 13.5, 24);
    cairo_line_to(cr, 34.5, 24);
    Line(cr);
    cairo_move_to(cr, 26, 30);
    cairo_line_to(cr, 30, 6);
    cairo_line_to(cr, 37, 4);
    Line(cr);
}

// A megaphone with sound lines.
void Marketing(cairo_t* cr) {
    cairo_move_to(cr, 6, 19);
    cairo_line_to(cr, 14, 19);
    cairo_line_to(cr, 30, 9);
    cairo_line_to(cr, 30, 37);
    cairo_line_to(cr, 14, 29);
    cairo_line_to(cr, 6, 29);
    cairo_close_path(cr);
    Line(cr);
    cairo_move_to(cr, 12, 29);
    cairo_line_to(cr, 15, 40);
    Line(cr);
    cairo_move_to(cr, 37, 17);
    cairo_line_to(cr, 43, 14);
    cairo_move_to(cr, 38, 24);
    cairo_line_to(cr, 45, 24);
    cairo_move_to(cr, 37, 31);
    cairo_line_to(cr, 43, 34);
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
        cairo_move_to(cr, x + 6 * std::cos(t - 2.4), y + 6 * std::sin(t - 2.4));
        cairo_line_to(cr, x, y);
        cairo_line_to(cr, x + 6 * std::cos(t + 2.4), y + 6 * std::sin(t + 2.4));
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
    cairo_move_to(cr, 10, 27);
    cairo_line_to(cr, 8, 33);
    cairo_line_to(cr, 15, 29.5);
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
    cairo_move_to(cr, 38, 38);
    cairo_line_to(cr, 41, 43);
    cairo_line_to(cr, 34, 39.5);
    cairo_close_path(cr);
    cairo_fill(cr);
    Dot(cr, 28, 31, 1.6);
    Dot(cr, 36, 31, 1.6);
    shapes::Circle(cr, 28, 31, 1.6);
    shapes::Circle(cr, 36, 31, 1.6);
    kHues[0].Set(cr);
    cairo_fill(cr);
}

// Rising bars with a trend line.
void DataAnalysis(cairo_t* cr) {
    cairo_move_to(cr, 6, 42);
    cairo_line_to(cr, 42, 42);
    Line(cr);
    const double heights[3] = {10, 17, 24};
    for (int i = 0; i < 3; ++i) {
        shapes::RoundedRect(cr, 10 + i * 10.5, 38 - heights[i], 6, heights[i], 1.5);
        kWhite.Set(cr);
        cairo_fill(cr);
    }
    cairo_move_to(cr, 8, 22);
    cairo_line_to(cr, 18, 14);
    cairo_line_to(cr, 27, 18);
    cairo_line_to(cr, 40, 6);
    Line(cr);
    Dot(cr, 40, 6, 2.6);
}

// A coin with the yuan sign.
void Finance(cairo_t* cr) {
    shapes::Circle(cr, 24, 24, 17);
    Line(cr);
    cairo_move_to(cr, 17, 14);
    cairo_line_to(cr, 24, 23);
    cairo_line_to(cr, 31, 14);
    cairo_move_to(cr, 24, 23);
    cairo_line_to(cr, 24, 35);
    cairo_move_to(cr, 18, 25);
    cairo_line_to(cr, 30, 25);
    cairo_move_to(cr, 18, 30.5);
    cairo_line_to(cr, 30, 30.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    shapes::Stroke(cr, 2.8, kWhite);
}

// A parcel seen from above the corner: stock in and out.
void Invoicing(cairo_t* cr) {
    cairo_move_to(cr, 24, 5);
    cairo_line_to(cr, 41, 14);
    cairo_line_to(cr, 41, 34);
    cairo_line_to(cr, 24, 43);
    cairo_line_to(cr, 7, 34);
    cairo_line_to(cr, 7, 14);
    cairo_close_path(cr);
    Line(cr);
    cairo_move_to(cr, 7, 14);
    cairo_line_to(cr, 24, 23);
    cairo_line_to(cr, 41, 14);
    cairo_move_to(cr, 24, 23);
    cairo_line_to(cr, 24, 43);
    cairo_move_to(cr, 15.5, 9.5);
    cairo_line_to(cr, 32.5, 18.5);
    Line(cr);
}

// A speaker with two waves.
void Sound(cairo_t* cr) {
    cairo_move_to(cr, 6, 18);
    cairo_line_to(cr, 13, 18);
    cairo_line_to(cr, 23, 9);
    cairo_line_to(cr, 23, 39);
    cairo_line_to(cr, 13, 30);
    cairo_line_to(cr, 6, 30);
    cairo_close_path(cr);
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
    cairo_move_to(cr, 17, 36);
    cairo_line_to(cr, 17, 10);
    cairo_line_to(cr, 39, 5);
    cairo_line_to(cr, 39, 31);
    Line(cr);
    cairo_move_to(cr, 17, 16);
    cairo_line_to(cr, 39, 11);
    Line(cr);
    for (const auto& [x, y] : {std::pair{12.0, 37.0}, std::pair{34.0, 32.0}}) {
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
    cairo_move_to(cr, 5, 38);
    cairo_line_to(cr, 43, 38);
    Line(cr);
    cairo_move_to(cr, 24, 12);
    cairo_line_to(cr, 24, 7);
    Line(cr);
    cairo_move_to(cr, 20, 6);
    cairo_line_to(cr, 28, 6);
    Line(cr);
    cairo_arc(cr, 24, 34, 12, M_PI * 1.2, M_PI * 1.45);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    shapes::Stroke(cr, 2.2, kWhite, 0.7);
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
    cairo_move_to(cr, 14, 18);
    cairo_line_to(cr, 14, 26);
    cairo_move_to(cr, 10, 22);
    cairo_line_to(cr, 18, 22);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    shapes::Stroke(cr, 2.6, kWhite);
    Dot(cr, 31, 20, 2.2);
    Dot(cr, 36, 24, 2.2);
}

struct FunctionIcon {
    const char* file;
    void (*glyph)(cairo_t*);
};

void DrawTile(ArtWriter& out, const FunctionIcon& icon, int slot) {
    Canvas canvas(kTile, kTile);
    cairo_t* cr = canvas.Cr();
    const Colour& hue = kHues[slot];
    shapes::Circle(cr, 40, 40, 39);
    hue.Set(cr, 0.18);
    cairo_fill(cr);
    shapes::Circle(cr, 40, 40, 35);
    shapes::FillVertical(cr, 5, 70, hue.Lighter(0.18), hue.Darker(0.06));
    // A soft light across the upper half of the disc.
    cairo_save(cr);
    shapes::Circle(cr, 40, 40, 35);
    cairo_clip(cr);
    shapes::Circle(cr, 40, -8, 44);
    kWhite.Set(cr, 0.10);
    cairo_fill(cr);
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
