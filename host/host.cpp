#include "host/host.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <utility>

#include "host/legacy_gauges.h"
#include "module/host_values.h"

namespace host {

namespace {

Host* g_current = nullptr;

constexpr size_t kMaxElements = 1024;  // a chain longer than this is treated as broken
constexpr uint32_t FAILURE_ACTION_FREEZE = 1;
constexpr uint32_t FAILURE_ACTION_ZERO = 2;
constexpr uint32_t FAILURE_ACTION_HIDE = 3;

// ---- the host function table ---------------------------------------------------------

void FSAPI table_lookup_var(MODULE_VAR* var) { Host::current()->lookup(var); }
uint32_t FSAPI table_trigger_key_event(uint32_t id, uint32_t value) {
    return Host::current()->key_event(id, value);
}
int32_t FSAPI table_panel_window_toggle(uint32_t id) { return Host::current()->toggle_window(id); }
int32_t FSAPI table_execute_calculator_code(const char* code, double* number, int32_t* integer,
                                            const char** text) {
    return Host::current()->calculator(code, number, integer, text);
}

// Every other entry records the call as an error: no module of ours should make it.
template <size_t Offset>
void FSAPI table_unimplemented() {
    Host::current()->unimplemented(Offset);
}

template <size_t... I>
constexpr auto make_entries(std::index_sequence<I...>) {
    return std::array<PANEL_ENTRY, sizeof...(I)>{table_unimplemented<0x18 + 4 * I>...};
}

}  // namespace

Host* Host::current() { return g_current; }

Host::Host() {
    g_current = this;
    // Every slot first records an unexpected call; the entries the modules use
    // are then set to their implementations.
    static constexpr auto entries = make_entries(std::make_index_sequence<(sizeof(PANELS) - 24) / sizeof(void*)>());
    PANEL_ENTRY* slots = reinterpret_cast<PANEL_ENTRY*>(reinterpret_cast<char*>(&table_) + 24);
    for (size_t i = 0; i < entries.size(); ++i) slots[i] = entries[i];
    table_.lookup_var = table_lookup_var;
    table_.trigger_key_event = table_trigger_key_event;
    table_.panel_window_toggle = table_panel_window_toggle;
    table_.execute_calculator_code = table_execute_calculator_code;
    legacy_fill_table(table_);
}

Host::~Host() {
    remove_all();
    if (g_current == this) g_current = nullptr;
}

void Host::report(const std::string& problem) { problems_.push_back(problem); }

void Host::unimplemented(size_t offset) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "call of host table entry +0x%zX, which the host does not provide",
                  offset);
    report(buf);
}

// ---- modules and instances -------------------------------------------------------------

LoadedModule* Host::load_module(const std::string& name_or_path, std::string* error) {
    for (auto& m : modules_)
        if (m->name() == name_or_path || m->path() == name_or_path) return m.get();
    std::string path, name = name_or_path;
    auto slash = name_or_path.find_last_of("/\\");
    bool is_path = slash != std::string::npos || name_or_path.find('.') != std::string::npos;
    if (is_path) {
        path = name_or_path;
        name = name_or_path.substr(slash == std::string::npos ? 0 : slash + 1);
        auto dot = name.rfind('.');
        if (dot != std::string::npos) name = name.substr(0, dot);
        for (auto& m : modules_)
            if (m->name() == name) return m.get();
    } else {
        for (const std::string& dir : module_dirs_) {
            std::string candidate = dir + "/" + module_file_name(name);
            if (read_file(candidate)) {
                path = candidate;
                break;
            }
        }
        if (path.empty()) {
            *error = "module '" + name + "' not found (looked for " + module_file_name(name) +
                     " in " + std::to_string(module_dirs_.size()) + " module directories)";
            return nullptr;
        }
    }
    auto m = LoadedModule::load(path, name, &table_, error);
    if (!m) return nullptr;
    modules_.push_back(std::move(m));
    return modules_.back().get();
}

LoadedModule* Host::attach_module(const std::string& name, LINKAGE_HEAD* linkage,
                                  IMPORT_TABLE* import_table, ResourceSet resources,
                                  std::string* error) {
    auto m = LoadedModule::attach(name, linkage, import_table, &table_, std::move(resources), error);
    if (!m) return nullptr;
    modules_.push_back(std::move(m));
    return modules_.back().get();
}

GaugeInstance* Host::add_gauge(const std::string& module_name, const std::string& gauge_name,
                               const GaugeLine& line, int window, std::string* error) {
    LoadedModule* m = load_module(module_name, error);
    if (m == nullptr) return nullptr;
    GAUGEHDR* header = m->find_gauge(gauge_name);
    if (header == nullptr) {
        *error = "module '" + m->name() + "' has no gauge '" + gauge_name + "'";
        return nullptr;
    }
    auto g = std::make_unique<GaugeInstance>();
    g->module = m;
    g->header = header;
    g->line = line;
    g->window = window;
    std::string params = line.has_parameters ? line.parameters : std::string();
    g->parameters.assign(params.begin(), params.end());
    g->parameters.push_back('\0');
    instances_.push_back(std::move(g));
    GaugeInstance& gi = *instances_.back();
    validate(gi);
    return &gi;
}

void Host::load_panel(const PanelConfig& config) {
    panel_ = config;
    for (const PanelWindow& w : config.windows) {
        if (w.ident >= 0) window_visible_[w.ident] = w.visible;
        for (const GaugeLine& line : w.gauges) {
            std::string error;
            if (add_gauge(line.module, line.gauge, line, w.number, &error) == nullptr)
                throw PanelConfigError(config.path + ":" + std::to_string(line.line) + ": " + error);
        }
    }
}

GaugeInstance* Host::find_instance(const std::string& gauge_name, size_t nth) {
    for (auto& g : instances_)
        if (g->name() == gauge_name && nth-- == 0) return g.get();
    return nullptr;
}

const char* element_kind_name(uint32_t kind) {
    static const char* const names[] = {"static image", "needle", "string", "slider",
                                        "icon", "moving image", "sprite"};
    return kind < 7 ? names[kind] : "unknown kind";
}

std::string element_label(const GaugeInstance& gauge, size_t index) {
    const ELEMENT_HEADER* e = gauge.chain[index];
    return gauge.name() + ": element " + std::to_string(index + 1) + " (" +
           element_kind_name(e->element_type) + ", bitmap " + std::to_string(e->image_id) + ")";
}

// Walks the chain (each element, then the elements of its next list), checks
// each element, and prepares the host's per-element state.
void Host::validate(GaugeInstance& g) {
    const std::string name = g.header->gauge_name ? g.header->gauge_name : "(unnamed gauge)";
    uint32_t version = g.header->gauge_header_version;
    if (version != GAUGE_HEADER_VERSION_800 && version != GAUGE_HEADER_VERSION_700)
        report(name + ": unknown gauge header version " + std::to_string(version));

    // Depth first, in list order: each list is pushed reversed onto the work stack.
    auto list_of = [](ELEMENT_HEADER** list) {
        std::vector<ELEMENT_HEADER*> items;
        for (size_t i = 0; list != nullptr && list[i] != nullptr && i < kMaxElements; ++i)
            items.push_back(list[i]);
        return std::vector<ELEMENT_HEADER*>(items.rbegin(), items.rend());
    };
    std::set<const ELEMENT_HEADER*> seen;
    std::vector<ELEMENT_HEADER*> order;
    std::vector<ELEMENT_HEADER*> todo = list_of(g.header->elements_list);
    while (!todo.empty() && order.size() < kMaxElements) {
        ELEMENT_HEADER* e = todo.back();
        todo.pop_back();
        if (!seen.insert(e).second) {
            report(name + ": element chain comes back to an earlier element");
            continue;
        }
        order.push_back(e);
        auto next = list_of(e->next_element);
        todo.insert(todo.end(), next.begin(), next.end());
    }
    if (order.empty()) report(name + ": gauge has no elements");
    g.chain = order;
    g.elements.assign(order.size(), ElementState{});
    g.tables.assign(order.size(), NeedleTable{});
    g.text_buffers.assign(order.size(), {});

    for (size_t i = 0; i < order.size(); ++i) {
        ELEMENT_HEADER* e = order[i];
        g.elements[i].element = e;
        if (version == GAUGE_HEADER_VERSION_700) continue;  // older layout: read by the legacy support
        if (e->element_type > ELEMENT_SPRITE) {
            report(element_label(g, i) + ": unknown element kind");
            continue;
        }
        if (e->gauge_header != g.header)
            report(element_label(g, i) + ": element does not point to its own gauge header");
        if (e->element_type == ELEMENT_NEEDLE) {
            NEEDLE* n = reinterpret_cast<NEEDLE*>(e);
            if ((n->nonlinearity_table == nullptr) != (n->nonlinearity_table_size == 0))
                report(element_label(g, i) + ": needle table and its row count disagree");
            else if (n->nonlinearity_table_size > 0 && n->nonlinearity_table_size < 2)
                report(element_label(g, i) + ": needle table has fewer than two rows");
            else
                g.tables[i] = NeedleTable::from_element(*n);
        } else if (e->element_type == ELEMENT_STRING) {
            STRING* s = reinterpret_cast<STRING*>(e);
            g.text_buffers[i].assign(size_t(s->max_string_length) + 1, '\0');
        }
    }
    // Gauge pixels are only known with the bitmaps; an outer area of (0, 0, 0, 0)
    // stands for the whole gauge whatever its size.
    g.mouse = layout_mouse_rects(g.header->mouse_rect, 1 << 20, 1 << 20);
    for (const std::string& p : g.mouse.problems) report(name + ": " + p);
}

// ---- services and updates ----------------------------------------------------------------

void Host::enter(GaugeInstance& g) {
    calling_ = &g;
    g.header->parameters = g.parameters.data();
}

void Host::call_service(GaugeInstance& g, uint32_t service, uintptr_t extra) {
    if (g.header->gauge_callback == nullptr) return;
    enter(g);
    g.header->gauge_callback(g.header, service, extra);
    calling_ = nullptr;
}

void Host::install_all() {
    for (auto& g : instances_) {
        if (g->installed) continue;
        if (g->header->gauge_header_version == GAUGE_HEADER_VERSION_700) {
            enter(*g);
            legacy_install(*g);
            calling_ = nullptr;
        } else {
            call_service(*g, PANEL_SERVICE_PRE_INSTALL, g->module->resource_handle());
            call_service(*g, PANEL_SERVICE_POST_INSTALL, 0);
            call_service(*g, PANEL_SERVICE_PRE_INITIALIZE, 0);
            call_service(*g, PANEL_SERVICE_POST_INITIALIZE, 0);
        }
        g->installed = true;
    }
    if (!connected_) {
        connected_ = true;
        for (auto& g : instances_) call_service(*g, PANEL_SERVICE_CONNECT_TO_WINDOW, 0);
    }
}

void Host::frame() {
    model_.advance(frame_seconds);
    for (auto& g : instances_)
        if (g->installed) update(*g);
}

void Host::refresh(MODULE_VAR& var) {
    if (var.id == 0) return;
    var.var_old = var.var_value;
    var.var_value = vars_.get(var.id);
}

double Host::source_value(const MODULE_VAR& var) const {
    if (var.id == 0) return 0.0;
    return token_is_integer(var.id) ? double(var.var_value.u) : var.var_value.n;
}

std::optional<uint32_t> Host::active_failure_action(const ELEMENT_HEADER& e) const {
    if (e.failure_systems == nullptr) return std::nullopt;
    for (size_t i = 0; i < 64 && e.failure_systems[i].key != 0; ++i) {
        auto it = failures_.find(e.failure_systems[i].key);
        if (it != failures_.end() && it->second) return e.failure_systems[i].action;
    }
    return std::nullopt;
}

void Host::set_failure(uint32_t key, bool active) { failures_[key] = active; }

void Host::update_element(GaugeInstance& g, size_t i) {
    ELEMENT_HEADER* e = g.chain[i];
    ElementState& st = g.elements[i];
    ElementState before = st;
    st.kind = e->element_type;
    st.image_id = e->image_id;

    switch (e->element_type) {
    case ELEMENT_STATIC_IMAGE:
        break;
    case ELEMENT_NEEDLE: {
        NEEDLE* n = reinterpret_cast<NEEDLE*>(e);
        refresh(n->source);
        st.value = n->update_cb ? n->update_cb(n) : source_value(n->source);
        st.angle_deg = needle_angle_deg(g.tables[i], st.value);
        break;
    }
    case ELEMENT_STRING: {
        STRING* s = reinterpret_cast<STRING*>(e);
        for (MODULE_VAR& v : s->source) refresh(v);
        std::vector<char>& buf = g.text_buffers[i];
        s->string = buf.data();
        st.value = s->update_cb ? s->update_cb(s) : source_value(s->source[0]);
        buf.back() = '\0';
        st.text.assign(buf.data(), strnlen(buf.data(), buf.size()));
        break;
    }
    case ELEMENT_SLIDER: {
        SLIDER* s = reinterpret_cast<SLIDER*>(e);
        refresh(s->source_x);
        refresh(s->source_y);
        st.value = s->update_x_cb ? s->update_x_cb(s) : source_value(s->source_x);
        st.value_y = s->update_y_cb ? s->update_y_cb(s) : source_value(s->source_y);
        st.shift_x = scaled_shift(st.value, s->scale_x);
        st.shift_y = scaled_shift(st.value_y, s->scale_y);
        break;
    }
    case ELEMENT_ICON: {
        ICON* c = reinterpret_cast<ICON*>(e);
        refresh(c->source);
        st.value = c->update_cb ? c->update_cb(c) : source_value(c->source);
        st.icon_index = icon_index_for(st.value);
        break;
    }
    case ELEMENT_MOVING_IMAGE: {
        MOVING_IMAGE* m = reinterpret_cast<MOVING_IMAGE*>(e);
        refresh(m->source_x);
        refresh(m->source_y);
        st.value = m->update_x_cb ? m->update_x_cb(m) : source_value(m->source_x);
        st.value_y = m->update_y_cb ? m->update_y_cb(m) : source_value(m->source_y);
        st.fraction_x = moving_fraction(st.value, m->min_x, m->max_x);
        st.fraction_y = moving_fraction(st.value_y, m->min_y, m->max_y);
        break;
    }
    case ELEMENT_SPRITE: {
        SPRITE* s = reinterpret_cast<SPRITE*>(e);
        refresh(s->source_x);
        refresh(s->source_y);
        refresh(s->source_0);
        st.value = s->update_x_cb ? s->update_x_cb(s) : source_value(s->source_x);
        st.value_y = s->update_y_cb ? s->update_y_cb(s) : source_value(s->source_y);
        st.value_rotation = s->update_0_cb ? s->update_0_cb(s) : source_value(s->source_0);
        st.shift_x = scaled_shift(st.value, s->scale_x);
        st.shift_y = scaled_shift(st.value_y, s->scale_y);
        st.sprite_rotation_deg = sprite_rotation_deg(st.value_rotation, s->scale_0);
        break;
    }
    default:
        return;
    }
    st.flags = e->image_flags;
    st.hidden = (e->image_flags & IMAGE_HIDDEN) != 0;

    // Host failures act on the element after its callback has run.
    if (auto action = active_failure_action(*e)) {
        if (*action == FAILURE_ACTION_FREEZE && g.updates > 0) {
            st = before;
        } else if (*action == FAILURE_ACTION_ZERO) {
            st.value = st.value_y = st.value_rotation = 0;
            st.angle_deg = needle_angle_deg(g.tables[i], 0.0);
            st.shift_x = st.shift_y = st.sprite_rotation_deg = 0;
        } else if (*action == FAILURE_ACTION_HIDE) {
            st.hidden = true;
        }
    }
}

void Host::update(GaugeInstance& g) {
    if (g.header->gauge_header_version == GAUGE_HEADER_VERSION_700) {
        enter(g);
        legacy_update(g);
        calling_ = nullptr;
        ++g.updates;
        return;
    }
    call_service(g, PANEL_SERVICE_PRE_UPDATE, 0);
    enter(g);
    for (size_t i = 0; i < g.chain.size(); ++i) update_element(g, i);
    calling_ = nullptr;
    call_service(g, PANEL_SERVICE_POST_UPDATE, 0);
    ++g.updates;
}

void Host::remove_all() {
    for (auto& g : instances_) {
        if (!g->installed) continue;
        if (g->header->gauge_header_version == GAUGE_HEADER_VERSION_700) {
            enter(*g);
            legacy_kill(*g);
            calling_ = nullptr;
        } else {
            call_service(*g, PANEL_SERVICE_PRE_KILL, 0);
            call_service(*g, PANEL_SERVICE_POST_KILL, 0);
        }
        g->installed = false;
    }
    instances_.clear();
    // Unload in reverse order of loading.
    while (!modules_.empty()) modules_.pop_back();
    connected_ = false;
}

// ---- clicks and tooltips -------------------------------------------------------------------

ClickResult Host::click(GaugeInstance& g, int x, int y, uint32_t mouse_flags) {
    ClickResult result;
    size_t logged = model_.log().size();
    const MouseArea* area = find_child_area(g.mouse, x, y, mouse_flags);
    if (area == nullptr) return result;
    result.hit = true;
    result.rect = area->rect;
    MOUSERECT* rect = const_cast<MOUSERECT*>(area->rect);
    if (rect->action.fn != nullptr) {
        MOUSE_CLICK click{};
        click.x = x - area->box.x;
        click.y = y - area->box.y;
        click.gauge = g.header;
        click.rect = rect;
        click.screen = {g.line.x + x, g.line.y + y};
        enter(g);
        rect->action.fn(&click, mouse_flags);
        calling_ = nullptr;
    } else if (rect->event_id != 0) {
        key_event(rect->event_id, 0);
    }
    const auto& log = model_.log();
    result.events.assign(log.begin() + long(logged), log.end());
    return result;
}

std::optional<std::string> Host::tooltip(GaugeInstance& g, int x, int y) {
    auto source = find_tooltip(g.mouse, x, y);
    if (!source) return std::nullopt;
    if (source->tooltip != nullptr && source->tooltip->action.text != nullptr) {
        enter(g);
        std::string text = format_tooltip(source->tooltip->action.text, source->tooltip->data.args,
                                          source->tooltip->event_id, g.header);
        calling_ = nullptr;
        return text;
    }
    return host_tooltip_text(source->help_id);
}

// ---- host table entries ------------------------------------------------------------------

void Host::lookup(MODULE_VAR* var) {
    if (var == nullptr) {
        report("lookup_var called with a null record");
        return;
    }
    var->var_value = vars_.get(var->id);
}

uint32_t Host::key_event(uint32_t id, uint32_t value) {
    // Events the aircraft model does not perform are logged all the same.
    model_.trigger(id, value);
    return 0;
}

int32_t Host::toggle_window(uint32_t id) {
    window_toggles_.push_back(id);
    auto it = window_visible_.find(int(id));
    if (it == window_visible_.end()) return 0;
    it->second = !it->second;
    return 1;
}

int32_t Host::calculator(const char* code, double* number, int32_t* integer, const char** text) {
    if (code != nullptr && std::strcmp(code, "(A:ATC ID,string)") == 0) {
        if (text != nullptr) *text = atc_id_.c_str();
        if (number != nullptr) *number = 0.0;
        if (integer != nullptr) *integer = 0;
        return 1;
    }
    report(std::string("calculator code the host does not evaluate: ") + (code ? code : "(null)"));
    return 0;
}

}  // namespace host
