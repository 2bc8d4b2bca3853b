// How a needle turns: the angle for a value, from the gauge's needle table.
//
// Angles are degrees clockwise on the screen from the needle bitmap's own
// rightward direction (3 o'clock), which is the direction a needle bitmap points
// when drawn unturned.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "module/gauge_model.h"

namespace host {

struct NeedleRow {
    double x = 0, y = 0;  // point on the gauge
    double value = 0;
};

// A needle table made ready for evaluation: every row's direction from the pivot,
// unwound so that the needle turns clockwise from row to row.
class NeedleTable {
public:
    NeedleTable() = default;
    NeedleTable(PIXPOINT pivot, const std::vector<NeedleRow>& rows);
    static NeedleTable from_element(const NEEDLE& needle);

    // The needle's angle for `value`, unwound (may lie outside 0..360 for
    // multi-turn pointers); a needle without a table turns by its value.
    double angle_unwound(double value) const;
    // The same angle brought into [0, 360).
    double angle(double value) const;

    bool empty() const { return rows_.empty(); }
    size_t size() const { return rows_.size(); }
    const NeedleRow& row(size_t i) const { return rows_[i]; }
    double row_angle_unwound(size_t i) const { return unwound_[i]; }

    // Why the art generator cannot place marks from this table, or nothing.
    std::optional<std::string> placement_problem() const;

private:
    double extrapolate(size_t a, size_t b, size_t end, double value) const;

    std::vector<NeedleRow> rows_;
    std::vector<double> unwound_;
};

// Direction of (dx, dy) on the screen, clockwise from 3 o'clock, in [0, 360).
double screen_angle_deg(double dx, double dy);
// Any angle brought into [0, 360); non-finite angles give 0.
double normalize_deg(double angle);

}  // namespace host
