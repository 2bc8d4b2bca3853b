// The gauge definitions the art is drawn from: Korvane's own Linkage, walked the
// way the host walks it.
#include <cmath>

#include "art/toolkit.h"
#include "module/gauge_model.h"

// The module's export, seen as the host sees it: the head, then the gauge list.
extern "C" LINKAGE_HEAD Linkage;

namespace art {

namespace {

// Longer than any gauge list or element chain; guards against a broken chain.
constexpr int MAX_WALK = 256;

const char* kind_name(uint32_t kind) {
    switch (kind) {
        case ELEMENT_STATIC_IMAGE: return "static image";
        case ELEMENT_NEEDLE: return "needle";
        case ELEMENT_STRING: return "string";
        case ELEMENT_SLIDER: return "slider";
        case ELEMENT_ICON: return "icon";
        case ELEMENT_MOVING_IMAGE: return "moving image";
        case ELEMENT_SPRITE: return "sprite";
        default: return "unknown element";
    }
}

}  // namespace

const GAUGEHDR& korvane_gauge(std::string_view name) {
    GAUGEHDR* const* list = linkage_gauges(&Linkage);
    for (int i = 0; i < MAX_WALK && list[i] != nullptr; ++i) {
        if (list[i]->gauge_name != nullptr && name == list[i]->gauge_name) return *list[i];
    }
    throw ArtError("Korvane has no gauge \"" + std::string(name) + "\" in its Linkage");
}

const ELEMENT_HEADER& gauge_element(const GAUGEHDR& gauge, int number) {
    const ELEMENT_HEADER* e = gauge.elements_list != nullptr ? gauge.elements_list[0] : nullptr;
    for (int i = 1; i < number && i < MAX_WALK && e != nullptr; ++i)
        e = e->next_element != nullptr ? e->next_element[0] : nullptr;
    if (number < 1 || number > MAX_WALK || e == nullptr)
        throw ArtError(std::string(gauge.gauge_name) + " has no element " + std::to_string(number));
    return *e;
}

DialScale needle_scale(std::string_view gauge_name, int element_number) {
    const GAUGEHDR& gauge = korvane_gauge(gauge_name);
    const ELEMENT_HEADER& e = gauge_element(gauge, element_number);
    std::string where = std::string(gauge_name) + ", element " + std::to_string(element_number) + " (" +
                        kind_name(e.element_type) + ", bitmap " + std::to_string(e.image_id) + ")";
    if (e.element_type != ELEMENT_NEEDLE) throw ArtError(where + ": not a needle");
    return needle_scale(reinterpret_cast<const NEEDLE&>(e), where);
}

DialScale needle_scale(const NEEDLE& needle, std::string where) {
    host::NeedleTable table = host::NeedleTable::from_element(needle);
    if (auto problem = table.placement_problem()) throw ArtError(where + ": " + *problem);
    const PIXPOINT pivot = needle.header.position;
    for (size_t i = 0; i < table.size(); ++i) {
        const host::NeedleRow& r = table.row(i);
        if (!std::isfinite(r.value))
            throw ArtError(where + ": needle table row " + std::to_string(i + 1) + " has no finite value");
        if (r.x == pivot.x && r.y == pivot.y)
            throw ArtError(where + ": needle table row " + std::to_string(i + 1) +
                           " lies on the pivot and gives no direction");
    }
    return DialScale{std::move(table), {double(pivot.x), double(pivot.y)}, std::move(where)};
}

}  // namespace art
