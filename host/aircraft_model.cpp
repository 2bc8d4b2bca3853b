#include "host/aircraft_model.h"

#include <cmath>
#include <iterator>

namespace host {

namespace {

constexpr uint32_t TOKEN_RUNNING_TIME_S = 604;

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

// ---- the key-event table: one row per event, grouped by the gauges relying on it ----

const KeyEventRule kRules[] = {
    // id       name                      apply
    {0x00000, "none", [](Variables&, uint32_t) {}},

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
}

}  // namespace host
