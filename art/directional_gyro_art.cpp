// Directionnal_Gyro and Directionnal_Gyro_Small: the instrument body (260, 2400),
// the compass card N 3 6 O 12 15 S 21 24 W 30 33 that both share as a picture
// (270, 2410) with its round window (271, 2411), the course marker with the
// aircraft silhouette (290, and as a sprite 2430 with its window 2431), and the
// bezel with the lubber mark and the setting knob (280, 2420). The small gauge's
// bitmaps are the upper part of the full gauge's: its canvases are only 142 to
// 160 pixels high.
//
// Everything is placed from the gauges' own elements: the card's headings from
// the card sprite's rotation scale, the windows from where each sprite's centre
// lies in its window, the marker's nose from the needle's pivot in its bitmap.
#include <cmath>
#include <iterator>
#include <string>

#include "art/registry.h"
#include "art/toolkit.h"
#include "module/gauge_model.h"

namespace {

using namespace art;

constexpr const char* GYRO = "Directionnal_Gyro";
constexpr const char* GYRO_SMALL = "Directionnal_Gyro_Small";
constexpr int CARD = 2, MARKER = 3;  // element numbers, the same in both gauges

constexpr double BODY_RADIUS = 146;
constexpr double CARD_RADIUS = 131;        // just inside the card's window
constexpr double CARD_TICK_OUTER = 128;
constexpr double CARD_FIGURE_RADIUS = 104;  // centre of the figures
constexpr double BEZEL_OUTER = 149, BEZEL_INNER = 134;
constexpr double KNOB_RADIUS = 26;

const TextStyle cardinal_style{30, Font::SansBold, colour::luminous};
const TextStyle figure_style{24, Font::SansBold, colour::figure};

const SPRITE& sprite_element(const char* gauge, int number) {
    const ELEMENT_HEADER& e = gauge_element(korvane_gauge(gauge), number);
    if (e.element_type != ELEMENT_SPRITE)
        throw ArtError(std::string(gauge) + ", element " + std::to_string(number) + ": not a sprite");
    return reinterpret_cast<const SPRITE&>(e);
}

Point pixpoint(PIXPOINT p) { return {double(p.x), double(p.y)}; }

// The centre of the canvas being drawn: the point a sprite image turns about.
Point canvas_centre(cairo_t* cr) {
    cairo_surface_t* s = cairo_get_target(cr);
    return {cairo_image_surface_get_width(s) / 2.0, cairo_image_surface_get_height(s) / 2.0};
}

// Where a sprite's image centre lies in its window: the gauge point the centre
// is placed at, less the window's top-left corner.
Point centre_in_window(const SPRITE& s) {
    return {double(s.header.ofs.x - s.header.position.x), double(s.header.ofs.y - s.header.position.y)};
}

// The gauge point a gyro's card and marker turn about.
Point gyro_centre(const char* gauge) { return pixpoint(sprite_element(gauge, CARD).header.ofs); }

// ---- the card --------------------------------------------------------------------------

// Direction on the unturned card of a heading: the host turns the card
// anticlockwise by heading × rotation scale, so a heading lies that many degrees
// clockwise from the top of the card.
double card_angle_deg(const SPRITE& card, double heading_deg) { return 270.0 + heading_deg * card.scale_0; }

void card_tick(cairo_t* cr, Point centre, double angle_deg, double length, double width, Rgb ink) {
    Point outer = polar(centre, CARD_TICK_OUTER, angle_deg);
    Point inner = polar(centre, CARD_TICK_OUTER - length, angle_deg);
    cairo_save(cr);
    set_colour(cr, ink);
    cairo_set_line_width(cr, width);
    cairo_move_to(cr, outer.x, outer.y);
    cairo_line_to(cr, inner.x, inner.y);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// Bitmaps 270 and 2410: the same card, drawn from the full gyro's card sprite.
void draw_card(cairo_t* cr) {
    const SPRITE& card = sprite_element(GYRO, CARD);
    const Point c = canvas_centre(cr);
    dial_face(cr, c, CARD_RADIUS);
    for (int heading = 0; heading < 360; heading += 5) {
        double a = card_angle_deg(card, heading);
        if (heading % 30 == 0)
            card_tick(cr, c, a, 18, 4, colour::figure);
        else if (heading % 10 == 0)
            card_tick(cr, c, a, 12, 3, colour::figure);
        else
            card_tick(cr, c, a, 8, 2, colour::figure);
    }
    // Figures stand upright for the pilot when their heading is at the top.
    static const char* const labels[12] = {"N", "3", "6", "O", "12", "15", "S", "21", "24", "W", "30", "33"};
    for (int k = 0; k < 12; ++k) {
        double heading = 30.0 * k;
        bool cardinal = k % 3 == 0;
        text(cr, labels[k], polar(c, CARD_FIGURE_RADIUS, card_angle_deg(card, heading)),
             cardinal ? cardinal_style : figure_style, heading * card.scale_0);
    }
    // A luminous triangle under N.
    Point tip = polar(c, CARD_TICK_OUTER - 22, card_angle_deg(card, 0));
    cairo_save(cr);
    set_colour(cr, colour::luminous);
    cairo_move_to(cr, tip.x, tip.y);
    cairo_line_to(cr, tip.x - 6, tip.y + 10);
    cairo_line_to(cr, tip.x + 6, tip.y + 10);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_restore(cr);
}

void draw_card_window(cairo_t* cr, const char* gauge) {
    window_circle(cr, centre_in_window(sprite_element(gauge, CARD)), CARD_RADIUS);
}
void draw_card_window_full(cairo_t* cr) { draw_card_window(cr, GYRO); }
void draw_card_window_small(cairo_t* cr) { draw_card_window(cr, GYRO_SMALL); }

// ---- the course marker -----------------------------------------------------------------

// The aircraft silhouette, nose up, about `pivot`; its nose reaches the card's figures.
void draw_marker_at(cairo_t* cr, Point pivot) {
    const double nose = 80, tail = 58, span = 96;
    cairo_save(cr);
    cairo_translate(cr, pivot.x, pivot.y);
    // Disc under the silhouette's centre.
    set_colour(cr, colour::knob);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 20, 0, 6.283185307179586);
    cairo_fill(cr);
    // Fuselage with a pointed nose, tapered wings and tailplane, drawn as the
    // right half and mirrored.
    static const Point half[] = {
        {0, -nose},     {3, -nose + 16}, {4.5, -16},       {span * 0.18, -9}, {span, -3},
        {span, 4},      {span * 0.18, 10}, {4.5, 14},       {3.5, tail - 14},  {28, tail - 8},
        {28, tail - 2}, {3, tail},       {0, tail + 4},
    };
    cairo_new_path(cr);
    for (const Point& p : half) cairo_line_to(cr, p.x, p.y);
    for (int k = int(std::size(half)) - 2; k > 0; --k) cairo_line_to(cr, -half[k].x, half[k].y);
    cairo_close_path(cr);
    set_colour(cr, colour::luminous);
    cairo_fill_preserve(cr);
    set_colour(cr, rgb8(120, 134, 90));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// Bitmap 290: the pivot inside the bitmap is the needle's offset.
void draw_marker_needle(cairo_t* cr) {
    draw_marker_at(cr, pixpoint(gauge_element(korvane_gauge(GYRO), MARKER).ofs));
}

// Bitmap 2430: the same picture about the sprite image's centre.
void draw_marker_sprite(cairo_t* cr) { draw_marker_at(cr, canvas_centre(cr)); }

void draw_marker_window(cairo_t* cr) {
    const SPRITE& marker = sprite_element(GYRO_SMALL, MARKER);
    window_circle(cr, centre_in_window(marker), 105);
}

// ---- body and bezel --------------------------------------------------------------------

void draw_body(cairo_t* cr, const char* gauge) {
    const Point c = gyro_centre(gauge);
    dial_face(cr, c, BODY_RADIUS, colour::face_rim);
    dial_face(cr, c, CARD_RADIUS + 3);
}
void draw_body_full(cairo_t* cr) { draw_body(cr, GYRO); }
void draw_body_small(cairo_t* cr) { draw_body(cr, GYRO_SMALL); }

// The bezel with its lubber mark and, in the centre, the setting knob: its left
// half turns the course down, its right half up. The half instrument ends in a
// straight bar along its lower edge, the knob standing on it.
void draw_bezel(cairo_t* cr, const char* gauge, bool half) {
    const Point c = gyro_centre(gauge);
    bezel_ring(cr, c, {BEZEL_OUTER, BEZEL_INNER, 4, 45, 7});
    Point tip = polar(c, BEZEL_INNER - 10, 270);
    cairo_save(cr);
    set_colour(cr, colour::luminous);
    cairo_move_to(cr, tip.x, tip.y);
    cairo_line_to(cr, tip.x - 8, c.y - BEZEL_INNER + 1);
    cairo_line_to(cr, tip.x + 8, c.y - BEZEL_INNER + 1);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_restore(cr);
    if (half) {
        flat_face(cr, {c.x - BEZEL_OUTER + 2, c.y - 2, 2 * BEZEL_OUTER - 4, 14}, colour::bezel);
        flat_face(cr, {c.x - BEZEL_OUTER + 2, c.y - 2, 2 * BEZEL_OUTER - 4, 1.5}, colour::bezel_light);
    }
    knob(cr, c, KNOB_RADIUS, 24);
    const TextStyle arrows{16, Font::SansBold, colour::figure};
    text(cr, "-", {c.x - KNOB_RADIUS * 0.45, c.y}, arrows);
    text(cr, "+", {c.x + KNOB_RADIUS * 0.45, c.y}, arrows);
}
void draw_bezel_full(cairo_t* cr) { draw_bezel(cr, GYRO, false); }
void draw_bezel_small(cairo_t* cr) { draw_bezel(cr, GYRO_SMALL, true); }

constexpr ArtEntry rows[] = {
    {"Korvane", 260, 300, 300, draw_body_full},
    {"Korvane", 270, 264, 264, draw_card},
    {"Korvane", 271, 264, 264, draw_card_window_full},
    {"Korvane", 280, 300, 300, draw_bezel_full},
    {"Korvane", 290, 212, 166, draw_marker_needle},
    {"Korvane", 2400, 300, 160, draw_body_small},
    {"Korvane", 2410, 264, 264, draw_card},
    {"Korvane", 2411, 264, 142, draw_card_window_small},
    {"Korvane", 2420, 300, 160, draw_bezel_small},
    {"Korvane", 2430, 212, 166, draw_marker_sprite},
    {"Korvane", 2431, 210, 115, draw_marker_window},
};

}  // namespace

ART_GAUGE(directional_gyro){rows};
