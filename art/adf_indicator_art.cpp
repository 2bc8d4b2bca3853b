// ADF_Indicator: the compass dial marked 0 to 33 (2070), the homing face with its
// short scale 20 degrees either side of the top (2100), the compass needle (2080),
// the long narrow homing needle (2110), the homing face's front plate with its
// left and right arrows (2120) and the bezel with the lubber mark (2090). The
// compass dial takes its marks from needle element 3's table, the homing face
// from needle element 4's (pivoted near the bottom).
#include "art/registry.h"
#include "art/toolkit.h"
#include "module/gauge_model.h"

namespace {

using namespace art;

constexpr const char* GAUGE = "ADF_Indicator";
constexpr int COMPASS_NEEDLE = 3, HOMING_NEEDLE = 4;

constexpr double FACE_RADIUS = 140;

// Compass dial.
constexpr double COMPASS_TICK_OUTER = 128;
constexpr double COMPASS_FIGURE_OUTER = 104;
// Homing scale, measured from the homing needle's pivot near the bottom.
constexpr double HOMING_TICK_OUTER = 222;
constexpr double HOMING_FIGURE_OUTER = 196;

const TextStyle figure_style{24, Font::SansBold, colour::figure};
const TextStyle homing_figure_style{18, Font::SansBold, colour::figure};
const TextStyle side_style{16, Font::SansBold, colour::luminous};

Point pixpoint(PIXPOINT p) { return {double(p.x), double(p.y)}; }

// The dial's centre: the compass needle's pivot.
Point dial_centre() { return needle_scale(GAUGE, COMPASS_NEEDLE).pivot; }

void draw_compass_dial(cairo_t* cr) {
    const DialScale scale = needle_scale(GAUGE, COMPASS_NEEDLE);
    dial_face(cr, scale.pivot, FACE_RADIUS);
    ticks(cr, scale, 0, 355, 5, {COMPASS_TICK_OUTER, 8, 2}, 10);
    ticks(cr, scale, 10, 350, 10, {COMPASS_TICK_OUTER, 12, 3}, 30);
    ticks(cr, scale, 0, 330, 30, {COMPASS_TICK_OUTER, 18, 4});
    for (int k = 0; k < 12; ++k)
        figure_at(cr, scale, 30.0 * k, std::to_string(3 * k), COMPASS_FIGURE_OUTER, figure_style);
    dots(cr, scale, {0}, COMPASS_TICK_OUTER - 24, 4);
    text(cr, "ADF", {scale.pivot.x, scale.pivot.y + 44}, {16, Font::Sans, colour::figure});
}

// Covers the compass dial whole; its scale reads 20 left, 0, 20 right.
void draw_homing_face(cairo_t* cr) {
    const DialScale scale = needle_scale(GAUGE, HOMING_NEEDLE);
    dial_face(cr, dial_centre(), FACE_RADIUS);
    ticks(cr, scale, 340, 380, 2, {HOMING_TICK_OUTER, 8, 2}, 10);
    ticks(cr, scale, 350, 370, 10, {HOMING_TICK_OUTER, 14, 3});
    row_marks(cr, scale, 340, 380, {HOMING_TICK_OUTER, 22, 4});
    arc(cr, scale, 340, 380, HOMING_TICK_OUTER + 3, 2, colour::figure);
    figure_at(cr, scale, 340, "20", HOMING_FIGURE_OUTER, homing_figure_style);
    figure_at(cr, scale, 350, "10", HOMING_FIGURE_OUTER, homing_figure_style);
    figure_at(cr, scale, 360, "0", HOMING_FIGURE_OUTER, homing_figure_style);
    figure_at(cr, scale, 370, "10", HOMING_FIGURE_OUTER, homing_figure_style);
    figure_at(cr, scale, 380, "20", HOMING_FIGURE_OUTER, homing_figure_style);
    dots(cr, scale, {360}, HOMING_TICK_OUTER + 10, 4);
    text(cr, "Zielflug", {dial_centre().x, dial_centre().y + 10}, {16, Font::Sans, colour::figure});
}

// A double-ended pointer: the luminous head points at the station.
void draw_compass_needle(cairo_t* cr) {
    const PIXPOINT pivot = gauge_element(korvane_gauge(GAUGE), COMPASS_NEEDLE).ofs;
    NeedleStyle style;
    style.length = 106;
    style.width = 9;
    style.tail = 96;
    style.tail_width = 10;
    style.hub_radius = 9;
    style.luminous_from = 0.5;
    needle(cr, pixpoint(pivot), style);
}

// Long and narrow, pivoted at its own left end.
void draw_homing_needle(cairo_t* cr) {
    const PIXPOINT pivot = gauge_element(korvane_gauge(GAUGE), HOMING_NEEDLE).ofs;
    NeedleStyle style;
    style.length = 222;
    style.width = 6;
    style.tail = 0;
    style.tail_width = 0;
    style.hub_radius = 5;
    style.luminous_from = 0.7;
    needle(cr, pixpoint(pivot), style);
}

// The plate in front of the homing needle's pivot, an arrow either side of it.
void draw_homing_plate(cairo_t* cr) {
    const Point pivot = needle_scale(GAUGE, HOMING_NEEDLE).pivot;
    plate(cr, {pivot.x - 80, pivot.y - 34, 160, 44}, "", side_style, colour::plate, false);
    cairo_save(cr);
    set_colour(cr, colour::luminous);
    for (double side : {-1.0, 1.0}) {
        double x = pivot.x + side * 48;
        double y = pivot.y - 12;
        cairo_move_to(cr, x + side * 18, y);
        cairo_line_to(cr, x, y - 9);
        cairo_line_to(cr, x, y + 9);
        cairo_close_path(cr);
        cairo_fill(cr);
        cairo_rectangle(cr, side < 0 ? x : x - 16, y - 3, 16, 6);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    knob(cr, {pivot.x, pivot.y - 12}, 9, 0);
}

void draw_bezel(cairo_t* cr) {
    const Point c = dial_centre();
    bezel_ring(cr, c, {149, 137, 4, 45, 7});
    // The lubber mark at the top: dead ahead.
    cairo_save(cr);
    set_colour(cr, colour::luminous);
    cairo_move_to(cr, c.x, c.y - 127);
    cairo_line_to(cr, c.x - 7, c.y - 136);
    cairo_line_to(cr, c.x + 7, c.y - 136);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_restore(cr);
}

constexpr ArtEntry rows[] = {
    {"Korvane", 2070, 300, 300, draw_compass_dial},
    {"Korvane", 2080, 220, 22, draw_compass_needle},
    {"Korvane", 2090, 300, 300, draw_bezel},
    {"Korvane", 2100, 300, 300, draw_homing_face},
    {"Korvane", 2110, 224, 13, draw_homing_needle},
    {"Korvane", 2120, 300, 300, draw_homing_plate},
};

}  // namespace

ART_GAUGE(adf_indicator){rows};
