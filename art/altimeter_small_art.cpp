// Altimeter_Small: the top of the metric altimeter face with the readout's
// window (2440) and the bezel of the strip (2450). The marks are the metric
// altimeter's, placed from its pointer's needle table (Altimeter, element 9).
#include "art/altimeter_art.h"
#include "art/registry.h"
#include "art/toolkit.h"

namespace {

using namespace art;
using namespace art::altimeter;

constexpr int METRIC_POINTER = 9;  // of Altimeter
constexpr int READOUT = 2;         // of Altimeter_Small

void draw_face(cairo_t* cr) {
    const DialScale scale = needle_scale("Altimeter", METRIC_POINTER);
    dial_face(cr, scale.pivot, FACE_RADIUS);
    ticks(cr, scale, 200, 800, 20, {TICK_OUTER, MINOR_LENGTH, 2}, 100);
    ticks(cr, scale, 200, 800, 100, {TICK_OUTER, MAJOR_LENGTH, 3.5});
    // The readout's text box, from the string element itself.
    const STRING& readout =
        reinterpret_cast<const STRING&>(gauge_element(korvane_gauge("Altimeter_Small"), READOUT));
    window_recess(cr,
                  {double(readout.header.position.x), double(readout.header.position.y),
                   double(readout.img_size.x), double(readout.img_size.y)},
                  3);
    text(cr, "Höhe", {scale.pivot.x, 83}, {13, Font::Sans, colour::figure});
}

void draw_bezel(cairo_t* cr) {
    bezel_ring(cr, {150, 150}, {149, 137, 0});
    // A straight lower edge closes the strip.
    cairo_save(cr);
    set_colour(cr, colour::bezel);
    cairo_rectangle(cr, 8, 91, 284, 9);
    cairo_fill(cr);
    set_colour(cr, colour::bezel_light);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, 8, 91.5);
    cairo_line_to(cr, 292, 91.5);
    cairo_stroke(cr);
    cairo_restore(cr);
    screw_head(cr, {40, 80}, 7, 30);
    screw_head(cr, {260, 80}, 7, 120);
}

constexpr ArtEntry rows[] = {
    {"Korvane", 2440, 300, 100, draw_face},
    {"Korvane", 2450, 300, 100, draw_bezel},
};

}  // namespace

ART_GAUGE(altimeter_small){rows};
