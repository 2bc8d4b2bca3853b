// Blind-landing cross-pointer of the NAV1 receiver: the localizer needle hangs from
// the top (token 40), the glide-path needle points in from the right (token 41).
// They move only while the receiver is on and a landing beam is received (bit 0x80
// of token 46). The gauge callback keeps the NAV1 course selection (token 45) on the
// received beam's course (token 48).
#include <math.h>

#include "module/gauge_builders.h"
#include "module/gauges.h"
#include "module/host_calls.h"
#include "module/host_values.h"
#include "module/panel_state.h"

enum : uint32_t {
    TOKEN_NAV1_LOCALIZER = 40,
    TOKEN_NAV1_GLIDE_PATH = 41,
    TOKEN_NAV1_COURSE_SELECTED_DEG = 45,
    TOKEN_NAV1_FLAGS = 46,         // integer token
    TOKEN_NAV1_BEAM_COURSE = 48,   // 1/65536 of a full circle
    NAV1_FLAG_LANDING_BEAM = 0x80,
    EVENT_NAV1_SET_COURSE = 0x100B4,  // 65716, value: whole degrees
};

static constexpr double BEAM_COURSE_UNITS_PER_TURN = 65536.0;
static constexpr double FULL_TURN_DEG = 360.0;
static constexpr int32_t FULL_TURN_WHOLE_DEG = 360;

static double FSAPI landing_indicator_needle(NEEDLE* element);
static void FSAPI landing_indicator_follow_course(GAUGEHDR* gauge, uint32_t service_id,
                                                  uintptr_t extra);

namespace {

// ---- needle tables: both list falling values, so the needles turn back as they rise --
// Localizer: the tip swings right for positive values.
NONLINEARITY landing_localizer_table[] = {
    {{129, 150},  127.0, 0},
    {{ 67, 150}, -127.0, 0},
};

// Glide path: the tip swings down for positive values.
NONLINEARITY landing_glide_path_table[] = {
    {{44, 134},  120.0, 0},
    {{44,  68}, -120.0, 0},
};

const FAILURE_RECORD landing_dial_failures[] = {
    {14, 0, 0},
    {0, 0, 0},
};

const FAILURE_RECORD landing_needle_failures[] = {
    {14, 2, 0},
    {21, 2, 0},
    {20, 1, 0},
    {0, 0, 0},
};

// ---- element chain, back to front --------------------------------------------------
extern STATIC_IMAGE landing_dial;
extern NEEDLE landing_localizer_needle;
extern NEEDLE landing_glide_path_needle;
extern STATIC_IMAGE landing_bezel;

ELEMENT_HEADER* landing_after_1[] = {&landing_localizer_needle.header, nullptr};
ELEMENT_HEADER* landing_after_2[] = {&landing_glide_path_needle.header, nullptr};
ELEMENT_HEADER* landing_after_3[] = {&landing_bezel.header, nullptr};

constinit STATIC_IMAGE landing_dial = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 3050, {0, 0}, {0, 0},
                             &landing_indicator_gauge, landing_after_1, landing_dial_failures,
                             0x4003),
};
constinit NEEDLE landing_localizer_needle = {
    .header = element_header(ELEMENT_NEEDLE, 3060, {98, 52}, {0, 4}, &landing_indicator_gauge,
                             landing_after_2, landing_needle_failures, 0x4083),
    .source = token_source(TOKEN_NAV1_LOCALIZER), .reference = {0, 4},
    .nonlinearity_table = landing_localizer_table, .nonlinearity_table_size = 2,
    .update_cb = landing_indicator_needle,
};
constinit NEEDLE landing_glide_path_needle = {
    .header = element_header(ELEMENT_NEEDLE, 3070, {148, 101}, {0, 4}, &landing_indicator_gauge,
                             landing_after_3, landing_needle_failures, 0x4083),
    .source = token_source(TOKEN_NAV1_GLIDE_PATH), .reference = {0, 4},
    .nonlinearity_table = landing_glide_path_table, .nonlinearity_table_size = 2,
    .update_cb = landing_indicator_needle,
};
constinit STATIC_IMAGE landing_bezel = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 3080, {0, 0}, {0, 0},
                             &landing_indicator_gauge, nullptr, nullptr, 0x3),
};

ELEMENT_HEADER* landing_elements[] = {&landing_dial.header, nullptr};

// ---- mouse rectangles: a fixed tooltip, no clicks ------------------------------------
MOUSERECT landing_mouse[] = {
    mouse_parent({0, 0, 0, 0}),
    mouse_tooltip_text("Landing Indicator NAV1"),
    mouse_end(),
    mouse_list_end(),
};

}  // namespace

static_assert(sizeof(landing_localizer_table) / sizeof(landing_localizer_table[0]) == 2);
static_assert(sizeof(landing_glide_path_table) / sizeof(landing_glide_path_table[0]) == 2);

// ---- callbacks -------------------------------------------------------------------------

// Both needles: the deviation while the receiver is on and hears a landing beam,
// otherwise centred.
static double FSAPI landing_indicator_needle(NEEDLE* element) {
    uint32_t flags = lookup_unsigned(TOKEN_NAV1_FLAGS);
    if ((flags & NAV1_FLAG_LANDING_BEAM) != 0 && nav1_main_switch != 0)
        return element->source.var_value.n;
    return 0.0;
}

// A course in degrees as the whole degree it lies in, truncated toward zero and
// brought into 0..359 (a course of 370.5 is 10, one of -10.5 is 350).
static uint32_t landing_whole_degrees(double course_deg) {
    int32_t whole_deg = host_to_int32(fmod(course_deg, FULL_TURN_DEG));
    return static_cast<uint32_t>(whole_deg < 0 ? whole_deg + FULL_TURN_WHOLE_DEG : whole_deg);
}

// On every call, whatever the service: while the receiver is on, set the course
// selection to the received beam's course whenever the two differ. A beam course
// that is not a finite number gives nothing to follow.
static void FSAPI landing_indicator_follow_course(GAUGEHDR*, uint32_t, uintptr_t) {
    if (nav1_main_switch == 0) return;
    double beam_course = lookup_number(TOKEN_NAV1_BEAM_COURSE);
    double selected_deg = lookup_number(TOKEN_NAV1_COURSE_SELECTED_DEG);
    double beam_deg = FULL_TURN_DEG * beam_course / BEAM_COURSE_UNITS_PER_TURN;
    if (!isfinite(beam_deg) || selected_deg == beam_deg) return;
    trigger_key_event(EVENT_NAV1_SET_COURSE, landing_whole_degrees(beam_deg));
}

constinit GAUGEHDR landing_indicator_gauge = gauge_header(
    "Landing_Indicator", 100, landing_elements, landing_mouse, landing_indicator_follow_course);
