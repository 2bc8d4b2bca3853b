// Airspeed: the km/h face (300), the knots face (330), the needle both share
// (310) and the bezel ring (320). The faces take their marks from the needle
// tables of the gauge's elements 3 (km/h) and 4 (knots).
#include "art/airspeed_art.h"

#include "art/registry.h"
#include "art/toolkit.h"

namespace {

using namespace art;
using namespace art::airspeed;

constexpr const char* GAUGE = "Airspeed";
constexpr int METRIC_NEEDLE = 3, BRITISH_NEEDLE = 4;

const TickStyle minor{TICK_OUTER_RADIUS, MINOR_LENGTH, MINOR_WIDTH};
const TickStyle medium{TICK_OUTER_RADIUS, MEDIUM_LENGTH, MEDIUM_WIDTH};
const TickStyle major{TICK_OUTER_RADIUS, MAJOR_LENGTH, MAJOR_WIDTH};
const TextStyle figure_style{27, Font::SansBold, colour::figure};
const TextStyle unit_style{21, Font::Sans, colour::figure};

void draw_metric_face(cairo_t* cr) {
    const DialScale scale = needle_scale(GAUGE, METRIC_NEEDLE);
    dial_face(cr, scale.pivot, FACE_RADIUS);
    ticks(cr, scale, 80, 750, 10, minor, 50);
    ticks(cr, scale, 100, 750, 50, medium, 100);
    ticks(cr, scale, 100, 700, 100, major);
    row_marks(cr, scale, 80, 750, major);
    figures(cr, scale, {80, 200, 300, 400, 500, 600, 700}, FIGURE_OUTER_RADIUS, figure_style);
    dots(cr, scale, {80, 200, 300, 400, 500, 600, 700}, DOT_RADIUS, 3.2);
    text(cr, "km/h", {scale.pivot.x, scale.pivot.y + 50}, unit_style);
}

void draw_british_face(cairo_t* cr) {
    const DialScale scale = needle_scale(GAUGE, BRITISH_NEEDLE);
    dial_face(cr, scale.pivot, FACE_RADIUS);
    ticks(cr, scale, 40, 400, 5, minor, 10);
    ticks(cr, scale, 50, 400, 10, medium, 50);
    ticks(cr, scale, 50, 400, 50, major);
    row_marks(cr, scale, 40, 400, major);
    figures(cr, scale, {40, 100, 150, 200, 250, 300, 350, 400}, FIGURE_OUTER_RADIUS, figure_style);
    dots(cr, scale, {40, 100, 150, 200, 250, 300, 350, 400}, DOT_RADIUS, 3.2);
    text(cr, "knots", {scale.pivot.x, scale.pivot.y + 50}, unit_style);
}

void draw_needle(cairo_t* cr) {
    // The pivot inside the bitmap is the needle element's offset.
    const PIXPOINT pivot = gauge_element(korvane_gauge(GAUGE), METRIC_NEEDLE).ofs;
    NeedleStyle style;
    style.length = 115;
    style.width = 8;
    style.tail = 36;
    style.tail_width = 15;
    style.hub_radius = 10;
    needle(cr, {double(pivot.x), double(pivot.y)}, style);
}

void draw_bezel(cairo_t* cr) {
    const PIXPOINT centre = gauge_element(korvane_gauge(GAUGE), METRIC_NEEDLE).position;
    const Point c{double(centre.x), double(centre.y)};
    bezel_ring(cr, c, {149, 137, 4, 45, 10, 190});
    plate(cr, {80, 302, 140, 26}, "Fahrtmesser", {16, Font::SansBold, colour::figure});
}

constexpr ArtEntry rows[] = {
    {"Korvane", 300, 300, 330, draw_metric_face},
    {"Korvane", 310, 160, 56, draw_needle},
    {"Korvane", 320, 300, 330, draw_bezel},
    {"Korvane", 330, 300, 330, draw_british_face},
};

}  // namespace

ART_GAUGE(airspeed){rows};
