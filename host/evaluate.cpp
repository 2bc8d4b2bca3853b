#include "host/evaluate.h"

#include <cmath>

#include "module/host_values.h"

namespace host {

namespace {
constexpr double kMaxShiftPx = 1e6;  // far beyond any panel; keeps drawing arithmetic finite
}

double needle_angle_deg(const NeedleTable& table, double value) { return table.angle(value); }

int icon_index_for(double value) {
    if (!(value >= 0.0)) return -1;  // negative or NaN: no image
    return host_to_int32(value);
}

double scaled_shift(double value, double scale) {
    double s = value * scale;
    if (!std::isfinite(s)) return 0.0;
    return std::fmax(-kMaxShiftPx, std::fmin(kMaxShiftPx, s));
}

double sprite_rotation_deg(double value, double scale) {
    double r = value * scale;
    if (!std::isfinite(r)) return 0.0;
    return std::fmod(r, 360.0);
}

double moving_fraction(double value, double minimum, double maximum) {
    double span = maximum - minimum;
    if (std::isnan(value)) return 0.0;
    if (span == 0.0 || !std::isfinite(span)) return 0.0;
    double f = (value - minimum) / span;
    if (std::isnan(f)) return 0.0;
    return std::fmax(0.0, std::fmin(1.0, f));
}

}  // namespace host
