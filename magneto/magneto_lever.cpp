// Lever image and click handling shared by "Magneto 1" and "Magneto 2".
#include "magneto/magneto_lever.h"

#include "magneto/sollwick_host.h"

namespace {

constexpr MAGNETO_IMAGE magneto_image_of_position[] = {
    MAGNETO_IMAGE_OFF,   // 0
    MAGNETO_IMAGE_M2,    // 1
    MAGNETO_IMAGE_M1,    // 2
    MAGNETO_IMAGE_BOTH,  // 3
    MAGNETO_IMAGE_BOTH,  // 4
};
static_assert(sizeof(magneto_image_of_position) / sizeof(magneto_image_of_position[0]) ==
              MAGNETO_POSITION_COUNT);

}  // namespace

double magneto_lever_image(uint32_t position) {
    if (position >= MAGNETO_POSITION_COUNT) return MAGNETO_IMAGE_BOTH;
    return magneto_image_of_position[position];
}

void magneto_lever_click(MODULE_VAR* selector, const MAGNETO_STEP (&steps)[MAGNETO_POSITION_COUNT]) {
    lookup_var(selector);
    uint32_t position = selector->var_value.u;
    if (position >= MAGNETO_POSITION_COUNT) return;
    for (const MAGNETO_KEY& key : steps[position].keys)
        if (key.event_id != 0) trigger_key_event(key.event_id, key.value);
}
