// Magneto 1 and Magneto 2 (Sollwick): a narrow switch plate with a vertical
// gate and the positions marked from bottom to top 0, M1, M2, M1+2, and the
// lever knob standing at each of the four marks (one bitmap per position).
// Both gauges share the drawing; the plates differ in the engine number.
#include "art/registry.h"
#include "art/toolkit.h"

namespace {

using namespace art;

constexpr int WIDTH = 35, HEIGHT = 135;

// Centre heights of the four positions, bottom to top: 0, M1, M2, M1+2.
constexpr double POSITION_Y[4] = {106, 78, 50, 22};
constexpr const char* POSITION_LABEL[4] = {"0", "M1", "M2", "M1+2"};

constexpr double LABEL_X = 10.5;     // centre of the engraved labels
constexpr Rect GATE{24, 14, 5, 104};  // the slot the lever runs in
constexpr double LEVER_X = 26.5, LEVER_RADIUS = 6;

const TextStyle label_style{7, Font::SansBold, colour::figure};
const TextStyle engine_style{9, Font::SansBold, colour::luminous};

void draw_plate(cairo_t* cr, const char* engine) {
    plate(cr, {0, 0, WIDTH, HEIGHT}, "", label_style, colour::plate, false);
    screw_head(cr, {WIDTH / 2.0, 6.5}, 4, 30);
    screw_head(cr, {WIDTH / 2.0, HEIGHT - 6.5}, 4, 120);
    flat_face(cr, GATE, colour::face_rim);
    for (int k = 0; k < 4; ++k) {
        text(cr, POSITION_LABEL[k], {LABEL_X, POSITION_Y[k]}, label_style);
        flat_face(cr, {GATE.x + GATE.w + 1, POSITION_Y[k] - 0.75, 4, 1.5}, colour::figure);
    }
    text(cr, engine, {LABEL_X, 119}, engine_style);
}

void draw_plate_1(cairo_t* cr) { draw_plate(cr, "1"); }
void draw_plate_2(cairo_t* cr) { draw_plate(cr, "2"); }

// The lever knob at position k, its index line pointing at the label.
template <int K>
void draw_lever(cairo_t* cr) {
    knob(cr, {LEVER_X, POSITION_Y[K]}, LEVER_RADIUS, 12, 180.0);
}

constexpr ArtEntry rows[] = {
    {"Sollwick", 4096, WIDTH, HEIGHT, draw_plate_1},
    {"Sollwick", 4352, WIDTH, HEIGHT, draw_lever<0>},
    {"Sollwick", 4353, WIDTH, HEIGHT, draw_lever<1>},
    {"Sollwick", 4354, WIDTH, HEIGHT, draw_lever<2>},
    {"Sollwick", 4355, WIDTH, HEIGHT, draw_lever<3>},
    {"Sollwick", 4608, WIDTH, HEIGHT, draw_plate_2},
    {"Sollwick", 4864, WIDTH, HEIGHT, draw_lever<0>},
    {"Sollwick", 4865, WIDTH, HEIGHT, draw_lever<1>},
    {"Sollwick", 4866, WIDTH, HEIGHT, draw_lever<2>},
    {"Sollwick", 4867, WIDTH, HEIGHT, draw_lever<3>},
};

}  // namespace

ART_GAUGE(magneto){rows};
