// "Magneto 2": the magneto selector lever of engine 2 on its plate. Token 167
// is the engine's selector position; clicks on the upper or lower half of the
// lever send key events that move it. Version-700 gauge: the header carries
// seven routines of its own that hand this gauge's element list to the host.
#include "magneto/magneto_lever.h"
#include "magneto/sollwick_gauges.h"
#include "magneto/sollwick_host.h"

static double FSAPI magneto_2_image(ICON_700* element);
static int32_t FSAPI magneto_2_lever_up(MOUSE_CLICK* click, uint32_t mouse_flags);
static int32_t FSAPI magneto_2_lever_down(MOUSE_CLICK* click, uint32_t mouse_flags);

namespace {

enum : uint32_t { MAGNETO_2_SELECTOR_TOKEN = 167 };

// ---- element chain, back to front ------------------------------------------------
extern STATIC_IMAGE_700 magneto_2_plate;
extern ICON_700 magneto_2_lever;

constinit ELEMENT_HEADER* magneto_2_after_plate[] = {&magneto_2_lever.header, nullptr};

constinit STATIC_IMAGE_700 magneto_2_plate = {
    .header = {ELEMENT_STATIC_IMAGE, 4608, {0, 0}, {0, 0}, {0, 0}, &magneto_2_gauge, nullptr,
               magneto_2_after_plate, nullptr, IMAGE_USE_TRANSPARENCY, 0, 0},
};
constinit ICON_700 magneto_2_lever = {
    .header = {ELEMENT_ICON, 4864, {0, 0}, {0, 0}, {0, 0}, &magneto_2_gauge, nullptr, nullptr,
               nullptr, IMAGE_USE_TRANSPARENCY | IMAGE_USE_ERASE, 0, 0},
    .source = {MAGNETO_2_SELECTOR_TOKEN, nullptr, 0, {0.0}, {0.0}},
    .mode = ICON_MODE_700_SELECT, .num_icons = 4, .update_cb = magneto_2_image, .scale = 0.0,
};

constinit ELEMENT_HEADER* magneto_2_elements[] = {&magneto_2_plate.header, nullptr};

// ---- mouse rectangles: upper half lever up, lower half lever down -------------------
constinit MOUSERECT magneto_2_mouse[] = {
    {MOUSE_RECT_PARENT,     {0,  0,  0,  0}, CURSOR_NONE,      0xA016, 0,                0, nullptr,              nullptr},
    {MOUSE_RECT_CHILD,      {0,  0, 34, 41}, CURSOR_UPARROW,   0,      MOUSE_LEFTSINGLE, 0, magneto_2_lever_up,   nullptr},
    {MOUSE_RECT_CHILD,      {0, 55, 34, 41}, CURSOR_DOWNARROW, 0,      MOUSE_LEFTSINGLE, 0, magneto_2_lever_down, nullptr},
    {MOUSE_RECT_END_PARENT, {0,  0,  0,  0}, CURSOR_NONE,      0,      0,                0, nullptr,              nullptr},
    {MOUSE_RECT_EOL,        {0,  0,  0,  0}, CURSOR_NONE,      0,      0,                0, nullptr,              nullptr},
};

// The selector as the mouse functions look it up; holds the last value read.
constinit MODULE_VAR magneto_2_selector = {MAGNETO_2_SELECTOR_TOKEN, nullptr, 0, {0.0}, {0.0}};

// ---- key events per selector position, one row each (a short table does not build)
// 0x1018E (65934), 0x1018F (65935), 0x10192 (65938)
constexpr MAGNETO_STEP magneto_2_up_steps[] = {
    magneto_send(0x1018E),           // 0
    magneto_send(0x1018F, 0x1018E),  // 1
    magneto_send(0x1018E),           // 2
    magneto_send_value(0x10192, 3),  // 3
    magneto_send_value(0x10192, 3),  // 4
};

constexpr MAGNETO_STEP magneto_2_down_steps[] = {
    magneto_send_nothing(),          // 0
    magneto_send(0x1018E),           // 1
    magneto_send(0x1018F, 0x1018E),  // 2
    magneto_send(0x1018E),           // 3
    magneto_send_nothing(),          // 4
};

}  // namespace

// ---- callbacks -------------------------------------------------------------------------

static double FSAPI magneto_2_image(ICON_700* element) {
    return magneto_lever_image(element->source.var_value.u);
}

static int32_t FSAPI magneto_2_lever_up(MOUSE_CLICK*, uint32_t) {
    magneto_lever_click(&magneto_2_selector, magneto_2_up_steps);
    return 0;
}

static int32_t FSAPI magneto_2_lever_down(MOUSE_CLICK*, uint32_t) {
    magneto_lever_click(&magneto_2_selector, magneto_2_down_steps);
    return 0;
}

// ---- header routines: this gauge's first element to the host ---------------------------

static void FSAPI magneto_2_query(void) { element_list_query(magneto_2_gauge.elements_list[0]); }
static void FSAPI magneto_2_install(uintptr_t resource_handle) {
    element_list_install(magneto_2_gauge.elements_list[0], resource_handle);
}
static void FSAPI magneto_2_initialize(void) {
    element_list_initialize(magneto_2_gauge.elements_list[0]);
}
static void FSAPI magneto_2_update(void) { element_list_update(magneto_2_gauge.elements_list[0]); }
static void FSAPI magneto_2_generate(uint32_t phase) {
    element_list_generate(magneto_2_gauge.elements_list[0], phase);
}
static void FSAPI magneto_2_draw(void) { element_list_plot(magneto_2_gauge.elements_list[0]); }
static void FSAPI magneto_2_kill(void) { element_list_kill(magneto_2_gauge.elements_list[0]); }

constinit GAUGEHDR magneto_2_gauge = {
    .gauge_header_version = SOLLWICK_HEADER_VERSION,
    .gauge_name = "Magneto 2",
    .elements_list = magneto_2_elements,
    .query_routine = magneto_2_query,
    .install_routine = magneto_2_install,
    .initialize_routine = magneto_2_initialize,
    .update_routine = magneto_2_update,
    .generate_routine = magneto_2_generate,
    .draw_routine = magneto_2_draw,
    .kill_routine = magneto_2_kill,
    .size_x_mm = 100,
    .mouse_rect = magneto_2_mouse,
};
