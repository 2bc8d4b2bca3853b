// What the two magneto selector gauges share: the lever image for a selector
// position, and the key events a click on the lever sends, as one table row
// per selector position.
#pragma once

#include "magneto/sollwick_records.h"

// Selector positions the host reports (tokens 132 and 167): 0 off, 1 and 2 one
// magneto each, 3 both, 4 starter. Larger values are not positions.
enum : uint32_t { MAGNETO_POSITION_COUNT = 5 };

// Lever images, bottom to top of the plate: 0, M1, M2, M1+2.
enum MAGNETO_IMAGE : uint32_t {
    MAGNETO_IMAGE_OFF = 0,
    MAGNETO_IMAGE_M1 = 1,
    MAGNETO_IMAGE_M2 = 2,
    MAGNETO_IMAGE_BOTH = 3,
};

struct MAGNETO_KEY {
    uint32_t event_id;  // 0: no event
    uint32_t value;
};

// The events one click sends at one selector position, in sending order.
struct MAGNETO_STEP {
    MAGNETO_KEY keys[2];
};

constexpr MAGNETO_STEP magneto_send_nothing() { return MAGNETO_STEP{{{0, 0}, {0, 0}}}; }
constexpr MAGNETO_STEP magneto_send(uint32_t first, uint32_t second = 0) {
    return MAGNETO_STEP{{{first, 0}, {second, 0}}};
}
constexpr MAGNETO_STEP magneto_send_value(uint32_t event_id, uint32_t value) {
    return MAGNETO_STEP{{{event_id, value}, {0, 0}}};
}

// Lever image shown for a selector position: 1 shows M2, 2 shows M1, 3 and
// everything above show M1+2.
double magneto_lever_image(uint32_t position);

// Looks the gauge's selector variable up and sends the row of `steps` for its
// position; positions of 5 and more send nothing.
void magneto_lever_click(MODULE_VAR* selector, const MAGNETO_STEP (&steps)[MAGNETO_POSITION_COUNT]);
