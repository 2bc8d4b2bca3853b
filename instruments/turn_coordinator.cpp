// Turn coordinator: a turn pointer pivoting near the bottom of the face and an
// inclinometer ball in a curved tube. Token 69 is the ball position, token 70 the
// turn rate at 256 times the pointer table's values.
#include "module/gauge_builders.h"
#include "module/gauges.h"

static constexpr double TURN_RATE_SCALE = 0.00390625;  // 1/256

static double FSAPI turn_ball_rise(SLIDER* element);
static double FSAPI turn_needle_scale(NEEDLE* element);

namespace {

// ---- needle table: stops up-left and up-right of the pivot, straight up at 0 ------
NONLINEARITY turn_pointer_table[] = {
    {{ 60, 81}, -5.0, 0},
    {{ 60, 81}, -4.5, 0},  // left stop
    {{240, 81},  4.5, 0},  // right stop
    {{240, 81},  5.0, 0},
};

const FAILURE_RECORD turn_pointer_failures[] = {
    {18, 1, 0},
    {20, 2, 0},
    {0, 0, 0},
};

// ---- element chain, back to front ------------------------------------------------
extern STATIC_IMAGE turn_face;
extern SLIDER turn_ball;
extern ICON turn_tube_marks;
extern NEEDLE turn_pointer;
extern STATIC_IMAGE turn_bezel;

ELEMENT_HEADER* turn_after_1[] = {&turn_ball.header, nullptr};
ELEMENT_HEADER* turn_after_2[] = {&turn_tube_marks.header, nullptr};
ELEMENT_HEADER* turn_after_3[] = {&turn_pointer.header, nullptr};
ELEMENT_HEADER* turn_after_4[] = {&turn_bezel.header, nullptr};

constinit STATIC_IMAGE turn_face = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 440, {0, 0}, {0, 0}, &turn_coordinator_gauge,
                             turn_after_1, nullptr, 0x4003),
};
constinit SLIDER turn_ball = {
    .header = element_header(ELEMENT_SLIDER, 460, {141, 172}, {0, 0}, &turn_coordinator_gauge,
                             turn_after_2, nullptr, 0x4083),
    .source_x = token_source(69), .scale_x = 0.578125,
    .source_y = token_source(69), .scale_y = -0.000244140625,  // rises by value squared
    .update_y_cb = turn_ball_rise,
};
constinit ICON turn_tube_marks = {  // always image 470
    .header = element_header(ELEMENT_ICON, 470, {137, 169}, {0, 0}, &turn_coordinator_gauge,
                             turn_after_3, nullptr, 0x4003),
    .source = token_source(0), .switch_type = ICON_SWITCH_TYPE_SET_CUR_ICON, .scale = 1.0,
    .num_icons = 1,
};
constinit NEEDLE turn_pointer = {
    .header = element_header(ELEMENT_NEEDLE, 450, {150, 251}, {22, 14}, &turn_coordinator_gauge,
                             turn_after_4, turn_pointer_failures, 0x4083),
    .source = token_source(70), .reference = {22, 14},
    .nonlinearity_table = turn_pointer_table, .nonlinearity_table_size = 4,
    .update_cb = turn_needle_scale,
};
constinit STATIC_IMAGE turn_bezel = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 480, {0, 0}, {0, 0}, &turn_coordinator_gauge,
                             nullptr, nullptr, 0x3),
};

ELEMENT_HEADER* turn_elements[] = {&turn_face.header, nullptr};

// ---- mouse rectangles: one tooltip, no clicks ----------------------------------------
MOUSERECT turn_mouse[] = {
    mouse_parent({0, 0, 0, 0}),
    mouse_tooltip_id(0x3090),
    mouse_end(),
    mouse_list_end(),
};

}  // namespace

static_assert(sizeof(turn_pointer_table) / sizeof(turn_pointer_table[0]) == 4);

// ---- callbacks -------------------------------------------------------------------------

// The slider's Y scale is negative: the ball rises by the square of its position.
static double FSAPI turn_ball_rise(SLIDER* element) {
    double v = element->source_y.var_value.n;
    return v * v;
}

static double FSAPI turn_needle_scale(NEEDLE* element) {
    return element->source.var_value.n * TURN_RATE_SCALE;
}

constinit GAUGEHDR turn_coordinator_gauge =
    gauge_header("Turn_Coordinator", 100, turn_elements, turn_mouse, nullptr);
