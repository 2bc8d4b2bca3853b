// Turn_Coordinator: the face with the turn marks and the ball tube (440), the
// turn pointer (450), the ball (460), the marks drawn over the ball (470) and the
// bezel (480). The turn marks are placed from the pointer's needle table
// (element 4); the tube follows the ball slider's scales (element 2).
#include <cmath>

#include "art/registry.h"
#include "art/toolkit.h"

namespace {

using namespace art;

constexpr const char* GAUGE = "Turn_Coordinator";
constexpr int BALL = 2, TUBE_MARKS = 3, POINTER = 4;

constexpr double BALL_W = 20, BALL_H = 25;
constexpr Rgb fluid = rgb8(196, 200, 182);
constexpr Rgb ball_paint = rgb8(26, 26, 26);

const ELEMENT_HEADER& element(int number) { return gauge_element(korvane_gauge(GAUGE), number); }

void draw_face(cairo_t* cr) {
    const DialScale scale = needle_scale(GAUGE, POINTER);
    dial_face(cr, {150, 150}, 140);

    // Zero at the top, the turn marks either side, small marks between.
    for (double v : {-3.0, 0.0, 3.0}) {
        const double a = scale.angle_deg(v);
        Point a0 = polar(scale.pivot, 192, a), a1 = polar(scale.pivot, 214, a);
        cairo_save(cr);
        set_colour(cr, v == 0 ? colour::luminous : colour::figure);
        cairo_set_line_width(cr, v == 0 ? 9 : 7);
        cairo_move_to(cr, a0.x, a0.y);
        cairo_line_to(cr, a1.x, a1.y);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    ticks(cr, scale, -1.5, 1.5, 3, {210, 10, 2.5});
    const TextStyle side{18, Font::SansBold, colour::figure};
    text(cr, "L", scale.at(-4.2, 200), side);
    text(cr, "R", scale.at(4.2, 200), side);

    // The tube: the ball's centre moves x * scale_x sideways and rises by
    // x^2 * |scale_y|, a curve drawn as the circle of the same curvature.
    const SLIDER& s = reinterpret_cast<const SLIDER&>(element(BALL));
    const double radius = s.scale_x * s.scale_x / (2 * std::fabs(s.scale_y));
    const Point ball{s.header.position.x + BALL_W / 2, s.header.position.y + BALL_H / 2};
    const Point centre{ball.x, ball.y - radius};
    const double half = std::asin(58 / radius);
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    set_colour(cr, colour::face_rim);
    cairo_set_line_width(cr, BALL_H + 6);
    cairo_new_path(cr);
    cairo_arc(cr, centre.x, centre.y, radius, M_PI / 2 - half, M_PI / 2 + half);
    cairo_stroke(cr);
    set_colour(cr, fluid);
    cairo_set_line_width(cr, BALL_H + 1);
    cairo_new_path(cr);
    cairo_arc(cr, centre.x, centre.y, radius, M_PI / 2 - half, M_PI / 2 + half);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// Long and broad, luminous towards the tip; the tail is short, near the bottom of the face.
void draw_pointer(cairo_t* cr) {
    const PIXPOINT pivot = element(POINTER).ofs;
    NeedleStyle style;
    style.length = 184;
    style.width = 11;
    style.tail = 20;
    style.tail_width = 12;
    style.hub_radius = 12;
    style.luminous_from = 0.55;
    needle(cr, {double(pivot.x), double(pivot.y)}, style);
}

void draw_ball(cairo_t* cr) {
    cairo_save(cr);
    cairo_arc(cr, BALL_W / 2, BALL_H / 2, 9.5, 0, 2 * M_PI);
    set_colour(cr, ball_paint);
    cairo_fill(cr);
    set_colour(cr, rgb8(110, 110, 110));
    cairo_arc(cr, BALL_W / 2 - 3, BALL_H / 2 - 3.5, 2, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
}

// Two wires across the tube, just clear of the ball at rest.
void draw_tube_marks(cairo_t* cr) {
    const ELEMENT_HEADER& marks = element(TUBE_MARKS);
    const ELEMENT_HEADER& ball = element(BALL);
    const double left = ball.position.x - marks.position.x - 2.5;
    const double right = left + BALL_W + 5;
    cairo_save(cr);
    set_colour(cr, colour::face_rim);
    cairo_set_line_width(cr, 2);
    for (double x : {left, right}) {
        cairo_move_to(cr, x, 1);
        cairo_line_to(cr, x, 29);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

void draw_bezel(cairo_t* cr) { bezel_ring(cr, {150, 150}, {149, 137, 4, 45, 10, 190}); }

constexpr ArtEntry rows[] = {
    {"Korvane", 440, 300, 300, draw_face},
    {"Korvane", 450, 208, 28, draw_pointer},
    {"Korvane", 460, 20, 25, draw_ball},
    {"Korvane", 470, 27, 30, draw_tube_marks},
    {"Korvane", 480, 300, 300, draw_bezel},
};

}  // namespace

ART_GAUGE(turn_coordinator){rows};
