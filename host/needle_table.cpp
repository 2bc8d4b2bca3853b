#include "host/needle_table.h"

#include <cmath>
#include <numbers>

namespace host {

double normalize_deg(double angle) {
    if (!std::isfinite(angle)) return 0.0;
    double a = std::fmod(angle, 360.0);
    if (a < 0) a += 360.0;
    if (a >= 360.0) a = 0.0;
    return a;
}

double screen_angle_deg(double dx, double dy) {
    return normalize_deg(std::atan2(dy, dx) * 180.0 / std::numbers::pi);
}

NeedleTable::NeedleTable(PIXPOINT pivot, const std::vector<NeedleRow>& rows) : rows_(rows) {
    unwound_.reserve(rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i) {
        double a = screen_angle_deg(rows_[i].x - pivot.x, rows_[i].y - pivot.y);
        if (i == 0) {
            unwound_.push_back(a);
            continue;
        }
        const NeedleRow& prev = rows_[i - 1];
        bool same_point = prev.x == rows_[i].x && prev.y == rows_[i].y;
        double step = same_point ? 0.0 : normalize_deg(a - normalize_deg(unwound_[i - 1]));
        unwound_.push_back(unwound_[i - 1] + step);
    }
}

NeedleTable NeedleTable::from_element(const NEEDLE& needle) {
    std::vector<NeedleRow> rows;
    if (needle.nonlinearity_table != nullptr) {
        for (uint32_t i = 0; i < needle.nonlinearity_table_size; ++i) {
            const NONLINEARITY& r = needle.nonlinearity_table[i];
            rows.push_back({double(r.pt.x), double(r.pt.y), r.value});
        }
    }
    return NeedleTable(needle.header.position, rows);
}

// Continues the turn of the pair (a, b) beyond its row `end` at the pair's rate.
double NeedleTable::extrapolate(size_t a, size_t b, size_t end, double value) const {
    double dv = rows_[b].value - rows_[a].value;
    double da = unwound_[b] - unwound_[a];
    if (dv == 0.0 || da == 0.0) return unwound_[end];
    return unwound_[end] + (value - rows_[end].value) * (da / dv);
}

double NeedleTable::angle_unwound(double value) const {
    if (rows_.empty()) return std::isfinite(value) ? value : 0.0;
    if (std::isnan(value) || rows_.size() == 1) return unwound_[0];
    const size_t n = rows_.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        double v0 = rows_[i].value, v1 = rows_[i + 1].value;
        if (value >= std::fmin(v0, v1) && value <= std::fmax(v0, v1)) {
            if (v0 == v1) return unwound_[i];
            return unwound_[i] + (value - v0) / (v1 - v0) * (unwound_[i + 1] - unwound_[i]);
        }
    }
    // Outside the table: before the first row or past the last, counted along
    // the table's own direction of values.
    bool rising = rows_[n - 1].value >= rows_[0].value;
    bool before_first = rising ? value < rows_[0].value : value > rows_[0].value;
    double a = before_first ? extrapolate(0, 1, 0, value) : extrapolate(n - 2, n - 1, n - 1, value);
    if (!std::isfinite(a)) return before_first ? unwound_[0] : unwound_[n - 1];
    return a;
}

double NeedleTable::angle(double value) const { return normalize_deg(angle_unwound(value)); }

std::optional<std::string> NeedleTable::placement_problem() const {
    if (rows_.size() < 2) return "needle table has fewer than two rows";
    bool all_same = true;
    for (size_t i = 1; i < rows_.size(); ++i)
        if (rows_[i].x != rows_[0].x || rows_[i].y != rows_[0].y) all_same = false;
    if (all_same) return "all rows of the needle table lie on one point";
    return std::nullopt;
}

}  // namespace host
