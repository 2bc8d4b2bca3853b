// Units switch: the two-position lever that flips the whole panel between metric
// (German) and British scales. The dual-scale instruments read the flag at every
// update; nothing goes to the host. A click sounds WAVE 30.
#include "module/gauge_builders.h"
#include "module/gauges.h"
#include "module/panel_state.h"
#include "services/click_sound.h"

static constexpr uint16_t UNITS_SWITCH_WAVE = 30;

static double FSAPI units_switch_lever(ICON* element);
static int32_t FSAPI units_switch_click(MOUSE_CLICK* click, uint32_t mouse_flags);
static void FSAPI units_switch_service(GAUGEHDR* gauge, uint32_t service_id, uintptr_t extra);

namespace {

constinit CLICK_SOUND units_switch_sound = {};

// ---- element chain, back to front ------------------------------------------------
extern ICON units_switch_lever_icon;

ELEMENT_HEADER* units_switch_after_1[] = {&units_switch_lever_icon.header, nullptr};

constinit STATIC_IMAGE units_switch_plate = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 240, {0, 0}, {0, 0}, &metric_switch_gauge,
                             units_switch_after_1, nullptr, 0x3),
};
constinit ICON units_switch_lever_icon = {
    .header = element_header(ELEMENT_ICON, 250, {0, 0}, {0, 0}, &metric_switch_gauge, nullptr,
                             nullptr, 0x3),
    .source = token_source(0), .switch_type = ICON_SWITCH_TYPE_SET_CUR_ICON, .scale = 1.0,
    .num_icons = 2, .update_cb = units_switch_lever,
};

ELEMENT_HEADER* units_switch_elements[] = {&units_switch_plate.header, nullptr};

// ---- mouse rectangles: the whole switch answers a left click ------------------------
MOUSERECT units_switch_mouse[] = {
    mouse_parent({0, 0, 0, 0}),
    mouse_tooltip_text("Switches between metric (german) and british units"),
    mouse_child_function({0, 0, 96, 44}, CURSOR_HAND, MOUSE_LEFTSINGLE, units_switch_click),
    mouse_end(),
    mouse_list_end(),
};

}  // namespace

// ---- callbacks -------------------------------------------------------------------------

// Image 250 points to MT, image 251 to BR.
static double FSAPI units_switch_lever(ICON*) { return british_units != 0 ? 1.0 : 0.0; }

static int32_t FSAPI units_switch_click(MOUSE_CLICK*, uint32_t) {
    british_units = british_units == 0 ? 1 : 0;
    click_sound_play(&units_switch_sound);
    return 0;
}

static void FSAPI units_switch_service(GAUGEHDR*, uint32_t service_id, uintptr_t extra) {
    switch (service_id) {
    case PANEL_SERVICE_PRE_INSTALL:
        click_sound_install(&units_switch_sound, UNITS_SWITCH_WAVE, extra);
        break;
    case PANEL_SERVICE_PRE_KILL:
        click_sound_remove(&units_switch_sound);
        break;
    default:
        break;
    }
}

constinit GAUGEHDR metric_switch_gauge =
    gauge_header("Metric_Switch", 30, units_switch_elements, units_switch_mouse,
                 units_switch_service);
