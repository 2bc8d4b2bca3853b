// "Magneto 1": the magneto selector lever of engine 1 on its plate. Token 132
// is the engine's selector position; clicks on the upper or lower half of the
// lever send key events that move it. Version-700 gauge: the header carries
// seven routines of its own that hand this gauge's element list to the host.
#include "magneto/magneto_lever.h"
#include "magneto/sollwick_gauges.h"
#include "magneto/sollwick_host.h"

static double FSAPI magneto_1_image(ICON_700* element);
static int32_t FSAPI magneto_1_lever_up(MOUSE_CLICK* click, uint32_t mouse_flags);
static int32_t FSAPI magneto_1_lever_down(MOUSE_CLICK* click, uint32_t mouse_flags);

namespace {

enum : uint32_t { MAGNETO_1_SELECTOR_TOKEN = 132 };

// ---- element chain, back to front ------------------------------------------------
extern STATIC_IMAGE_700 magneto_1_plate;
extern ICON_700 magneto_1_lever;

constinit ELEMENT_HEADER* magneto_1_after_plate[] = {&magneto_1_lever.header, nullptr};

constinit STATIC_IMAGE_700 magneto_1_plate = {
    .header = {ELEMENT_STATIC_IMAGE, 4096, {0, 0}, {0, 0}, {0, 0}, &magneto_1_gauge, nullptr,
               magneto_1_after_plate, nullptr, IMAGE_USE_TRANSPARENCY, 0, 0},
};
constinit ICON_700 magneto_1_lever = {
    .header = {ELEMENT_ICON, 4352, {0, 0}, {0, 0}, {0, 0}, &magneto_1_gauge, nullptr, nullptr,
               nullptr, IMAGE_USE_TRANSPARENCY | IMAGE_USE_ERASE, 0, 0},
    .source = {MAGNETO_1_SELECTOR_TOKEN, nullptr, 0, {0.0}, {0.0}},
    .mode = ICON_MODE_700_SELECT, .num_icons = 4, .update_cb = magneto_1_image, .scale = 0.0,
};

constinit ELEMENT_HEADER* magneto_1_elements[] = {&magneto_1_plate.header, nullptr};

// ---- mouse rectangles: upper half lever up, lower half lever down -------------------
constinit MOUSERECT magneto_1_mouse[] = {
    {MOUSE_RECT_PARENT,     {0,  0,  0,  0}, CURSOR_NONE,      0xA016, 0,                0, nullptr,              nullptr},
    {MOUSE_RECT_CHILD,      {0,  0, 34, 41}, CURSOR_UPARROW,   0,      MOUSE_LEFTSINGLE, 0, magneto_1_lever_up,   nullptr},
    {MOUSE_RECT_CHILD,      {0, 55, 34, 41}, CURSOR_DOWNARROW, 0,      MOUSE_LEFTSINGLE, 0, magneto_1_lever_down, nullptr},
    {MOUSE_RECT_END_PARENT, {0,  0,  0,  0}, CURSOR_NONE,      0,      0,                0, nullptr,              nullptr},
    {MOUSE_RECT_EOL,        {0,  0,  0,  0}, CURSOR_NONE,      0,      0,                0, nullptr,              nullptr},
};

// The selector as the mouse functions look it up; holds the last value read.
constinit MODULE_VAR magneto_1_selector = {MAGNETO_1_SELECTOR_TOKEN, nullptr, 0, {0.0}, {0.0}};

// ---- key events per selector position, one row each (a short table does not build)
// 0x10188 (65928), 0x10189 (65929), 0x1018C (65932)
constexpr MAGNETO_STEP magneto_1_up_steps[] = {
    magneto_send(0x10188),           // 0
    magneto_send(0x10189, 0x10188),  // 1
    magneto_send(0x10188),           // 2
    magneto_send_value(0x1018C, 4),  // 3
    magneto_send_value(0x1018C, 4),  // 4
};

constexpr MAGNETO_STEP magneto_1_down_steps[] = {
    magneto_send_nothing(),          // 0
    magneto_send(0x10188),           // 1
    magneto_send(0x10189, 0x10188),  // 2
    magneto_send(0x10188),           // 3
    magneto_send_nothing(),          // 4
};

}  // namespace

// ---- callbacks -------------------------------------------------------------------------

static double FSAPI magneto_1_image(ICON_700* element) {
    return magneto_lever_image(element->source.var_value.u);
}

static int32_t FSAPI magneto_1_lever_up(MOUSE_CLICK*, uint32_t) {
    magneto_lever_click(&magneto_1_selector, magneto_1_up_steps);
    return 0;
}

static int32_t FSAPI magneto_1_lever_down(MOUSE_CLICK*, uint32_t) {
    magneto_lever_click(&magneto_1_selector, magneto_1_down_steps);
    return 0;
}

// ---- header routines: this gauge's first element to the host ---------------------------

static void FSAPI magneto_1_query(void) { element_list_query(magneto_1_gauge.elements_list[0]); }
static void FSAPI magneto_1_install(uintptr_t resource_handle) {
    element_list_install(magneto_1_gauge.elements_list[0], resource_handle);
}
static void FSAPI magneto_1_initialize(void) {
    element_list_initialize(magneto_1_gauge.elements_list[0]);
}
static void FSAPI magneto_1_update(void) { element_list_update(magneto_1_gauge.elements_list[0]); }
static void FSAPI magneto_1_generate(uint32_t phase) {
    element_list_generate(magneto_1_gauge.elements_list[0], phase);
}
static void FSAPI magneto_1_draw(void) { element_list_plot(magneto_1_gauge.elements_list[0]); }
static void FSAPI magneto_1_kill(void) { element_list_kill(magneto_1_gauge.elements_list[0]); }

constinit GAUGEHDR magneto_1_gauge = {
    .gauge_header_version = SOLLWICK_HEADER_VERSION,
    .gauge_name = "Magneto 1",
    .elements_list = magneto_1_elements,
    .query_routine = magneto_1_query,
    .install_routine = magneto_1_install,
    .initialize_routine = magneto_1_initialize,
    .update_routine = magneto_1_update,
    .generate_routine = magneto_1_generate,
    .draw_routine = magneto_1_draw,
    .kill_routine = magneto_1_kill,
    .size_x_mm = 100,
    .mouse_rect = magneto_1_mouse,
};
