// Artificial horizon: a horizon bar that moves with pitch and turns with bank, a
// bank index, an inclinometer ball, a warning flag and a caging ring marked Los
// (released) and Fest (caged). Token 69 is the ball position, 78 the pitch, 80 the
// bank in degrees, 825 the caging state; 279 and 276 raise the warning flag.
#include "module/gauge_builders.h"
#include "module/gauges.h"
#include "module/host_calls.h"

static constexpr double PITCH_LIMIT = 60.0;  // bar shift in pixels, either way
static constexpr uint32_t TOKEN_FLAG_CONDITION_A = 279;
static constexpr uint32_t TOKEN_FLAG_CONDITION_B = 276;
static constexpr uint32_t KEY_GYRO_CAGE_TOGGLE = 0x10345;  // 66373

static double FSAPI horizon_ball_rise(SLIDER* element);
static double FSAPI horizon_pitch_limit(SPRITE* element);
static double FSAPI horizon_warning_flag(ICON* element);
static double FSAPI horizon_cage_ring(ICON* element);

namespace {

// ---- needle table: -90 right of the pivot, +90 left; the marker stands opposite ----
NONLINEARITY horizon_bank_table[] = {
    {{205, 152}, -90.0, 0},
    {{105, 152},  90.0, 0},
};

const FAILURE_RECORD horizon_gyro_failures[] = {
    {8, 0, 0},
    {2, 0, 0},
    {4, 0, 0},
    {0, 0, 0},
};

// ---- element chain, back to front ------------------------------------------------
extern STATIC_IMAGE horizon_face;
extern SLIDER horizon_ball;
extern SPRITE horizon_bar;
extern NEEDLE horizon_bank_index;
extern STATIC_IMAGE horizon_aircraft_symbol;
extern ICON horizon_warning_flag_icon;
extern STATIC_IMAGE horizon_ring_fest;
extern ICON horizon_ring_los;

ELEMENT_HEADER* horizon_after_1[] = {&horizon_ball.header, nullptr};
ELEMENT_HEADER* horizon_after_2[] = {&horizon_bar.header, nullptr};
ELEMENT_HEADER* horizon_after_3[] = {&horizon_bank_index.header, nullptr};
ELEMENT_HEADER* horizon_after_4[] = {&horizon_aircraft_symbol.header, nullptr};
ELEMENT_HEADER* horizon_after_5[] = {&horizon_warning_flag_icon.header, nullptr};
ELEMENT_HEADER* horizon_after_6[] = {&horizon_ring_fest.header, nullptr};
ELEMENT_HEADER* horizon_after_7[] = {&horizon_ring_los.header, nullptr};

constinit STATIC_IMAGE horizon_face = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 1000, {0, 0}, {0, 0}, &artificial_horizon_gauge,
                             horizon_after_1, nullptr, 0x4003),
};
constinit SLIDER horizon_ball = {
    .header = element_header(ELEMENT_SLIDER, 1060, {147, 232}, {0, 0}, &artificial_horizon_gauge,
                             horizon_after_2, nullptr, 0x4083),
    .source_x = token_source(69), .scale_x = 0.3359375,
    .source_y = token_source(69), .scale_y = -0.0003662109375,  // rises by value squared
    .update_y_cb = horizon_ball_rise,
};
constinit SPRITE horizon_bar = {  // window 1011
    .header = element_header(ELEMENT_SPRITE, 1010, {70, 79}, {155, 152}, &artificial_horizon_gauge,
                             horizon_after_3, horizon_gyro_failures, 0x4083),
    .source_x = token_source(0), .scale_x = 0.0,
    .source_y = token_source(78), .scale_y = 1.0,
    .source_0 = token_source(80), .scale_0 = -1.0,
    .texture_scale_x = 1.0f, .texture_scale_y = 1.0f,
    .update_y_cb = horizon_pitch_limit,
};
constinit NEEDLE horizon_bank_index = {
    .header = element_header(ELEMENT_NEEDLE, 1020, {155, 152}, {70, 7}, &artificial_horizon_gauge,
                             horizon_after_4, horizon_gyro_failures, 0x4083),
    .source = token_source(80), .reference = {70, 7},
    .nonlinearity_table = horizon_bank_table, .nonlinearity_table_size = 2,
};
constinit STATIC_IMAGE horizon_aircraft_symbol = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 1030, {52, 70}, {0, 0}, &artificial_horizon_gauge,
                             horizon_after_5, nullptr, 0x4003),
};
constinit ICON horizon_warning_flag_icon = {
    .header = element_header(ELEMENT_ICON, 1050, {116, 37}, {0, 0}, &artificial_horizon_gauge,
                             horizon_after_6, nullptr, 0x4003),
    .source = token_source(0), .switch_type = ICON_SWITCH_TYPE_SET_CUR_ICON, .scale = 1.0,
    .num_icons = 1, .update_cb = horizon_warning_flag,
};
constinit STATIC_IMAGE horizon_ring_fest = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 1040, {0, 0}, {0, 0}, &artificial_horizon_gauge,
                             horizon_after_7, nullptr, 0x3),
};
constinit ICON horizon_ring_los = {
    .header = element_header(ELEMENT_ICON, 1070, {0, 0}, {0, 0}, &artificial_horizon_gauge,
                             nullptr, nullptr, 0x3),
    .source = token_source(825), .switch_type = ICON_SWITCH_TYPE_SET_CUR_ICON, .scale = 1.0,
    .num_icons = 1, .update_cb = horizon_cage_ring,
};

ELEMENT_HEADER* horizon_elements[] = {&horizon_face.header, nullptr};

// ---- mouse rectangles: two tooltip areas, a help area and the caging ring ------------
MOUSERECT horizon_mouse[] = {
    mouse_parent({0, 0, 0, 0}),
    mouse_parent({0, 0, 304, 222}),
    mouse_tooltip_id(0x3092),
    mouse_end(),
    mouse_parent({85, 223, 138, 33}, 0xab61),
    mouse_end(),
    mouse_parent({123, 272, 63, 26}),
    mouse_tooltip_text("Turns caging ring"),
    mouse_end(),
    mouse_child_event({123, 272, 63, 26}, CURSOR_HAND, MOUSE_LEFTSINGLE, KEY_GYRO_CAGE_TOGGLE),
    mouse_end(),
    mouse_list_end(),
};

}  // namespace

static_assert(sizeof(horizon_bank_table) / sizeof(horizon_bank_table[0]) == 2);

// ---- callbacks -------------------------------------------------------------------------

// The slider's Y scale is negative: the ball rises by the square of its position.
static double FSAPI horizon_ball_rise(SLIDER* element) {
    double v = element->source_y.var_value.n;
    return v * v;
}

static double FSAPI horizon_pitch_limit(SPRITE* element) {
    double v = element->source_y.var_value.n;
    if (v > PITCH_LIMIT) return PITCH_LIMIT;
    if (v < -PITCH_LIMIT) return -PITCH_LIMIT;
    return v;
}

static double FSAPI horizon_warning_flag(ICON*) {
    uint32_t condition_a = lookup_unsigned(TOKEN_FLAG_CONDITION_A);
    uint32_t condition_b = lookup_unsigned(TOKEN_FLAG_CONDITION_B);
    return condition_a != 0 || condition_b != 0 ? 0.0 : -1.0;
}

// Released (0) shows this ring at Los; caged leaves the Fest ring behind it.
static double FSAPI horizon_cage_ring(ICON* element) {
    return element->source.var_value.n == 0.0 ? 0.0 : -1.0;
}

constinit GAUGEHDR artificial_horizon_gauge = gauge_header(
    "Artificial_Horizon", 100, horizon_elements, horizon_mouse, nullptr);
