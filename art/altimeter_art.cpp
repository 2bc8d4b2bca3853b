// Altimeter: the metric face (430) with the millibar and kilometre windows, the
// British face 0 to 9 (370) with the window at 3 o'clock, the inches disc (380,
// window 381), the millibar strip (360, window 361), the kilometre drum (350,
// window 351), the four pointers (340 metric; 400, 410, 420 British) and the
// bezel with the setting knob (390). The faces take their marks from the needle
// tables of the gauge's elements 9 (metric pointer) and 7 (1000-ft pointer).
#include <cmath>
#include <cstdio>
#include <string>

#include "art/altimeter_art.h"
#include "art/registry.h"
#include "art/toolkit.h"

namespace {

using namespace art;

constexpr const char* GAUGE = "Altimeter";
constexpr int INHG_DISC = 3, MILLIBAR_STRIP = 4, POINTER_100000FT = 5, POINTER_10000FT = 6,
              POINTER_1000FT = 7, KM_DRUM = 8, METRIC_POINTER = 9;

using namespace art::altimeter;

const TickStyle minor{TICK_OUTER, MINOR_LENGTH, 2};
const TickStyle major{TICK_OUTER, MAJOR_LENGTH, 3.5};

// The millibar strip: 1050 at its left end, 930 at its right, each centred in
// the window when that end lies under it.
constexpr double STRIP_FIRST_MB = 1050, STRIP_LAST_MB = 930;
// The inches disc: 29.9 at its 3 o'clock, 90 degrees per inch clockwise, so the
// setting stands at 3 o'clock once the sprite has turned it back.
constexpr double DISC_CENTRE_INHG = 29.9, DISC_DEG_PER_INHG = 90;
constexpr double DISC_LOWEST_INHG = 27.9, DISC_HIGHEST_INHG = 31.5;

Point point_of(PIXPOINT p) { return {double(p.x), double(p.y)}; }

const ELEMENT_HEADER& element(int number) { return gauge_element(korvane_gauge(GAUGE), number); }

// The window of a moving image or sprite on the gauge: its position and the
// size of its window bitmap, as the rows below give it.
Rect window_of(int element_number, double width, double height) {
    return {double(element(element_number).position.x), double(element(element_number).position.y), width,
            height};
}

// A small luminous index triangle with its tip at `tip`, pointing along `angle_deg`.
void index_mark(cairo_t* cr, Point tip, double angle_deg, double size) {
    Point base = polar(tip, -size, angle_deg);
    Point a = polar(base, size * 0.6, angle_deg + 90), b = polar(base, size * 0.6, angle_deg - 90);
    cairo_save(cr);
    set_colour(cr, colour::luminous);
    cairo_move_to(cr, tip.x, tip.y);
    cairo_line_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_restore(cr);
}

// ---- faces ----------------------------------------------------------------------------------

void draw_metric_face(cairo_t* cr) {
    const DialScale scale = needle_scale(GAUGE, METRIC_POINTER);
    dial_face(cr, scale.pivot, FACE_RADIUS);
    ticks(cr, scale, 0, 980, 20, minor, 100);
    ticks(cr, scale, 0, 900, 100, major);
    const TextStyle figure_style{19, Font::SansBold, colour::figure};
    figure_at(cr, scale, 0, "0", 118, figure_style);
    const char* labels[] = {"0,1", "0,2", "0,3", "0,4", "0,5", "0,6", "0,7", "0,8", "0,9"};
    for (int i = 0; i < 9; ++i) figure_at(cr, scale, 100.0 * (i + 1), labels[i], 118, figure_style);
    dots(cr, scale, {0, 100, 200, 300, 400, 500, 600, 700, 800, 900}, 138, 2.2);

    const Rect strip = window_of(MILLIBAR_STRIP, 56, 34);
    window_recess(cr, strip, 2);
    index_mark(cr, {strip.x + strip.w / 2, strip.y + 4}, 90, 6);
    index_mark(cr, {strip.x + strip.w / 2, strip.y + strip.h - 4}, 270, 6);
    const Rect drum = window_of(KM_DRUM, 40, 40);
    window_recess(cr, drum, 2);

    const TextStyle label{15, Font::Sans, colour::figure};
    text(cr, "mb", {scale.pivot.x, strip.y + strip.h + 13}, label);
    text(cr, "km", {drum.x + drum.w + 18, drum.y + drum.h / 2}, label);
}

void draw_british_face(cairo_t* cr) {
    const DialScale scale = needle_scale(GAUGE, POINTER_1000FT);
    dial_face(cr, scale.pivot, FACE_RADIUS);
    ticks(cr, scale, 0, 980, 20, minor, 100);
    ticks(cr, scale, 0, 900, 100, {TICK_OUTER, 12, 3.5});
    const TextStyle figure_style{21, Font::SansBold, colour::figure};
    const char* labels[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (int i = 0; i < 10; ++i) figure_at(cr, scale, 100.0 * i, labels[i], 120, figure_style);
    dots(cr, scale, {0, 100, 200, 300, 400, 500, 600, 700, 800, 900}, 138, 2.2);

    // The window the inches disc shows through, with index marks at its 3 o'clock line.
    const PIXPOINT disc_centre = element(INHG_DISC).ofs;
    const Rect disc = window_of(INHG_DISC, 45, 54);
    window_recess(cr, disc, 1);
    index_mark(cr, {disc.x - 1, double(disc_centre.y)}, 0, 6);

    text(cr, "FEET", {scale.pivot.x, scale.pivot.y + 42}, {14, Font::Sans, colour::figure});
}

// ---- moving parts ------------------------------------------------------------------------------

void draw_inhg_disc(cairo_t* cr) {
    const Point c{110, 110};
    cairo_save(cr);
    set_colour(cr, colour::drum);
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, 110, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);

    auto angle = [](double inhg) { return (inhg - DISC_CENTRE_INHG) * DISC_DEG_PER_INHG; };
    auto mark = [&](double inhg, double length, double width) {
        Point outer = polar(c, 107, angle(inhg)), inner = polar(c, 107 - length, angle(inhg));
        cairo_save(cr);
        set_colour(cr, colour::figure);
        cairo_set_line_width(cr, width);
        cairo_move_to(cr, outer.x, outer.y);
        cairo_line_to(cr, inner.x, inner.y);
        cairo_stroke(cr);
        cairo_restore(cr);
    };
    const TextStyle figure_style{13, Font::SansBold, colour::figure};
    // Whole hundredths: 27.90 .. 31.50 in steps of 0.05, figures every 0.1.
    for (int hundredths = 2790; hundredths <= 3150; hundredths += 5) {
        const double inhg = hundredths / 100.0;
        if (hundredths % 10 == 0) {
            mark(inhg, 10, 1.6);
            char label[8];
            std::snprintf(label, sizeof label, "%.1f", inhg);
            text(cr, label, polar(c, 82, angle(inhg)), figure_style, angle(inhg));
        } else {
            mark(inhg, 5, 1.2);
        }
    }
}

void draw_disc_window(cairo_t* cr) { window_rect(cr, {0, 0, 45, 54}); }

void draw_millibar_strip(cairo_t* cr) {
    const double width = 775, window = 56;
    const double first = window / 2;
    const double px_per_mb = (width - window) / (STRIP_FIRST_MB - STRIP_LAST_MB);
    flat_face(cr, {0, 0, width, 34}, colour::drum);
    const TextStyle figure_style{13, Font::SansBold, colour::figure};
    for (int mb = int(STRIP_FIRST_MB); mb >= int(STRIP_LAST_MB); --mb) {
        const double x = first + (STRIP_FIRST_MB - mb) * px_per_mb;
        const double length = mb % 10 == 0 ? 10 : mb % 5 == 0 ? 7 : 4;
        cairo_save(cr);
        set_colour(cr, colour::figure);
        cairo_set_line_width(cr, mb % 10 == 0 ? 1.6 : 1.0);
        cairo_move_to(cr, x, 34);
        cairo_line_to(cr, x, 34 - length);
        cairo_stroke(cr);
        cairo_restore(cr);
        if (mb % 10 == 0) text(cr, std::to_string(mb), {x, 12}, figure_style);
    }
}

void draw_millibar_window(cairo_t* cr) { window_rect(cr, {0, 0, 56, 34}); }

void draw_km_drum(cairo_t* cr) {
    StripStyle style;
    style.vertical = false;
    style.spacing = 40;
    style.first_centre = 20;
    style.text = {24, Font::SansBold, colour::figure};
    strip(cr, {0, 0, 840, 40},
          {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17",
           "18", "19", "20"},
          style);
}

void draw_km_window(cairo_t* cr) { window_rect(cr, {0, 0, 40, 40}); }

// ---- pointers -----------------------------------------------------------------------------------

void draw_metric_pointer(cairo_t* cr) {
    NeedleStyle style;
    style.length = 115;
    style.width = 8;
    style.tail = 40;
    style.tail_width = 15;
    style.hub_radius = 10;
    needle(cr, point_of(element(METRIC_POINTER).ofs), style);
}

void draw_1000ft_pointer(cairo_t* cr) {
    NeedleStyle style;
    style.length = 112;
    style.width = 7;
    style.tail = 33;
    style.tail_width = 12;
    style.hub_radius = 9;
    needle(cr, point_of(element(POINTER_1000FT).ofs), style);
}

void draw_10000ft_pointer(cairo_t* cr) {
    NeedleStyle style;
    style.length = 68;
    style.width = 15;
    style.tail = 30;
    style.tail_width = 16;
    style.hub_radius = 11;
    style.luminous_from = 0.35;
    needle(cr, point_of(element(POINTER_10000FT).ofs), style);
}

// A thin bar from the pivot with a triangular tip near the rim.
void draw_100000ft_pointer(cairo_t* cr) {
    const Point pivot = point_of(element(POINTER_100000FT).ofs);
    cairo_save(cr);
    cairo_translate(cr, pivot.x, pivot.y);
    set_colour(cr, colour::figure);
    cairo_rectangle(cr, 0, -1.2, 68, 2.4);
    cairo_fill(cr);
    cairo_move_to(cr, 64, -5.5);
    cairo_line_to(cr, 81.5, 0);
    cairo_line_to(cr, 64, 5.5);
    cairo_close_path(cr);
    set_colour(cr, colour::luminous);
    cairo_fill_preserve(cr);
    set_colour(cr, colour::figure);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// ---- bezel with the setting knob -----------------------------------------------------------

void draw_bezel(cairo_t* cr) {
    const Point c = point_of(element(METRIC_POINTER).position);
    bezel_ring(cr, c, {149, 137, 4, 45, 10, 190});
    // The knob fills the knob area at the bottom: left half lowers, right half raises.
    const Point knob_centre{150, 303};
    knob(cr, knob_centre, 25, 28);
    const TextStyle sign{18, Font::SansBold, colour::figure};
    text(cr, "-", {knob_centre.x - 38, knob_centre.y + 4}, sign);
    text(cr, "+", {knob_centre.x + 38, knob_centre.y + 4}, sign);
}

constexpr ArtEntry rows[] = {
    {"Korvane", 340, 160, 56, draw_metric_pointer},
    {"Korvane", 350, 840, 40, draw_km_drum},
    {"Korvane", 351, 40, 40, draw_km_window},
    {"Korvane", 360, 775, 34, draw_millibar_strip},
    {"Korvane", 361, 56, 34, draw_millibar_window},
    {"Korvane", 370, 300, 300, draw_british_face},
    {"Korvane", 380, 220, 220, draw_inhg_disc},
    {"Korvane", 381, 45, 54, draw_disc_window},
    {"Korvane", 390, 300, 330, draw_bezel},
    {"Korvane", 400, 149, 26, draw_1000ft_pointer},
    {"Korvane", 410, 103, 28, draw_10000ft_pointer},
    {"Korvane", 420, 82, 12, draw_100000ft_pointer},
    {"Korvane", 430, 300, 330, draw_metric_face},
};

}  // namespace

ART_GAUGE(altimeter){rows};
