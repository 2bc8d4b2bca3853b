// ADF bearing indicator: the bearing of the tuned station relative to the nose
// (token 39), either over the full circle on the compass face or within 20 degrees
// either side of dead ahead on the homing face. A click in the centre exchanges the
// faces. With the ADF receiver switched off both needles rest in fixed places.
#include <math.h>

#include "module/gauge_builders.h"
#include "module/gauges.h"
#include "module/panel_state.h"

enum : uint32_t { TOKEN_ADF_BEARING_DEG = 39 };

static constexpr double ADF_COMPASS_PARKED_DEG = 90.0;  // 3 o'clock, receiver off
static constexpr double ADF_HOMING_PARKED_DEG = 0.0;    // straight up, receiver off
static constexpr double ADF_HOMING_LEFT_STOP_DEG = 340.0;
static constexpr double ADF_HOMING_RIGHT_STOP_DEG = 20.0;
static constexpr double ADF_HALF_TURN_DEG = 180.0;
static constexpr double ADF_FULL_TURN_DEG = 360.0;

// 1: the compass face is shown; 0: the homing face. Changed only by clicks.
static int32_t adf_compass_face = 1;

static double FSAPI adf_indicator_homing_face(ICON* element);
static double FSAPI adf_indicator_compass_needle(NEEDLE* element);
static double FSAPI adf_indicator_homing_needle(NEEDLE* element);
static int32_t FSAPI adf_indicator_change_face(MOUSE_CLICK* click, uint32_t mouse_flags);

namespace {

// ---- needle tables ---------------------------------------------------------------------
// Compass: one unit is one degree clockwise, 0 at 12 o'clock.
NONLINEARITY adf_compass_table[] = {
    {{150,  50},   0.0, 0},
    {{150, 250}, 180.0, 0},
};

// Homing: 360 straight up, the stops 20 degrees to either side. Values 0 to 20 lie
// below the first row and are drawn a full turn on, like 360 to 380.
NONLINEARITY adf_homing_table[] = {
    {{ 73,  67}, 340.0, 0},
    {{150,  52}, 360.0, 0},
    {{227,  67}, 380.0, 0},
};

const FAILURE_RECORD adf_needle_failures[] = {
    {21, 2, 0},
    {20, 1, 0},
    {0, 0, 0},
};

// ---- element chain, back to front --------------------------------------------------
extern STATIC_IMAGE adf_compass_dial;
extern ICON adf_homing_dial;
extern NEEDLE adf_compass_needle;
extern NEEDLE adf_homing_needle;
extern ICON adf_homing_plate;
extern STATIC_IMAGE adf_bezel;

ELEMENT_HEADER* adf_after_1[] = {&adf_homing_dial.header, nullptr};
ELEMENT_HEADER* adf_after_2[] = {&adf_compass_needle.header, nullptr};
ELEMENT_HEADER* adf_after_3[] = {&adf_homing_needle.header, nullptr};
ELEMENT_HEADER* adf_after_4[] = {&adf_homing_plate.header, nullptr};
ELEMENT_HEADER* adf_after_5[] = {&adf_bezel.header, nullptr};

constinit STATIC_IMAGE adf_compass_dial = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 2070, {0, 0}, {0, 0}, &adf_indicator_gauge,
                             adf_after_1, nullptr, 0x4003),
};
constinit ICON adf_homing_dial = {
    .header = element_header(ELEMENT_ICON, 2100, {0, 0}, {0, 0}, &adf_indicator_gauge,
                             adf_after_2, nullptr, 0x4003),
    .source = token_source(0), .switch_type = ICON_SWITCH_TYPE_SET_CUR_ICON, .scale = 1.0,
    .num_icons = 1, .update_cb = adf_indicator_homing_face,
};
constinit NEEDLE adf_compass_needle = {
    .header = element_header(ELEMENT_NEEDLE, 2080, {150, 150}, {108, 11}, &adf_indicator_gauge,
                             adf_after_3, adf_needle_failures, 0x4083),
    .source = token_source(TOKEN_ADF_BEARING_DEG), .reference = {108, 11},
    .nonlinearity_table = adf_compass_table, .nonlinearity_table_size = 2,
    .update_cb = adf_indicator_compass_needle,
};
constinit NEEDLE adf_homing_needle = {
    .header = element_header(ELEMENT_NEEDLE, 2110, {150, 279}, {0, 7}, &adf_indicator_gauge,
                             adf_after_4, adf_needle_failures, 0x4083),
    .source = token_source(TOKEN_ADF_BEARING_DEG), .reference = {0, 7},
    .nonlinearity_table = adf_homing_table, .nonlinearity_table_size = 3,
    .update_cb = adf_indicator_homing_needle,
};
constinit ICON adf_homing_plate = {
    .header = element_header(ELEMENT_ICON, 2120, {0, 0}, {0, 0}, &adf_indicator_gauge,
                             adf_after_5, nullptr, 0x3),
    .source = token_source(0), .switch_type = ICON_SWITCH_TYPE_SET_CUR_ICON, .scale = 1.0,
    .num_icons = 1, .update_cb = adf_indicator_homing_face,
};
constinit STATIC_IMAGE adf_bezel = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 2090, {0, 0}, {0, 0}, &adf_indicator_gauge,
                             nullptr, nullptr, 0x3),
};

ELEMENT_HEADER* adf_elements[] = {&adf_compass_dial.header, nullptr};

// ---- mouse rectangles: a click in the centre changes the face -----------------------
MOUSERECT adf_mouse[] = {
    mouse_parent({0, 0, 0, 0}, 0xAB00),
    mouse_child_function({75, 75, 150, 150}, CURSOR_HAND, 0x20000000, adf_indicator_change_face),
    mouse_end(),
    mouse_list_end(),
};

}  // namespace

static_assert(sizeof(adf_compass_table) / sizeof(adf_compass_table[0]) == 2);
static_assert(sizeof(adf_homing_table) / sizeof(adf_homing_table[0]) == 3);

// ---- callbacks -------------------------------------------------------------------------

// Both homing-face icons (the face under the needles and the plate over them).
static double FSAPI adf_indicator_homing_face(ICON*) { return adf_compass_face != 0 ? -1.0 : 0.0; }

// A bearing outside 0 to 360 is shown as it comes.
static double FSAPI adf_indicator_compass_needle(NEEDLE* element) {
    element_set_hidden(&element->header, adf_compass_face == 0);
    if (adf_main_switch == 0) return ADF_COMPASS_PARKED_DEG;
    return element->source.var_value.n;
}

// A negative bearing brought into 0..360 as if by adding whole turns, in one step
// however large it is; 360 and above stay as they are (right of centre). A bearing
// that is not a finite number leaves the needle straight up.
static double adf_homing_bearing(double bearing_deg) {
    if (!isfinite(bearing_deg)) return ADF_HOMING_PARKED_DEG;
    double v = bearing_deg;
    if (v < 0.0) {
        double rest = fmod(v, ADF_FULL_TURN_DEG);  // exact, in (-360, 0]
        v = rest < 0.0 ? rest + ADF_FULL_TURN_DEG : 0.0;
    }
    if (v > ADF_HALF_TURN_DEG && v < ADF_HOMING_LEFT_STOP_DEG) v = ADF_HOMING_LEFT_STOP_DEG;
    if (v > ADF_HOMING_RIGHT_STOP_DEG && v <= ADF_HALF_TURN_DEG) v = ADF_HOMING_RIGHT_STOP_DEG;
    return v;
}

static double FSAPI adf_indicator_homing_needle(NEEDLE* element) {
    element_set_hidden(&element->header, adf_compass_face != 0);
    if (adf_main_switch == 0) return ADF_HOMING_PARKED_DEG;
    return adf_homing_bearing(element->source.var_value.n);
}

static int32_t FSAPI adf_indicator_change_face(MOUSE_CLICK*, uint32_t) {
    adf_compass_face = adf_compass_face == 0 ? 1 : 0;
    return 0;
}

constinit GAUGEHDR adf_indicator_gauge =
    gauge_header("ADF_Indicator", 100, adf_elements, adf_mouse, nullptr);
