// Airspeed indicator: a km/h face and a knots face, one needle each; the pair
// shown follows the panel's unit flag. Token 61 is the indicated airspeed in knots.
#include "module/gauge_builders.h"
#include "module/gauges.h"
#include "module/panel_state.h"

static constexpr double KNOTS_TO_KMH = 1.8512821;

static double FSAPI airspeed_british_face(ICON* element);
static double FSAPI airspeed_metric_needle(NEEDLE* element);
static double FSAPI airspeed_british_needle(NEEDLE* element);

namespace {

// ---- needle tables: both start straight down from the pivot ---------------------
NONLINEARITY airspeed_metric_table[] = {
    {{150, 267},   0.0, 0},
    {{136, 268},  80.0, 0},
    {{120, 250}, 100.0, 0},
    {{127,  51}, 400.0, 0},
    {{186, 260}, 750.0, 0},
    {{186, 260}, 800.0, 0},  // stop at 750 km/h
};

NONLINEARITY airspeed_british_table[] = {
    {{150, 267},   0.0, 0},
    {{134, 255},  40.0, 0},
    {{118, 252},  50.0, 0},
    {{183,  52}, 250.0, 0},
    {{200, 248}, 400.0, 0},
    {{200, 248}, 500.0, 0},  // stop at 400 knots
};

const FAILURE_RECORD airspeed_needle_failures[] = {
    {6, 2, 0},
    {3, 2, 0},
    {0, 0, 0},
};

// ---- element chain, back to front ------------------------------------------------
extern STATIC_IMAGE airspeed_metric_face;
extern ICON airspeed_british_face_icon;
extern NEEDLE airspeed_metric_needle_element;
extern NEEDLE airspeed_british_needle_element;
extern STATIC_IMAGE airspeed_bezel;

ELEMENT_HEADER* airspeed_after_1[] = {&airspeed_british_face_icon.header, nullptr};
ELEMENT_HEADER* airspeed_after_2[] = {&airspeed_metric_needle_element.header, nullptr};
ELEMENT_HEADER* airspeed_after_3[] = {&airspeed_british_needle_element.header, nullptr};
ELEMENT_HEADER* airspeed_after_4[] = {&airspeed_bezel.header, nullptr};

constinit STATIC_IMAGE airspeed_metric_face = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 300, {0, 0}, {0, 0}, &airspeed_gauge,
                             airspeed_after_1, nullptr, 0x4003),
};
constinit ICON airspeed_british_face_icon = {
    .header = element_header(ELEMENT_ICON, 330, {0, 0}, {0, 0}, &airspeed_gauge,
                             airspeed_after_2, nullptr, 0x4003),
    .source = token_source(0), .switch_type = ICON_SWITCH_TYPE_SET_CUR_ICON, .scale = 1.0,
    .num_icons = 1, .update_cb = airspeed_british_face,
};
constinit NEEDLE airspeed_metric_needle_element = {
    .header = element_header(ELEMENT_NEEDLE, 310, {150, 150}, {43, 28}, &airspeed_gauge,
                             airspeed_after_3, airspeed_needle_failures, 0x4083),
    .source = token_source(61), .reference = {43, 28},
    .nonlinearity_table = airspeed_metric_table, .nonlinearity_table_size = 6,
    .update_cb = airspeed_metric_needle,
};
constinit NEEDLE airspeed_british_needle_element = {
    .header = element_header(ELEMENT_NEEDLE, 310, {150, 150}, {43, 28}, &airspeed_gauge,
                             airspeed_after_4, airspeed_needle_failures, 0x4083),
    .source = token_source(61), .reference = {43, 28},
    .nonlinearity_table = airspeed_british_table, .nonlinearity_table_size = 6,
    .update_cb = airspeed_british_needle,
};
constinit STATIC_IMAGE airspeed_bezel = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 320, {0, 0}, {0, 0}, &airspeed_gauge, nullptr,
                             nullptr, 0x3),
};

ELEMENT_HEADER* airspeed_elements[] = {&airspeed_metric_face.header, nullptr};

// ---- mouse rectangles: two tooltip areas, no clicks ---------------------------------
MOUSERECT airspeed_mouse[] = {
    mouse_parent({0, 0, 0, 0}),
    mouse_parent({0, 0, 300, 150}, 0x3002),
    mouse_end(),
    mouse_parent({0, 150, 300, 150}, 0x3001),
    mouse_end(),
    mouse_end(),
    mouse_list_end(),
};

}  // namespace

static_assert(sizeof(airspeed_metric_table) / sizeof(airspeed_metric_table[0]) == 6);
static_assert(sizeof(airspeed_british_table) / sizeof(airspeed_british_table[0]) == 6);

// ---- callbacks -------------------------------------------------------------------------

static double FSAPI airspeed_british_face(ICON*) { return british_units != 0 ? 0.0 : -1.0; }

static double FSAPI airspeed_metric_needle(NEEDLE* element) {
    bool shown = british_units == 0;
    element_set_hidden(&element->header, !shown);
    return shown ? element->source.var_value.n * KNOTS_TO_KMH : 0.0;
}

static double FSAPI airspeed_british_needle(NEEDLE* element) {
    bool shown = british_units != 0;
    element_set_hidden(&element->header, !shown);
    return shown ? element->source.var_value.n : 0.0;
}

constinit GAUGEHDR airspeed_gauge =
    gauge_header("Airspeed", 100, airspeed_elements, airspeed_mouse, nullptr);
