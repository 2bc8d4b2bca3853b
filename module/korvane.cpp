// The module's outward face: Linkage with the gauge list, ImportTable, the
// shared panel state, and the thin wrappers of the host calls.
#include "module/gauges.h"
#include "module/host_calls.h"
#include "module/korvane.h"
#include "module/panel_state.h"

#if defined(_WIN32)
#include <windows.h>
#endif

int32_t british_units = 0;
int32_t sound_enabled = 1;
int32_t nav1_main_switch = 1;
int32_t nav1_tone_switch = 1;
int32_t com1_main_switch = 1;
int32_t adf_main_switch = 1;
int32_t adf_tone_switch = 1;
int32_t xpdr_main_switch = 1;

static void FSAPI module_init(void) {}
static void FSAPI module_deinit(void) {}

enum : uint32_t { KORVANE_MODULE_ID = 0x13, KORVANE_MODULE_VERSION = 0x900 };

// Gauges in the order the panel host lists them; one line per gauge, a gauge
// not built yet keeps its place as a comment.
#define KORVANE_GAUGES                                                                 \
    /* Shut_Down */ /* Registration */ /* Kneeboard_Toggle */ /* ATC_Toggle */         \
    /* Map_Toggle */ /* Invisible_Toggle */ /* Close_Subpanel */ /* Radios_Toggle */    \
    /* Landing_View_Toggle */ /* GPS_Toggle */ /* Throttle_Toggle */                   \
    /* Compass_Toggle */ /* Fuel_Toggle */                                             \
    /* Radio_ADF_EZ6 */                                                                \
    /* Radio_XPDR_FUG25A6 */                                                           \
    /* Radio_COM_SK10 */                                                               \
    /* Radio_NAV_E10K */                                                               \
    &directional_gyro_gauge,                                                           \
    &airspeed_gauge,                                                                   \
    &altimeter_gauge,                                                                  \
    &turn_coordinator_gauge,                                                           \
    &artificial_horizon_gauge,                                                         \
    &vertical_speed_gauge,                                                             \
    &directional_gyro_small_gauge,                                                     \
    &altimeter_small_gauge,                                                            \
    /* Manifold_Pressure */ /* Tachometer */ /* Fuel_Oil_Pressure */                   \
    /* Fuel_Quantity */ /* Magnetos_Switch */ /* Oil_Temperature */                    \
    /* Throttle_Quadrant */ /* Propeller_Pitch */ /* Oil_Coolant_Temp */               \
    /* Junghans_Timer */                                                               \
    &adf_indicator_gauge,                                                              \
    &landing_indicator_gauge,                                                          \
    /* Gear_Lever */                                                                   \
    &metric_switch_gauge,                                                              \
    /* Starter_Knob */ /* NAV_GPS_Switch */ /* Low_Fuel_Light */                       \
    /* Stall_Warning_Light */ /* Gear_Lamps */ /* Flaps_Light */

static constexpr GAUGEHDR* korvane_gauge_list[] = {KORVANE_GAUGES};
static constexpr size_t KORVANE_GAUGE_COUNT = sizeof(korvane_gauge_list) / sizeof(korvane_gauge_list[0]);

extern "C" {
#if !defined(_WIN32)
__attribute__((visibility("default")))
#endif
IMPORT_TABLE ImportTable = {{IMPORT_TABLE_PANELS_ID, nullptr}, {0, nullptr}};

#if !defined(_WIN32)
__attribute__((visibility("default")))
#endif
LINKAGE<KORVANE_GAUGE_COUNT> Linkage = {
    {KORVANE_MODULE_ID, module_init, module_deinit, 0, 0, KORVANE_MODULE_VERSION},
    {KORVANE_GAUGES nullptr},
};
}

#if GAUGE_MODEL_I386
static_assert(offsetof(LINKAGE<KORVANE_GAUGE_COUNT>, gauges) == 24, "Linkage gauge list");
#endif

LINKAGE_HEAD* korvane_linkage() { return &Linkage.head; }

#if defined(_WIN32)
BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
#endif

void lookup_var(MODULE_VAR* var) { ImportTable.panels.table->lookup_var(var); }

uint32_t trigger_key_event(uint32_t event_id, uint32_t value) {
    return ImportTable.panels.table->trigger_key_event(event_id, value);
}

int32_t panel_window_toggle(uint32_t window_id) {
    return ImportTable.panels.table->panel_window_toggle(window_id);
}

int32_t execute_calculator_code(const char* code, double* number, int32_t* integer,
                                const char** text) {
    return ImportTable.panels.table->execute_calculator_code(code, number, integer, text);
}

double lookup_number(uint32_t token) {
    MODULE_VAR var{};
    var.id = token;
    lookup_var(&var);
    return var.var_value.n;
}

uint32_t lookup_unsigned(uint32_t token) {
    MODULE_VAR var{};
    var.id = token;
    lookup_var(&var);
    return var.var_value.u;
}
