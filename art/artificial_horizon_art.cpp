// Artificial_Horizon: the face with the ball tube and the bank scale (1000), the
// horizon bar (1010) and its window (1011), the bank index (1020), the miniature
// aircraft (1030), the caging ring at Fest (1040) and at Los (1070), the warning
// flag (1050) and the ball (1060). The bank scale is placed from the bank index's
// needle table (element 4); the tube follows the ball slider's scales (element 2).
#include <cmath>

#include "art/registry.h"
#include "art/toolkit.h"

namespace {

using namespace art;

constexpr const char* GAUGE = "Artificial_Horizon";
constexpr int BALL = 2, HORIZON_BAR = 3, BANK_INDEX = 4, AIRCRAFT = 5;

constexpr double RING_OUTER = 151, RING_INNER = 138;
const Point ring_centre{152, 152};

// Pale fluid in the tubes, dark enough paint for the ball.
constexpr Rgb fluid = rgb8(196, 200, 182);
constexpr Rgb ball_paint = rgb8(26, 26, 26);

const ELEMENT_HEADER& element(int number) { return gauge_element(korvane_gauge(GAUGE), number); }
Point point_of(PIXPOINT p) { return {double(p.x), double(p.y)}; }

// The ball's centre path: the slider moves x * scale_x sideways and x^2 * |scale_y|
// upwards, a parabola drawn as the circle of the same curvature.
struct Tube {
    Point centre;   // of the circle
    double radius;
};
Tube ball_tube() {
    const SLIDER& s = reinterpret_cast<const SLIDER&>(element(BALL));
    // rise = (shift / scale_x)^2 * |scale_y|  =>  curvature 2 |scale_y| / scale_x^2
    const double radius = s.scale_x * s.scale_x / (2 * std::fabs(s.scale_y));
    const Point ball{s.header.position.x + 7.0, s.header.position.y + 8.5};  // centre of the 14 x 17 ball
    return {{ball.x, ball.y - radius}, radius};
}

void line(cairo_t* cr, Point a, Point b, double width, Rgb ink) {
    cairo_save(cr);
    set_colour(cr, ink);
    cairo_set_line_width(cr, width);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void triangle(cairo_t* cr, Point a, Point b, Point c, Rgb ink) {
    cairo_save(cr);
    set_colour(cr, ink);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    cairo_line_to(cr, c.x, c.y);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_restore(cr);
}

// ---- face ---------------------------------------------------------------------------------

void draw_face(cairo_t* cr) {
    dial_face(cr, ring_centre, 145);

    // Frame of the horizon window.
    const ELEMENT_HEADER& bar = element(HORIZON_BAR);
    cairo_save(cr);
    set_colour(cr, colour::bezel);
    cairo_rectangle(cr, bar.position.x - 3, bar.position.y - 3, 168 + 6, 145 + 6);
    cairo_fill(cr);
    cairo_restore(cr);

    // Bank scale above the window: the bank index's marker lies opposite its
    // needle direction, so each mark stands opposite the needle's angle.
    const DialScale bank = needle_scale(GAUGE, BANK_INDEX);
    for (double b : {-60.0, -45.0, -30.0, -20.0, -10.0, 10.0, 20.0, 30.0, 45.0, 60.0}) {
        const double a = bank.angle_deg(b) + 180;
        const bool major = b == -60 || b == -30 || b == 30 || b == 60;
        line(cr, polar(bank.pivot, 84, a), polar(bank.pivot, major ? 100 : 94, a), major ? 3 : 2,
             colour::figure);
    }
    const double top = bank.angle_deg(0) + 180;
    triangle(cr, polar(bank.pivot, 84, top), polar(polar(bank.pivot, 98, top), 7, top + 90),
             polar(polar(bank.pivot, 98, top), 7, top - 90), colour::luminous);

    // The curved tube of the inclinometer, with the centre marks.
    const Tube tube = ball_tube();
    const double half_angle = std::asin(62 / tube.radius) * 180 / M_PI;
    const double a0 = (90 - half_angle) * M_PI / 180, a1 = (90 + half_angle) * M_PI / 180;
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    set_colour(cr, colour::face_rim);
    cairo_set_line_width(cr, 24);
    cairo_new_path(cr);
    cairo_arc(cr, tube.centre.x, tube.centre.y, tube.radius, a0, a1);
    cairo_stroke(cr);
    set_colour(cr, fluid);
    cairo_set_line_width(cr, 19);
    cairo_new_path(cr);
    cairo_arc(cr, tube.centre.x, tube.centre.y, tube.radius, a0, a1);
    cairo_stroke(cr);
    cairo_restore(cr);
    const Point low = polar(tube.centre, tube.radius, 90);
    for (double dx : {-9.5, 9.5})
        line(cr, {low.x + dx, low.y - 10}, {low.x + dx, low.y + 10}, 1.5, colour::face_rim);
}

// ---- moving parts ------------------------------------------------------------------------------

void draw_ball(cairo_t* cr) {
    cairo_save(cr);
    cairo_translate(cr, 7, 8.5);
    cairo_scale(cr, 6.6, 7.6);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    set_colour(cr, ball_paint);
    cairo_fill(cr);
    cairo_save(cr);
    set_colour(cr, rgb8(110, 110, 110));
    cairo_arc(cr, 5, 6, 1.6, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
}

// The horizon bar on a dark ground, centred on the sprite: pitch moves it up and
// down by one pixel per unit, bank turns it about the centre.
void draw_horizon_bar(cairo_t* cr) {
    const double c = 128;
    cairo_save(cr);
    set_colour(cr, rgb8(30, 33, 40));  // above the horizon
    cairo_rectangle(cr, 0, 0, 256, c);
    cairo_fill(cr);
    set_colour(cr, rgb8(38, 33, 28));  // below
    cairo_rectangle(cr, 0, c, 256, 256 - c);
    cairo_fill(cr);
    cairo_restore(cr);
    line(cr, {0, c}, {256, c}, 5, colour::figure);
    for (double d : {-40.0, -20.0, 20.0, 40.0}) {
        const double half = std::fabs(d) == 20 ? 18 : 28;
        line(cr, {c - half, c + d}, {c + half, c + d}, 2, colour::figure);
    }
}

void draw_horizon_window(cairo_t* cr) { window_rect(cr, {0, 0, 168, 145}); }

// The bank index: only the marker, at the far end from the pivot (x = 0), pointing outwards.
void draw_bank_index(cairo_t* cr) {
    const Point pivot = point_of(element(BANK_INDEX).ofs);
    triangle(cr, {0, pivot.y}, {12, pivot.y - 6}, {12, pivot.y + 6}, colour::luminous);
    line(cr, {11, pivot.y}, {16, pivot.y}, 2, colour::luminous);
}

// The miniature aircraft, its wings level with the pivot.
void draw_aircraft(cairo_t* cr) {
    const ELEMENT_HEADER& e = element(AIRCRAFT);
    const PIXPOINT pivot = element(BANK_INDEX).position;
    const Point c{double(pivot.x - e.position.x), double(pivot.y - e.position.y)};
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int pass = 0; pass < 2; ++pass) {  // a dark outline, then the paint
        set_colour(cr, pass == 0 ? colour::face_rim : colour::amber);
        cairo_set_line_width(cr, pass == 0 ? 7 : 4);
        cairo_move_to(cr, c.x - 78, c.y);
        cairo_line_to(cr, c.x - 14, c.y);
        cairo_move_to(cr, c.x + 14, c.y);
        cairo_line_to(cr, c.x + 78, c.y);
        cairo_move_to(cr, c.x, c.y - 8);
        cairo_line_to(cr, c.x, c.y - 20);
        cairo_stroke(cr);
        cairo_arc(cr, c.x, c.y, 8, 0, 2 * M_PI);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

// Diagonal red and white stripes.
void draw_warning_flag(cairo_t* cr) {
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, 37, 50);
    cairo_clip(cr);
    set_colour(cr, colour::figure);
    cairo_paint(cr);
    set_colour(cr, colour::red);
    for (double x = -50; x < 40; x += 14) {
        cairo_move_to(cr, x, 50);
        cairo_line_to(cr, x + 7, 50);
        cairo_line_to(cr, x + 57, 0);
        cairo_line_to(cr, x + 50, 0);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
    set_colour(cr, colour::face_rim);
    cairo_set_line_width(cr, 2);
    cairo_rectangle(cr, 1, 1, 35, 48);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// ---- caging ring ------------------------------------------------------------------------------

// The ring and the plate at its foot with the lever; both pictures paint the
// same pixels, so the Los picture covers the Fest picture completely.
void caging_ring(cairo_t* cr, bool caged) {
    bezel_ring(cr, ring_centre, {RING_OUTER, RING_INNER, 4, 45, 9, 196});
    const Rect foot{104, 262, 100, 38};
    plate(cr, foot, "", {12, Font::Sans, colour::figure}, colour::bezel, false);
    const TextStyle label{12, Font::SansBold, colour::figure};
    text(cr, "Los", {foot.x + 15, foot.y + 20}, label);
    text(cr, "Fest", {foot.x + foot.w - 17, foot.y + 20}, label);
    rotary_switch(cr, {foot.x + foot.w / 2, foot.y + 20}, 13, caged ? 0.0 : 180.0);
}

void draw_ring_fest(cairo_t* cr) { caging_ring(cr, true); }
void draw_ring_los(cairo_t* cr) { caging_ring(cr, false); }

constexpr ArtEntry rows[] = {
    {"Korvane", 1000, 304, 304, draw_face},
    {"Korvane", 1010, 256, 256, draw_horizon_bar},
    {"Korvane", 1011, 168, 145, draw_horizon_window},
    {"Korvane", 1020, 70, 14, draw_bank_index},
    {"Korvane", 1030, 206, 196, draw_aircraft},
    {"Korvane", 1040, 304, 304, draw_ring_fest},
    {"Korvane", 1050, 37, 50, draw_warning_flag},
    {"Korvane", 1060, 14, 17, draw_ball},
    {"Korvane", 1070, 304, 304, draw_ring_los},
};

}  // namespace

ART_GAUGE(artificial_horizon){rows};
