// Mouse rectangles of a gauge: hit testing with nested areas, and tooltip texts
// with their %n!fmt! inserts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "module/gauge_model.h"

namespace host {

// A mouse rectangle with its box made absolute (gauge pixels).
struct MouseArea {
    const MOUSERECT* rect = nullptr;
    size_t index = 0;   // position in the gauge's list
    int depth = 0;      // 0 for the outer area
    PIXBOX box{};       // absolute; a parent of (0, 0, 0, 0) stands for the whole gauge
    bool whole_gauge = false;
    int parent = -1;    // index into the flattened list of the enclosing parent, -1 at the top
    const MOUSERECT* tooltip = nullptr;  // parents: their tooltip entry, if any
};

struct MouseLayout {
    std::vector<MouseArea> areas;  // parents and children in list order
    std::vector<std::string> problems;
};

// Flattens a gauge's mouse list; reports unbalanced areas, a missing end mark,
// negative boxes and tooltips without an enclosing area.
MouseLayout layout_mouse_rects(const MOUSERECT* list, int gauge_w, int gauge_h);

bool area_contains(const MouseArea& a, int x, int y);

// The first child area whose box holds the point and that answers to `flags`.
const MouseArea* find_child_area(const MouseLayout& layout, int x, int y, uint32_t flags);

// The tooltip entry or help id that applies at a point: the innermost parent
// holding the point that has one.
struct TooltipSource {
    const MOUSERECT* tooltip = nullptr;  // a tooltip entry, or null
    uint32_t help_id = 0;                // a host tooltip number, or 0
    const MOUSERECT* area = nullptr;     // the parent area it belongs to
};
std::optional<TooltipSource> find_tooltip(const MouseLayout& layout, int x, int y);

// The host's own text behind a tooltip number.
std::string host_tooltip_text(uint32_t help_id);

// Fills a tooltip format's %n!fmt! inserts from its argument callbacks. Inserts
// naming an argument that does not exist, or malformed conversions, are kept
// as written.
std::string format_tooltip(const char* format, const TOOLTIP_ARG* args, uint32_t arg_count,
                           GAUGEHDR* gauge);

}  // namespace host
