// Metric_Switch: the switch plate with the MT (left) and BR (right) labels (240)
// and the lever over it, pointing to MT (250) or to BR (251). All three are
// the gauge's full 96 x 44; the lever images are transparent but for the lever.
#include "art/registry.h"
#include "art/toolkit.h"

namespace {

using namespace art;

constexpr int WIDTH = 96, HEIGHT = 44;
constexpr Point PIVOT{WIDTH / 2.0, HEIGHT / 2.0};
constexpr double LEVER_SIZE = 34;  // the lever reaches half of it from the pivot
const TextStyle label_style{14, Font::SansBold, colour::figure};

void draw_plate(cairo_t* cr) {
    plate(cr, {1, 1, WIDTH - 2.0, HEIGHT - 2.0}, "", label_style, colour::plate, false);
    text(cr, "MT", {15, PIVOT.y}, label_style);
    text(cr, "BR", {WIDTH - 15.0, PIVOT.y}, label_style);
    // The socket the lever's nut sits in.
    set_colour(cr, colour::bezel);
    cairo_new_path(cr);
    cairo_arc(cr, PIVOT.x, PIVOT.y, LEVER_SIZE * 0.36, 0, 6.283185307179586);
    cairo_fill(cr);
}

// A toggle lever on its nut, turned from upright by `turn_deg` (clockwise).
void draw_lever(cairo_t* cr, double turn_deg) {
    cairo_save(cr);
    cairo_translate(cr, PIVOT.x, PIVOT.y);
    cairo_rotate(cr, turn_deg * 3.141592653589793 / 180.0);
    toggle_switch(cr, {0, 0}, LEVER_SIZE, true);
    cairo_restore(cr);
}

void draw_lever_metric(cairo_t* cr) { draw_lever(cr, -90); }
void draw_lever_british(cairo_t* cr) { draw_lever(cr, 90); }

constexpr ArtEntry rows[] = {
    {"Korvane", 240, WIDTH, HEIGHT, draw_plate},
    {"Korvane", 250, WIDTH, HEIGHT, draw_lever_metric},
    {"Korvane", 251, WIDTH, HEIGHT, draw_lever_british},
};

}  // namespace

ART_GAUGE(metric_switch){rows};
