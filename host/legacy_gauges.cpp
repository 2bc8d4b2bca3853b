#include "host/legacy_gauges.h"

#include <map>
#include <string>

#include "host/host.h"
#include "host/legacy_records.h"
#include "module/host_values.h"

namespace host {

namespace {

constexpr size_t kMaxElements = 1024;  // a longer list is treated as broken
constexpr int32_t kMaxImages = 64;     // icons with more images are treated as broken
constexpr uint32_t LEGACY_OK = 0;
constexpr uint32_t LEGACY_FAILED = 1;

std::map<const GaugeInstance*, LegacyGaugeState> g_states;
size_t g_bitmaps_in_use = 0;

// The instance an element-list operation serves, and the list it was handed.
struct Call {
    Host* host = nullptr;
    GaugeInstance* gauge = nullptr;
    LegacyGaugeState* state = nullptr;
    std::vector<ELEMENT_HEADER*> elements;  // the handed list, back to front
};

std::string gauge_name(const GaugeInstance& g) {
    return g.header->gauge_name != nullptr ? g.header->gauge_name : "(unnamed gauge)";
}

// Each element, then the elements of its next list, depth first; bounded and
// safe against lists that come back to an earlier element.
std::vector<ELEMENT_HEADER*> walk(ELEMENT_HEADER* first, bool* broken) {
    std::vector<ELEMENT_HEADER*> order, todo{first};
    std::set<const ELEMENT_HEADER*> seen;
    while (!todo.empty()) {
        ELEMENT_HEADER* e = todo.back();
        todo.pop_back();
        if (order.size() == kMaxElements || !seen.insert(e).second) {
            *broken = true;
            continue;
        }
        order.push_back(e);
        std::vector<ELEMENT_HEADER*> next;
        for (size_t i = 0; e->next_element != nullptr && e->next_element[i] != nullptr; ++i) {
            if (i == kMaxElements) {
                *broken = true;
                break;
            }
            next.push_back(e->next_element[i]);
        }
        todo.insert(todo.end(), next.rbegin(), next.rend());
    }
    return order;
}

// Checks who calls and what it hands over; a call that cannot be served is
// reported and answered with LEGACY_FAILED.
bool begin(const char* operation, ELEMENT_HEADER* first, Call* call) {
    call->host = Host::current();
    if (call->host == nullptr) return false;
    call->gauge = call->host->calling();
    if (call->gauge == nullptr) {
        call->host->report(std::string(operation) + " called outside a call into a gauge");
        return false;
    }
    const std::string name = gauge_name(*call->gauge);
    if (call->gauge->header->gauge_header_version != GAUGE_HEADER_VERSION_700) {
        call->host->report(name + ": " + operation + " called by a gauge that is not version 700");
        return false;
    }
    if (first == nullptr) {
        call->host->report(name + ": " + operation + " handed no element list");
        return false;
    }
    ELEMENT_HEADER* own = call->gauge->chain.empty() ? nullptr : call->gauge->chain[0];
    if (first != own) {
        const GAUGEHDR* owner = first->gauge_header;
        call->host->report(name + ": " + operation + " handed an element list that is not this gauge's" +
                           (owner != nullptr && owner->gauge_name != nullptr
                                ? std::string(" (it belongs to ") + owner->gauge_name + ")"
                                : std::string()));
    }
    bool broken = false;
    call->elements = walk(first, &broken);
    if (broken) call->host->report(name + ": " + operation + " handed a broken element list");
    call->state = &g_states[call->gauge];
    return true;
}

// The index of a handed element in the instance's own chain, or -1.
long chain_index(const GaugeInstance& g, const ELEMENT_HEADER* e) {
    for (size_t i = 0; i < g.chain.size(); ++i)
        if (g.chain[i] == e) return long(i);
    return -1;
}

std::string label(const Call& call, size_t n) {
    const ELEMENT_HEADER* e = call.elements[n];
    return gauge_name(*call.gauge) + ": element " + std::to_string(n + 1) + " (" +
           element_kind_name(e->element_type) + ", bitmap " + std::to_string(e->image_id) + ")";
}

// Bitmap ids an element draws from: its own, and for icons the following ones.
std::vector<int32_t> element_bitmaps(const ELEMENT_HEADER* e) {
    if (e->element_type == ELEMENT_STATIC_IMAGE) return {e->image_id};
    if (e->element_type != ELEMENT_ICON) return {};
    const LEGACY_ICON* icon = reinterpret_cast<const LEGACY_ICON*>(e);
    std::vector<int32_t> ids;
    for (int32_t k = 0; k < icon->num_icons && k < kMaxImages; ++k) ids.push_back(e->image_id + k);
    return ids;
}

uint32_t FSAPI list_query(ELEMENT_HEADER* first) {
    Call call;
    if (!begin("element_list_query", first, &call)) return LEGACY_FAILED;
    if (!call.state->installed) *call.state = LegacyGaugeState{};  // a new instance
    call.state->queried = true;
    bool ok = true;
    for (size_t n = 0; n < call.elements.size(); ++n) {
        const ELEMENT_HEADER* e = call.elements[n];
        auto problem = [&](const std::string& text) {
            call.host->report(label(call, n) + ": " + text);
            ok = false;
        };
        if (e->gauge_header != call.gauge->header)
            problem("element does not point to its own gauge header");
        if (e->element_type == ELEMENT_ICON) {
            const LEGACY_ICON* icon = reinterpret_cast<const LEGACY_ICON*>(e);
            if (icon->mode != LEGACY_ICON_MODE_SELECT)
                problem("icon mode word " + std::to_string(icon->mode) + " is not one this host knows");
            if (icon->num_icons < 1 || icon->num_icons > kMaxImages)
                problem("icon with " + std::to_string(icon->num_icons) + " images");
        } else if (e->element_type != ELEMENT_STATIC_IMAGE) {
            problem("element kind the older element layout does not have here");
        }
    }
    return ok ? LEGACY_OK : LEGACY_FAILED;
}

uint32_t FSAPI list_install(ELEMENT_HEADER* first, uintptr_t resource_handle) {
    Call call;
    if (!begin("element_list_install", first, &call)) return LEGACY_FAILED;
    LegacyGaugeState& st = *call.state;
    const std::string name = gauge_name(*call.gauge);
    if (st.installed) {
        call.host->report(name + ": element_list_install called again without a kill");
        return LEGACY_FAILED;
    }
    if (resource_handle != call.gauge->module->resource_handle())
        call.host->report(name + ": element_list_install handed a resource handle that is not the module's");
    st.resource_handle = resource_handle;
    bool ok = true;
    for (size_t n = 0; n < call.elements.size(); ++n) {
        for (int32_t id : element_bitmaps(call.elements[n])) {
            if (call.gauge->module->resources().find("BITMAP", uint32_t(id)) == nullptr) {
                call.host->report(label(call, n) + ": bitmap " + std::to_string(id) +
                                  " is not among the module's resources");
                ok = false;
                continue;
            }
            st.bitmaps.push_back(id);
            ++g_bitmaps_in_use;
        }
    }
    st.installed = true;
    st.killed = false;
    return ok ? LEGACY_OK : LEGACY_FAILED;
}

uint32_t FSAPI list_initialize(ELEMENT_HEADER* first) {
    Call call;
    if (!begin("element_list_initialize", first, &call)) return LEGACY_FAILED;
    for (ELEMENT_HEADER* e : call.elements)
        if (e->element_type == ELEMENT_ICON) reinterpret_cast<LEGACY_ICON*>(e)->current_icon = -1;
    call.state->initialized = true;
    return LEGACY_OK;
}

// The image an older icon shows for the value its callback (or source) gives.
int legacy_icon_image(Call& call, size_t n, LEGACY_ICON* icon, double value) {
    if (icon->scale != 0.0) value *= icon->scale;
    int index = icon_index_for(value);
    if (index >= icon->num_icons) {
        if (call.state->reported.insert(&icon->header).second)
            call.host->report(label(call, n) + ": value " + std::to_string(value) +
                              " selects an image the icon does not have");
        index = -1;
    }
    return index;
}

uint32_t FSAPI list_update(ELEMENT_HEADER* first) {
    Call call;
    if (!begin("element_list_update", first, &call)) return LEGACY_FAILED;
    if (!call.state->installed)
        call.host->report(gauge_name(*call.gauge) + ": element_list_update before element_list_install");
    for (size_t n = 0; n < call.elements.size(); ++n) {
        ELEMENT_HEADER* e = call.elements[n];
        ElementState st;
        st.element = e;
        st.kind = e->element_type;
        st.image_id = e->image_id;
        if (e->element_type == ELEMENT_ICON) {
            LEGACY_ICON* icon = reinterpret_cast<LEGACY_ICON*>(e);
            if (icon->source.id != 0) {
                icon->source.var_old = icon->source.var_value;
                icon->source.var_value = call.host->vars().get(icon->source.id);
            }
            double source = icon->source.id == 0 ? 0.0
                            : token_is_integer(icon->source.id) ? double(icon->source.var_value.u)
                                                                : icon->source.var_value.n;
            st.value = icon->update_cb != nullptr ? icon->update_cb(icon) : source;
            st.icon_index = legacy_icon_image(call, n, icon, st.value);
            icon->current_icon = st.icon_index;
        }
        st.flags = e->image_flags;
        st.hidden = (e->image_flags & IMAGE_HIDDEN) != 0;
        long i = chain_index(*call.gauge, e);
        if (i >= 0) call.gauge->elements[size_t(i)] = st;
    }
    ++call.state->updates;
    return LEGACY_OK;
}

uint32_t FSAPI list_generate(ELEMENT_HEADER* first, uint32_t phase) {
    Call call;
    if (!begin("element_list_generate", first, &call)) return LEGACY_FAILED;
    ++call.state->generates;
    call.state->last_phase = phase;
    return LEGACY_OK;
}

// Drawing of a version-700 gauge: which bitmap each element shows, back to
// front. The picture itself is made from the instance's element states like
// that of any other gauge.
uint32_t FSAPI list_plot(ELEMENT_HEADER* first) {
    Call call;
    if (!begin("element_list_plot", first, &call)) return LEGACY_FAILED;
    call.state->drawn.clear();
    for (ELEMENT_HEADER* e : call.elements) {
        if ((e->image_flags & IMAGE_HIDDEN) != 0) continue;
        if (e->element_type == ELEMENT_STATIC_IMAGE) {
            call.state->drawn.push_back(e->image_id);
        } else if (e->element_type == ELEMENT_ICON) {
            const LEGACY_ICON* icon = reinterpret_cast<const LEGACY_ICON*>(e);
            if (icon->current_icon >= 0) call.state->drawn.push_back(e->image_id + icon->current_icon);
        }
    }
    ++call.state->plots;
    return LEGACY_OK;
}

// Nothing is saved under the elements in this host, so there is nothing to restore.
uint32_t FSAPI list_erase(ELEMENT_HEADER* first) {
    Call call;
    return begin("element_list_erase", first, &call) ? LEGACY_OK : LEGACY_FAILED;
}

uint32_t FSAPI list_kill(ELEMENT_HEADER* first) {
    Call call;
    if (!begin("element_list_kill", first, &call)) return LEGACY_FAILED;
    LegacyGaugeState& st = *call.state;
    g_bitmaps_in_use -= st.bitmaps.size();
    st.bitmaps.clear();
    st.installed = false;
    st.killed = true;
    return LEGACY_OK;
}

const GAUGEHDR_700* header_700(const GaugeInstance& g) {
    return reinterpret_cast<const GAUGEHDR_700*>(g.header);
}

}  // namespace

void legacy_fill_table(PANELS& table) {
    g_states.clear();
    g_bitmaps_in_use = 0;
    table.element_list_query = list_query;
    table.element_list_install = list_install;
    table.element_list_initialize = list_initialize;
    table.element_list_update = list_update;
    table.element_list_generate = list_generate;
    table.element_list_plot = list_plot;
    table.element_list_erase = list_erase;
    table.element_list_kill = list_kill;
}

void legacy_install(GaugeInstance& g) {
    const GAUGEHDR_700* h = header_700(g);
    if (h->query_routine != nullptr) h->query_routine();
    if (h->install_routine != nullptr) h->install_routine(g.module->resource_handle());
    if (h->initialize_routine != nullptr) h->initialize_routine();
}

void legacy_update(GaugeInstance& g) {
    const GAUGEHDR_700* h = header_700(g);
    if (h->update_routine != nullptr) h->update_routine();
    if (h->generate_routine != nullptr) h->generate_routine(0);
    if (h->draw_routine != nullptr) h->draw_routine();
}

void legacy_kill(GaugeInstance& g) {
    const GAUGEHDR_700* h = header_700(g);
    if (h->kill_routine != nullptr) h->kill_routine();
}

const LegacyGaugeState* legacy_state(const GaugeInstance& g) {
    auto it = g_states.find(&g);
    return it == g_states.end() ? nullptr : &it->second;
}

size_t legacy_bitmaps_in_use() { return g_bitmaps_in_use; }

}  // namespace host
