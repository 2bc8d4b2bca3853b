#include "host/aircraft_model.h"

#include <cmath>
#include <iterator>

namespace host {

namespace {

constexpr uint32_t TOKEN_RUNNING_TIME_S = 604;
constexpr uint32_t TOKEN_MAGNETO_1 = 132, TOKEN_MAGNETO_2 = 167;
constexpr uint32_t MAGNETO_BOTH = 3, MAGNETO_START = 4;

// ---- helpers the rules share ------------------------------------------------------

[[maybe_unused]] void add_clamped(Variables& vars, uint32_t token, double delta, double lo,
                                  double hi) {
    double v = vars.number(token) + delta;
    if (!std::isfinite(v)) v = lo;
    vars.set_number(token, std::fmin(hi, std::fmax(lo, v)));
}

// The altimeter setting: one knob step in millibars (token 75) within the setting
// range, and the same setting in inches of mercury (token 76) after it.
constexpr uint32_t TOKEN_PRESSURE_SETTING_MB = 75, TOKEN_PRESSURE_SETTING_INHG = 76;
constexpr double MB_PER_INHG = 33.8639;
void step_pressure_setting(Variables& vars, double delta_mb) {
    add_clamped(vars, TOKEN_PRESSURE_SETTING_MB, delta_mb, 900.0, 1100.0);
    vars.set_number(TOKEN_PRESSURE_SETTING_INHG, vars.number(TOKEN_PRESSURE_SETTING_MB) / MB_PER_INHG);
}

// A magneto selector (tokens 132 and 167): 0 off, 1 and 2 one magneto each,
// 3 both, 4 starter. One step up or down, kept within 0..4.
void step_magneto_selector(Variables& vars, uint32_t token, int delta) {
    uint32_t position = vars.unsigned_value(token);
    if (delta > 0 && position < 4) vars.set_unsigned(token, position + 1);
    if (delta < 0 && position > 0) vars.set_unsigned(token, position - 1);
}
// Sets a magneto selector; values that are not positions change nothing.
void set_magneto_selector(Variables& vars, uint32_t token, uint32_t position) {
    if (position <= 4) vars.set_unsigned(token, position);
}

// ---- the key-event table: one row per event, grouped by the gauges relying on it ----

const KeyEventRule kRules[] = {
    // id       name                      apply
    {0x00000, "none", [](Variables&, uint32_t) {}},

    // Magneto 1, Magneto 2 (Sollwick): the magneto selectors of engines 1 and 2.
    {0x10188, "MAGNETO1_INCR", [](Variables& v, uint32_t) { step_magneto_selector(v, 132, +1); }},
    {0x10189, "MAGNETO1_DECR", [](Variables& v, uint32_t) { step_magneto_selector(v, 132, -1); }},
    {0x1018C, "MAGNETO1_SET", [](Variables& v, uint32_t value) { set_magneto_selector(v, 132, value); }},
    {0x1018E, "MAGNETO2_INCR", [](Variables& v, uint32_t) { step_magneto_selector(v, 167, +1); }},
    {0x1018F, "MAGNETO2_DECR", [](Variables& v, uint32_t) { step_magneto_selector(v, 167, -1); }},
    {0x10192, "MAGNETO2_SET", [](Variables& v, uint32_t value) { set_magneto_selector(v, 167, value); }},

    // Directionnal_Gyro, Directionnal_Gyro_Small: the set course, whole degrees 0..359.
    {0x101FA, "GYRO_COURSE_SET", [](Variables& v, uint32_t value) { v.set_number(855, value % 360); }},
    // Landing_Indicator: the NAV1 course selection, whole degrees 0..359.
    {0x100B4, "NAV1_COURSE_SET", [](Variables& v, uint32_t value) { v.set_number(45, value % 360); }},
    // Altimeter: the pressure-setting knob, one millibar per step, 900..1100.
    {0x1015B, "KOHLSMAN_INC", [](Variables& v, uint32_t) { step_pressure_setting(v, +1.0); }},
    {0x1015C, "KOHLSMAN_DEC", [](Variables& v, uint32_t) { step_pressure_setting(v, -1.0); }},
    // Artificial_Horizon: the caging ring, token 825 between 0 (released) and 1 (caged).
    {0x10345, "GYRO_CAGE_TOGGLE", [](Variables& v, uint32_t) { v.set_number(825, v.number(825) != 0.0 ? 0.0 : 1.0); }},
};

}  // namespace

const KeyEventRule* find_key_event_rule(uint32_t id) {
    for (const KeyEventRule& r : kRules)
        if (r.id == id && id != 0) return &r;
    return nullptr;
}

bool AircraftModel::trigger(uint32_t id, uint32_t value) {
    log_.push_back({id, value});
    const KeyEventRule* rule = find_key_event_rule(id);
    if (rule == nullptr) return false;
    rule->apply(vars_, value);
    return true;
}

void AircraftModel::advance(double seconds) {
    double t = vars_.number(TOKEN_RUNNING_TIME_S) + seconds;
    vars_.set_number(TOKEN_RUNNING_TIME_S, std::isfinite(t) ? t : 0.0);
    // The starter position of a magneto selector is spring-loaded: released,
    // the selector comes back to both magnetos.
    for (uint32_t token : {TOKEN_MAGNETO_1, TOKEN_MAGNETO_2})
        if (vars_.unsigned_value(token) == MAGNETO_START) vars_.set_unsigned(token, MAGNETO_BOTH);
}

}  // namespace host
