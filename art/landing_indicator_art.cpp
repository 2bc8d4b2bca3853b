// Landing_Indicator: the cross-pointer dial (3050), the localizer needle hanging
// from the top (3060), the glide-path needle pointing in from the right (3070) and
// the bezel with the needles' pivot caps (3080). The dial's dots follow each
// needle's own table (elements 2 and 3); the target ring sits where both needles
// cross when centred.
#include "art/registry.h"
#include "art/toolkit.h"
#include "module/gauge_model.h"

namespace {

using namespace art;

constexpr const char* GAUGE = "Landing_Indicator";
constexpr int LOCALIZER = 2, GLIDE_PATH = 3;

constexpr Point DIAL_CENTRE{100, 100};
constexpr double FACE_RADIUS = 92;

const TextStyle label_style{11, Font::SansBold, colour::luminous};

Point pixpoint(PIXPOINT p) { return {double(p.x), double(p.y)}; }

// Where the needles cross when both show 0.
Point crossing(const DialScale& loc, const DialScale& gs) {
    // The localizer stands on the vertical through its pivot, the glide-path
    // needle on the horizontal through its pivot; take each needle's 0 direction.
    Point a = loc.at(0, 1), b = gs.at(0, 1);
    double ux = a.x - loc.pivot.x, uy = a.y - loc.pivot.y;
    double vx = b.x - gs.pivot.x, vy = b.y - gs.pivot.y;
    double det = ux * (-vy) - uy * (-vx);
    double dx = gs.pivot.x - loc.pivot.x, dy = gs.pivot.y - loc.pivot.y;
    double t = (dx * (-vy) - dy * (-vx)) / det;
    return {loc.pivot.x + t * ux, loc.pivot.y + t * uy};
}

void draw_dial(cairo_t* cr) {
    const DialScale loc = needle_scale(GAUGE, LOCALIZER);
    const DialScale gs = needle_scale(GAUGE, GLIDE_PATH);
    dial_face(cr, DIAL_CENTRE, FACE_RADIUS);
    // Localizer: dots along the tip's path, wider marks at full deflection.
    dots(cr, loc, {-95.25, -63.5, -31.75, 31.75, 63.5, 95.25}, 88, 2.6);
    row_marks(cr, loc, -127, 127, {94, 10, 3});
    tick_at(cr, loc, 0, {94, 12, 3, colour::luminous});
    // Glide path: the same along its tip's path.
    dots(cr, gs, {-90, -60, -30, 30, 60, 90}, 96, 2.6);
    row_marks(cr, gs, -120, 120, {102, 10, 3});
    tick_at(cr, gs, 0, {102, 12, 3, colour::luminous});
    // The target ring where the centred needles cross.
    const Point x = crossing(loc, gs);
    cairo_save(cr);
    set_colour(cr, colour::figure);
    cairo_set_line_width(cr, 2);
    cairo_new_path(cr);
    cairo_arc(cr, x.x, x.y, 9, 0, 6.283185307179586);
    cairo_stroke(cr);
    cairo_restore(cr);
    text(cr, "NAV 1", {DIAL_CENTRE.x, DIAL_CENTRE.y + 70}, label_style);
}

// Plain pointers from their pivot at the bitmap's left end.
void draw_pointer(cairo_t* cr, int element, double length) {
    const PIXPOINT pivot = gauge_element(korvane_gauge(GAUGE), element).ofs;
    NeedleStyle style;
    style.length = length;
    style.width = 4;
    style.tail = 0;
    style.tail_width = 0;
    style.hub_radius = 3.5;
    style.luminous_from = 0.3;
    needle(cr, pixpoint(pivot), style);
}
void draw_localizer(cairo_t* cr) { draw_pointer(cr, LOCALIZER, 96); }
void draw_glide_path(cairo_t* cr) { draw_pointer(cr, GLIDE_PATH, 105); }

void draw_bezel(cairo_t* cr) {
    bezel_ring(cr, DIAL_CENTRE, {99, 91, 4, 45, 5});
    // Caps over the needles' pivots.
    for (int element : {LOCALIZER, GLIDE_PATH})
        knob(cr, pixpoint(gauge_element(korvane_gauge(GAUGE), element).position), 7, 0);
}

constexpr ArtEntry rows[] = {
    {"Korvane", 3050, 200, 200, draw_dial},
    {"Korvane", 3060, 98, 8, draw_localizer},
    {"Korvane", 3070, 107, 8, draw_glide_path},
    {"Korvane", 3080, 200, 200, draw_bezel},
};

}  // namespace

ART_GAUGE(landing_indicator){rows};
