// Directional gyros: a compass card turned by the gyro heading (token 84) and a
// course marker set with a knob. The set course lives in the host (token 855) and
// changes only by key event 0x101FA, so every gyro on a panel shows the same
// course. Directionnal_Gyro is the full instrument; Directionnal_Gyro_Small shows
// its upper half and turns its marker as a sprite. Both share the knob functions.
#include <math.h>

#include "module/gauge_builders.h"
#include "module/gauges.h"
#include "module/host_calls.h"
#include "module/host_values.h"

enum : uint32_t {
    TOKEN_GYRO_HEADING_DEG = 84,
    TOKEN_SET_COURSE_DEG = 855,
    EVENT_SET_COURSE = 0x101FA,  // 66042, value: the new course, 0 to 359
};

static constexpr int32_t COURSE_FULL_TURN_DEG = 360;
static constexpr int32_t COURSE_SMALL_STEP_DEG = 1;
static constexpr int32_t COURSE_LARGE_STEP_DEG = 10;

static double FSAPI gyro_course_marker(NEEDLE* element);
static double FSAPI gyro_small_course_marker(SPRITE* element);
static int32_t FSAPI gyro_course_down(MOUSE_CLICK* click, uint32_t mouse_flags);
static int32_t FSAPI gyro_course_up(MOUSE_CLICK* click, uint32_t mouse_flags);

namespace {

const FAILURE_RECORD gyro_failures[] = {
    {20, 1, 0},
    {11, 1, 0},
    {0, 0, 0},
};

// ---- Directionnal_Gyro: element chain, back to front ------------------------------
extern STATIC_IMAGE gyro_body;
extern SPRITE gyro_card;
extern NEEDLE gyro_marker;
extern STATIC_IMAGE gyro_bezel;

ELEMENT_HEADER* gyro_after_1[] = {&gyro_card.header, nullptr};
ELEMENT_HEADER* gyro_after_2[] = {&gyro_marker.header, nullptr};
ELEMENT_HEADER* gyro_after_3[] = {&gyro_bezel.header, nullptr};

constinit STATIC_IMAGE gyro_body = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 260, {0, 0}, {0, 0}, &directional_gyro_gauge,
                             gyro_after_1, nullptr, 0x3),
};
// The card turns anticlockwise by the heading, so the heading flown stands at the top.
constinit SPRITE gyro_card = {
    .header = element_header(ELEMENT_SPRITE, 270, {18, 18}, {150, 150}, &directional_gyro_gauge,
                             gyro_after_2, gyro_failures, 0x4083),
    .source_x = token_source(0), .scale_x = 1.0,
    .source_y = token_source(0), .scale_y = 1.0,
    .source_0 = token_source(TOKEN_GYRO_HEADING_DEG), .scale_0 = 1.0,
    .texture_scale_x = 1.0f, .texture_scale_y = 1.0f,
};
// No needle table: the marker turns clockwise from nose-up by its value in degrees.
constinit NEEDLE gyro_marker = {
    .header = element_header(ELEMENT_NEEDLE, 290, {150, 150}, {106, 83}, &directional_gyro_gauge,
                             gyro_after_3, gyro_failures, 0x4083),
    .source = token_source(TOKEN_SET_COURSE_DEG), .reference = {106, 83},
    .nonlinearity_table = nullptr, .nonlinearity_table_size = 0,
    .update_cb = gyro_course_marker,
};
constinit STATIC_IMAGE gyro_bezel = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 280, {0, 0}, {0, 0}, &directional_gyro_gauge,
                             nullptr, nullptr, 0x3),
};

ELEMENT_HEADER* gyro_elements[] = {&gyro_body.header, nullptr};

// ---- Directionnal_Gyro_Small: element chain, back to front ------------------------
extern STATIC_IMAGE gyro_small_body;
extern SPRITE gyro_small_card;
extern SPRITE gyro_small_marker;
extern STATIC_IMAGE gyro_small_bezel;

ELEMENT_HEADER* gyro_small_after_1[] = {&gyro_small_card.header, nullptr};
ELEMENT_HEADER* gyro_small_after_2[] = {&gyro_small_marker.header, nullptr};
ELEMENT_HEADER* gyro_small_after_3[] = {&gyro_small_bezel.header, nullptr};

constinit STATIC_IMAGE gyro_small_body = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 2400, {0, 0}, {0, 0},
                             &directional_gyro_small_gauge, gyro_small_after_1, nullptr, 0x3),
};
constinit SPRITE gyro_small_card = {
    .header = element_header(ELEMENT_SPRITE, 2410, {18, 18}, {150, 150},
                             &directional_gyro_small_gauge, gyro_small_after_2, gyro_failures,
                             0x4083),
    .source_x = token_source(0), .scale_x = 1.0,
    .source_y = token_source(0), .scale_y = 1.0,
    .source_0 = token_source(TOKEN_GYRO_HEADING_DEG), .scale_0 = 1.0,
    .texture_scale_x = 1.0f, .texture_scale_y = 1.0f,
};
// Rotation scale -1: a positive course-minus-heading turns the marker clockwise.
constinit SPRITE gyro_small_marker = {
    .header = element_header(ELEMENT_SPRITE, 2430, {45, 45}, {150, 150},
                             &directional_gyro_small_gauge, gyro_small_after_3, gyro_failures,
                             0x4083),
    .source_x = token_source(0), .scale_x = 1.0,
    .source_y = token_source(0), .scale_y = 1.0,
    .source_0 = token_source(TOKEN_SET_COURSE_DEG), .scale_0 = -1.0,
    .texture_scale_x = 1.0f, .texture_scale_y = 1.0f,
    .update_0_cb = gyro_small_course_marker,
};
constinit STATIC_IMAGE gyro_small_bezel = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 2420, {0, 0}, {0, 0},
                             &directional_gyro_small_gauge, nullptr, nullptr, 0x3),
};

ELEMENT_HEADER* gyro_small_elements[] = {&gyro_small_body.header, nullptr};

// ---- mouse rectangles: the knob's left half steps down, its right half up ----------
// The two gauges carry the same rows, each in its own list (the host keeps data in it).
MOUSERECT gyro_mouse[] = {
    mouse_parent({0, 0, 0, 0}, 0x3208),
    mouse_child_function({110, 120, 40, 60}, CURSOR_DOWNARROW, 0xa0200000, gyro_course_down),
    mouse_child_function({150, 120, 40, 60}, CURSOR_UPARROW,   0xa0200000, gyro_course_up),
    mouse_end(),
    mouse_list_end(),
};

MOUSERECT gyro_small_mouse[] = {
    mouse_parent({0, 0, 0, 0}, 0x3208),
    mouse_child_function({110, 120, 40, 60}, CURSOR_DOWNARROW, 0xa0200000, gyro_course_down),
    mouse_child_function({150, 120, 40, 60}, CURSOR_UPARROW,   0xa0200000, gyro_course_up),
    mouse_end(),
    mouse_list_end(),
};

}  // namespace

// ---- callbacks -------------------------------------------------------------------------

// The set course relative to the heading: the marker's clockwise turn from nose-up.
static double FSAPI gyro_course_marker(NEEDLE* element) {
    return element->source.var_value.n - lookup_number(TOKEN_GYRO_HEADING_DEG);
}

static double FSAPI gyro_small_course_marker(SPRITE* element) {
    return element->source_0.var_value.n - lookup_number(TOKEN_GYRO_HEADING_DEG);
}

// The host's set course as a whole number of degrees, truncated toward zero and
// brought into 0..359; a course that is not a number counts as 0.
static int32_t gyro_read_course() {
    int32_t course_deg = host_to_int32(fmod(lookup_number(TOKEN_SET_COURSE_DEG), 360.0));
    return course_deg < 0 ? course_deg + COURSE_FULL_TURN_DEG : course_deg;
}

// Steps the course by step_deg (at most a full turn either way), wrapping within 0..359.
static void gyro_send_course(int32_t course_deg, int32_t step_deg) {
    int32_t next_deg = course_deg + step_deg;
    if (next_deg < 0) next_deg += COURSE_FULL_TURN_DEG;
    if (next_deg >= COURSE_FULL_TURN_DEG) next_deg -= COURSE_FULL_TURN_DEG;
    trigger_key_event(EVENT_SET_COURSE, static_cast<uint32_t>(next_deg));
}

static int32_t FSAPI gyro_course_down(MOUSE_CLICK*, uint32_t mouse_flags) {
    if (mouse_flags & MOUSE_LEFTSINGLE)
        gyro_send_course(gyro_read_course(), -COURSE_SMALL_STEP_DEG);
    else if (mouse_flags & MOUSE_RIGHTSINGLE)
        gyro_send_course(gyro_read_course(), -COURSE_LARGE_STEP_DEG);
    return 0;
}

static int32_t FSAPI gyro_course_up(MOUSE_CLICK*, uint32_t mouse_flags) {
    if (mouse_flags & MOUSE_LEFTSINGLE)
        gyro_send_course(gyro_read_course(), COURSE_SMALL_STEP_DEG);
    else if (mouse_flags & MOUSE_RIGHTSINGLE)
        gyro_send_course(gyro_read_course(), COURSE_LARGE_STEP_DEG);
    return 0;
}

constinit GAUGEHDR directional_gyro_gauge =
    gauge_header("Directionnal_Gyro", 100, gyro_elements, gyro_mouse, nullptr);
constinit GAUGEHDR directional_gyro_small_gauge =
    gauge_header("Directionnal_Gyro_Small", 100, gyro_small_elements, gyro_small_mouse, nullptr);
