// Vertical_Speed: the metric face in m/s (1120), the British face in thousands
// of feet per minute (1160), the needle both share (1130), the metric face's
// cover plate and rim (1150) and the bezel (1140). The faces take their marks
// from the needle tables of elements 4 (metric) and 3 (British).
#include <cmath>
#include <string>

#include "art/registry.h"
#include "art/toolkit.h"

namespace {

using namespace art;

constexpr const char* GAUGE = "Vertical_Speed";
constexpr int BRITISH_NEEDLE = 3, METRIC_NEEDLE = 4;

// Token 65 counts 1/256 m/s; 1000 ft/min is this many of them.
constexpr double PER_MS = 256;
constexpr double PER_1000_FPM = 1300.4799583846413;

constexpr double FACE_RADIUS = 140, TICK_OUTER = 133;
const TickStyle minor{TICK_OUTER, 8, 2};
const TickStyle major{TICK_OUTER, 16, 3.5};

// The metric scale ends at +-15 m/s; the cover plate hides the rest of the dial,
// around 3 o'clock, and the needle's tail there.
constexpr double COVER_FROM_DEG = 320, COVER_TO_DEG = 400;

void draw_metric_face(cairo_t* cr) {
    const DialScale scale = needle_scale(GAUGE, METRIC_NEEDLE);
    dial_face(cr, scale.pivot, FACE_RADIUS);
    ticks(cr, scale, -15 * PER_MS, 15 * PER_MS, PER_MS, minor, 5 * PER_MS);
    ticks(cr, scale, -15 * PER_MS, 15 * PER_MS, 5 * PER_MS, major);
    const TextStyle figure_style{24, Font::SansBold, colour::figure};
    figure_at(cr, scale, 0, "0", 113, figure_style);
    for (int ms : {5, 10, 15}) {
        figure_at(cr, scale, ms * PER_MS, std::to_string(ms), 113, figure_style);
        figure_at(cr, scale, -ms * PER_MS, std::to_string(ms), 113, figure_style);
    }
    dots(cr, scale, {-15 * PER_MS, -10 * PER_MS, -5 * PER_MS, 0, 5 * PER_MS, 10 * PER_MS, 15 * PER_MS}, 139,
         2.4);
    const TextStyle label{14, Font::Sans, colour::figure};
    text(cr, "Steigen", {scale.pivot.x - 22, scale.pivot.y - 52}, label);
    text(cr, "Sinken", {scale.pivot.x - 22, scale.pivot.y + 52}, label);
}

void draw_british_face(cairo_t* cr) {
    const DialScale scale = needle_scale(GAUGE, BRITISH_NEEDLE);
    dial_face(cr, scale.pivot, FACE_RADIUS);
    const double k = PER_1000_FPM;
    ticks(cr, scale, -2 * k, 2 * k, 0.5 * k, minor, k);
    ticks(cr, scale, -6 * k, 6 * k, k, major);
    ticks(cr, scale, 2.5 * k, 5.5 * k, k, minor);
    ticks(cr, scale, -5.5 * k, -2.5 * k, k, minor);
    const TextStyle figure_style{22, Font::SansBold, colour::figure};
    figure_at(cr, scale, 0, "0", 112, figure_style);
    const struct {
        double thousands;
        const char* label;
    } marks[] = {{0.5, ".5"}, {1, "1"}, {2, "2"}, {4, "4"}, {6, "6"}};
    for (const auto& m : marks) {
        figure_at(cr, scale, m.thousands * k, m.label, 112, figure_style);
        figure_at(cr, scale, -m.thousands * k, m.label, 112, figure_style);
    }
    const TextStyle label{13, Font::SansBold, colour::figure};
    text(cr, "UP", {scale.pivot.x - 30, scale.pivot.y - 50}, label);
    text(cr, "DOWN", {scale.pivot.x - 30, scale.pivot.y + 50}, label);
    text(cr, "1000 FT", {scale.pivot.x + 40, scale.pivot.y - 10}, {11, Font::Sans, colour::figure});
    text(cr, "PER MIN", {scale.pivot.x + 40, scale.pivot.y + 6}, {11, Font::Sans, colour::figure});
}

void draw_needle(cairo_t* cr) {
    const PIXPOINT pivot = gauge_element(korvane_gauge(GAUGE), METRIC_NEEDLE).ofs;
    NeedleStyle style;
    style.length = 105;
    style.width = 9;
    style.tail = 35;
    style.tail_width = 14;
    style.hub_radius = 11;
    needle(cr, {double(pivot.x), double(pivot.y)}, style);
}

// The sector of the dial the metric scale leaves unused, and the dial's rim, both
// in front of the needles.
void draw_metric_cover(cairo_t* cr) {
    const Point c{150, 150};
    const double deg = M_PI / 180;
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, 139, COVER_FROM_DEG * deg, COVER_TO_DEG * deg);
    cairo_arc_negative(cr, c.x, c.y, 16, COVER_TO_DEG * deg, COVER_FROM_DEG * deg);
    cairo_close_path(cr);
    set_colour(cr, colour::plate);
    cairo_fill_preserve(cr);
    set_colour(cr, colour::bezel_light);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, 140, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc(cr, c.x, c.y, 135, 0, 2 * M_PI);
    set_colour(cr, colour::face_rim);
    cairo_fill(cr);
    cairo_restore(cr);
    screw_head(cr, polar(c, 105, 0), 6, 60);
    text(cr, "m/s", polar(c, 62, 0), {17, Font::SansBold, colour::figure});
}

void draw_bezel(cairo_t* cr) { bezel_ring(cr, {150, 150}, {149, 137, 4, 45, 10, 190}); }

constexpr ArtEntry rows[] = {
    {"Korvane", 1120, 300, 300, draw_metric_face},
    {"Korvane", 1130, 143, 30, draw_needle},
    {"Korvane", 1140, 300, 300, draw_bezel},
    {"Korvane", 1150, 300, 300, draw_metric_cover},
    {"Korvane", 1160, 300, 300, draw_british_face},
};

}  // namespace

ART_GAUGE(vertical_speed){rows};
