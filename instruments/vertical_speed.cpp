// Vertical speed indicator: a m/s face and a thousands-of-feet-per-minute face, one
// needle each; the pair shown follows the panel's unit flag. Token 65 is the
// vertical speed in 1/256 m/s. Both needles take the value even while hidden.
#include "module/gauge_builders.h"
#include "module/gauges.h"
#include "module/panel_state.h"

static double FSAPI vsi_british_face(ICON* element);
static double FSAPI vsi_british_needle(NEEDLE* element);
static double FSAPI vsi_metric_needle(NEEDLE* element);
static double FSAPI vsi_metric_cover(ICON* element);

namespace {

// ---- needle tables: 0 at 9 o'clock, climb clockwise through the upper half -----------
// 1300.4799583846413 units of token 65 are 1000 ft/min; 256 units are 1 m/s.
NONLINEARITY vsi_british_table[] = {
    {{259, 170},    -9103.35970869249, 0},  // -7000 ft/min
    {{259, 170},   -7802.879750307849, 0},  // -6000: stop
    {{176, 257},  -3901.4398751539243, 0},  // -3000
    {{119, 257},  -2600.9599167692827, 0},  // -2000
    {{ 65, 222},  -1300.4799583846413, 0},  // -1000
    {{ 30, 150},                  0.0, 0},
    {{ 65,  78},   1300.4799583846413, 0},  // 1000
    {{119,  42},   2600.9599167692827, 0},  // 2000
    {{177,  45},   3901.4398751539243, 0},  // 3000
    {{259, 130},    7802.879750307849, 0},  // 6000: stop
    {{259, 130},     9103.35970869249, 0},  // 7000
};

NONLINEARITY vsi_metric_table[] = {
    {{228, 228}, -5120.0, 0},  // -20 m/s
    {{228, 228}, -3840.0, 0},  // -15: stop
    {{ 36, 150},     0.0, 0},
    {{228,  72},  3840.0, 0},  // 15: stop
    {{228,  72},  5120.0, 0},  // 20
};

const FAILURE_RECORD vsi_needle_failures[] = {
    {19, 1, 0},
    {3, 2, 0},
    {0, 0, 0},
};

// ---- element chain, back to front ------------------------------------------------
extern STATIC_IMAGE vsi_metric_face;
extern ICON vsi_british_face_icon;
extern NEEDLE vsi_british_needle_element;
extern NEEDLE vsi_metric_needle_element;
extern ICON vsi_metric_cover_icon;
extern STATIC_IMAGE vsi_bezel;

ELEMENT_HEADER* vsi_after_1[] = {&vsi_british_face_icon.header, nullptr};
ELEMENT_HEADER* vsi_after_2[] = {&vsi_british_needle_element.header, nullptr};
ELEMENT_HEADER* vsi_after_3[] = {&vsi_metric_needle_element.header, nullptr};
ELEMENT_HEADER* vsi_after_4[] = {&vsi_metric_cover_icon.header, nullptr};
ELEMENT_HEADER* vsi_after_5[] = {&vsi_bezel.header, nullptr};

constinit STATIC_IMAGE vsi_metric_face = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 1120, {0, 0}, {0, 0}, &vertical_speed_gauge,
                             vsi_after_1, nullptr, 0x4003),
};
constinit ICON vsi_british_face_icon = {
    .header = element_header(ELEMENT_ICON, 1160, {0, 0}, {0, 0}, &vertical_speed_gauge,
                             vsi_after_2, nullptr, 0x4003),
    .source = token_source(0), .switch_type = ICON_SWITCH_TYPE_SET_CUR_ICON, .scale = 1.0,
    .num_icons = 1, .update_cb = vsi_british_face,
};
constinit NEEDLE vsi_british_needle_element = {
    .header = element_header(ELEMENT_NEEDLE, 1130, {150, 150}, {36, 15}, &vertical_speed_gauge,
                             vsi_after_3, vsi_needle_failures, 0x4083),
    .source = token_source(65), .reference = {36, 15},
    .nonlinearity_table = vsi_british_table, .nonlinearity_table_size = 11,
    .update_cb = vsi_british_needle,
};
constinit NEEDLE vsi_metric_needle_element = {
    .header = element_header(ELEMENT_NEEDLE, 1130, {150, 150}, {36, 15}, &vertical_speed_gauge,
                             vsi_after_4, vsi_needle_failures, 0x4083),
    .source = token_source(65), .reference = {36, 15},
    .nonlinearity_table = vsi_metric_table, .nonlinearity_table_size = 5,
    .update_cb = vsi_metric_needle,
};
constinit ICON vsi_metric_cover_icon = {
    .header = element_header(ELEMENT_ICON, 1150, {0, 0}, {0, 0}, &vertical_speed_gauge,
                             vsi_after_5, nullptr, 0x4003),
    .source = token_source(0), .switch_type = ICON_SWITCH_TYPE_SET_CUR_ICON, .scale = 1.0,
    .num_icons = 1, .update_cb = vsi_metric_cover,
};
constinit STATIC_IMAGE vsi_bezel = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 1140, {0, 0}, {0, 0}, &vertical_speed_gauge,
                             nullptr, nullptr, 0x3),
};

ELEMENT_HEADER* vsi_elements[] = {&vsi_metric_face.header, nullptr};

// ---- mouse rectangles: two tooltip areas, no clicks ---------------------------------
MOUSERECT vsi_mouse[] = {
    mouse_parent({0, 0, 0, 0}),
    mouse_parent({0, 0, 300, 150}),
    mouse_tooltip_id(0x3099),
    mouse_end(),
    mouse_parent({0, 150, 300, 150}),
    mouse_tooltip_id(0x3098),
    mouse_end(),
    mouse_end(),
    mouse_list_end(),
};

}  // namespace

static_assert(sizeof(vsi_british_table) / sizeof(vsi_british_table[0]) == 11);
static_assert(sizeof(vsi_metric_table) / sizeof(vsi_metric_table[0]) == 5);

// ---- callbacks -------------------------------------------------------------------------

static double FSAPI vsi_british_face(ICON*) { return british_units != 0 ? 0.0 : -1.0; }

static double FSAPI vsi_british_needle(NEEDLE* element) {
    element_set_hidden(&element->header, british_units == 0);
    return element->source.var_value.n;
}

static double FSAPI vsi_metric_needle(NEEDLE* element) {
    element_set_hidden(&element->header, british_units != 0);
    return element->source.var_value.n;
}

static double FSAPI vsi_metric_cover(ICON*) { return british_units == 0 ? 0.0 : -1.0; }

constinit GAUGEHDR vertical_speed_gauge =
    gauge_header("Vertical_Speed", 100, vsi_elements, vsi_mouse, nullptr);
