// Altimeter: in metric units one pointer per 1000 m, a kilometre drum and a
// millibar strip; in British units three pointers (1000, 10 000 and 100 000 ft per
// turn) and an inches-of-mercury disc. The set shown follows the panel's unit flag.
// Token 74 is the altitude in feet, 75 the pressure setting in millibars, 76 the
// same setting in inches of mercury; the bezel knob changes it by key events.
#include <math.h>

#include "module/gauge_builders.h"
#include "module/gauges.h"
#include "module/panel_state.h"

// The instrument's own foot-to-metre conversion (about 0.30199 m per foot).
static constexpr double ALTIMETER_FEET_TO_M = 0.3047693;
static constexpr double ALTIMETER_M_DIVISOR = 1.009205;
static constexpr double METRES_PER_KM = 1000.0;

// The disc carries 27.9 to 31.5 inches, 29.9 at its 3 o'clock.
static constexpr double DISC_LOWEST_INHG = 27.9;
static constexpr double DISC_HIGHEST_INHG = 31.5;
static constexpr double DISC_CENTRE_INHG = 29.9;

static constexpr uint32_t KEY_KOHLSMAN_INC = 0x1015B;  // 65883: raise the pressure setting
static constexpr uint32_t KEY_KOHLSMAN_DEC = 0x1015C;  // 65884: lower the pressure setting

static double FSAPI altimeter_british_face(ICON* element);
static double FSAPI altimeter_inhg_disc(SPRITE* element);
static double FSAPI altimeter_millibar_scale(MOVING_IMAGE* element);
static double FSAPI altimeter_british_pointer(NEEDLE* element);
static double FSAPI altimeter_km_drum(MOVING_IMAGE* element);
static double FSAPI altimeter_metric_pointer(NEEDLE* element);

namespace {

// ---- needle tables: half a turn each; the pointers turn on beyond it ----------------
NONLINEARITY altimeter_100000ft_table[] = {
    {{150, 100},     0.0, 0},  // 12 o'clock
    {{150, 200}, 50000.0, 0},
};

NONLINEARITY altimeter_10000ft_table[] = {
    {{150, 100},    0.0, 0},
    {{150, 200}, 5000.0, 0},
};

NONLINEARITY altimeter_1000ft_table[] = {
    {{150, 100},  -1.0, 0},  // stop at 0 for negative altitudes
    {{150, 100},   0.0, 0},
    {{150, 200}, 500.0, 0},
};

NONLINEARITY altimeter_metric_table[] = {
    {{150, 260},   0.0, 0},  // 6 o'clock
    {{150,  40}, 500.0, 0},
};

const FAILURE_RECORD altimeter_pointer_failures[] = {
    {7, 1, 0},
    {3, 2, 0},
    {0, 0, 0},
};

// ---- element chain, back to front ------------------------------------------------
extern STATIC_IMAGE altimeter_metric_face;
extern ICON altimeter_british_face_icon;
extern SPRITE altimeter_inhg_disc_sprite;
extern MOVING_IMAGE altimeter_millibar_strip;
extern NEEDLE altimeter_100000ft_pointer;
extern NEEDLE altimeter_10000ft_pointer;
extern NEEDLE altimeter_1000ft_pointer;
extern MOVING_IMAGE altimeter_km_drum_strip;
extern NEEDLE altimeter_metric_pointer_element;
extern STATIC_IMAGE altimeter_bezel;

ELEMENT_HEADER* altimeter_after_1[] = {&altimeter_british_face_icon.header, nullptr};
ELEMENT_HEADER* altimeter_after_2[] = {&altimeter_inhg_disc_sprite.header, nullptr};
ELEMENT_HEADER* altimeter_after_3[] = {&altimeter_millibar_strip.header, nullptr};
ELEMENT_HEADER* altimeter_after_4[] = {&altimeter_100000ft_pointer.header, nullptr};
ELEMENT_HEADER* altimeter_after_5[] = {&altimeter_10000ft_pointer.header, nullptr};
ELEMENT_HEADER* altimeter_after_6[] = {&altimeter_1000ft_pointer.header, nullptr};
ELEMENT_HEADER* altimeter_after_7[] = {&altimeter_km_drum_strip.header, nullptr};
ELEMENT_HEADER* altimeter_after_8[] = {&altimeter_metric_pointer_element.header, nullptr};
ELEMENT_HEADER* altimeter_after_9[] = {&altimeter_bezel.header, nullptr};

constinit STATIC_IMAGE altimeter_metric_face = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 430, {0, 0}, {0, 0}, &altimeter_gauge,
                             altimeter_after_1, nullptr, 0x4003),
};
constinit ICON altimeter_british_face_icon = {
    .header = element_header(ELEMENT_ICON, 370, {0, 0}, {0, 0}, &altimeter_gauge,
                             altimeter_after_2, nullptr, 0x4003),
    .source = token_source(0), .switch_type = ICON_SWITCH_TYPE_SET_CUR_ICON, .scale = 1.0,
    .num_icons = 1, .update_cb = altimeter_british_face,
};
constinit SPRITE altimeter_inhg_disc_sprite = {  // window 381
    .header = element_header(ELEMENT_SPRITE, 380, {221, 124}, {157, 151}, &altimeter_gauge,
                             altimeter_after_3, nullptr, 0x4083),
    .source_x = token_source(0), .scale_x = 1.0,
    .source_y = token_source(0), .scale_y = 1.0,
    .source_0 = token_source(76), .scale_0 = 90.0,  // degrees per inch
    .texture_scale_x = 1.0f, .texture_scale_y = 1.0f,
    .update_0_cb = altimeter_inhg_disc,
};
constinit MOVING_IMAGE altimeter_millibar_strip = {  // window 361
    .header = element_header(ELEMENT_MOVING_IMAGE, 360, {122, 49}, {0, 0}, &altimeter_gauge,
                             altimeter_after_4, nullptr, 0x4083),
    .source_x = token_source(75), .min_x = 1050.0, .max_x = 930.0,
    .source_y = token_source(0),
    .update_x_cb = altimeter_millibar_scale,
};
constinit NEEDLE altimeter_100000ft_pointer = {
    .header = element_header(ELEMENT_NEEDLE, 420, {150, 150}, {0, 6}, &altimeter_gauge,
                             altimeter_after_5, altimeter_pointer_failures, 0x4083),
    .source = token_source(74), .reference = {0, 6},
    .nonlinearity_table = altimeter_100000ft_table, .nonlinearity_table_size = 2,
    .update_cb = altimeter_british_pointer,
};
constinit NEEDLE altimeter_10000ft_pointer = {
    .header = element_header(ELEMENT_NEEDLE, 410, {150, 150}, {33, 14}, &altimeter_gauge,
                             altimeter_after_6, altimeter_pointer_failures, 0x4083),
    .source = token_source(74), .reference = {33, 14},
    .nonlinearity_table = altimeter_10000ft_table, .nonlinearity_table_size = 2,
    .update_cb = altimeter_british_pointer,
};
constinit NEEDLE altimeter_1000ft_pointer = {
    .header = element_header(ELEMENT_NEEDLE, 400, {150, 150}, {35, 13}, &altimeter_gauge,
                             altimeter_after_7, altimeter_pointer_failures, 0x4083),
    .source = token_source(74), .reference = {35, 13},
    .nonlinearity_table = altimeter_1000ft_table, .nonlinearity_table_size = 3,
    .update_cb = altimeter_british_pointer,
};
constinit MOVING_IMAGE altimeter_km_drum_strip = {  // window 351
    .header = element_header(ELEMENT_MOVING_IMAGE, 350, {129, 208}, {0, 0}, &altimeter_gauge,
                             altimeter_after_8, nullptr, 0x4083),
    .source_x = token_source(74), .min_x = 0.0, .max_x = 20.0,
    .source_y = token_source(0),
    .update_x_cb = altimeter_km_drum,
};
constinit NEEDLE altimeter_metric_pointer_element = {
    .header = element_header(ELEMENT_NEEDLE, 340, {150, 150}, {43, 28}, &altimeter_gauge,
                             altimeter_after_9, altimeter_pointer_failures, 0x4083),
    .source = token_source(74), .reference = {43, 28},
    .nonlinearity_table = altimeter_metric_table, .nonlinearity_table_size = 2,
    .update_cb = altimeter_metric_pointer,
};
constinit STATIC_IMAGE altimeter_bezel = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 390, {0, 0}, {0, 0}, &altimeter_gauge, nullptr,
                             nullptr, 0x3),
};

ELEMENT_HEADER* altimeter_elements[] = {&altimeter_metric_face.header, nullptr};

// ---- mouse rectangles: three tooltip areas and the setting knob ----------------------
MOUSERECT altimeter_mouse[] = {
    mouse_parent({0, 0, 0, 0}),
    mouse_parent({0, 0, 150, 270}),
    mouse_tooltip_id(0x3051),
    mouse_end(),
    mouse_parent({150, 0, 150, 270}),
    mouse_tooltip_id(0x3050),
    mouse_end(),
    mouse_parent({0, 270, 300, 60}),
    mouse_tooltip_id(0x3054),
    mouse_end(),
    mouse_parent({123, 276, 54, 54}),  // the knob
    mouse_child_event({0, 0, 27, 54}, CURSOR_DOWNARROW, MOUSE_LEFTSINGLE | MOUSE_DOWN_REPEAT,
                      KEY_KOHLSMAN_DEC),
    mouse_child_event({27, 0, 27, 54}, CURSOR_UPARROW, MOUSE_LEFTSINGLE | MOUSE_DOWN_REPEAT,
                      KEY_KOHLSMAN_INC),
    mouse_end(),
    mouse_end(),
    mouse_list_end(),
};

}  // namespace

static_assert(sizeof(altimeter_100000ft_table) / sizeof(altimeter_100000ft_table[0]) == 2);
static_assert(sizeof(altimeter_10000ft_table) / sizeof(altimeter_10000ft_table[0]) == 2);
static_assert(sizeof(altimeter_1000ft_table) / sizeof(altimeter_1000ft_table[0]) == 3);
static_assert(sizeof(altimeter_metric_table) / sizeof(altimeter_metric_table[0]) == 2);

// ---- callbacks -------------------------------------------------------------------------

static double altimeter_feet_to_metres(double feet) {
    return feet * ALTIMETER_FEET_TO_M / ALTIMETER_M_DIVISOR;
}

static double FSAPI altimeter_british_face(ICON*) { return british_units != 0 ? 0.0 : -1.0; }

// Turns the disc so that the setting stands in the window; settings beyond the
// disc's figures (and a setting that is not a number) rest on its ends.
static double FSAPI altimeter_inhg_disc(SPRITE* element) {
    bool shown = british_units != 0;
    element_set_hidden(&element->header, !shown);
    if (!shown) return 0.0;
    double inhg = element->source_0.var_value.n;
    if (!(inhg > DISC_LOWEST_INHG)) inhg = DISC_LOWEST_INHG;
    if (!(inhg < DISC_HIGHEST_INHG)) inhg = DISC_HIGHEST_INHG;
    return inhg - DISC_CENTRE_INHG;
}

static double FSAPI altimeter_millibar_scale(MOVING_IMAGE* element) {
    bool shown = british_units == 0;
    element_set_hidden(&element->header, !shown);
    return shown ? element->source_x.var_value.n : 0.0;
}

static double FSAPI altimeter_british_pointer(NEEDLE* element) {
    bool shown = british_units != 0;
    element_set_hidden(&element->header, !shown);
    return shown ? element->source.var_value.n : 0.0;
}

// Whole kilometres; below sea level the drum goes to -1.
static double FSAPI altimeter_km_drum(MOVING_IMAGE* element) {
    bool shown = british_units == 0;
    element_set_hidden(&element->header, !shown);
    if (!shown) return 0.0;
    return floor(altimeter_feet_to_metres(element->source_x.var_value.n) / METRES_PER_KM);
}

static double FSAPI altimeter_metric_pointer(NEEDLE* element) {
    bool shown = british_units == 0;
    element_set_hidden(&element->header, !shown);
    return shown ? altimeter_feet_to_metres(element->source.var_value.n) : 0.0;
}

constinit GAUGEHDR altimeter_gauge =
    gauge_header("Altimeter", 100, altimeter_elements, altimeter_mouse, nullptr);
