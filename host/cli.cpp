// panel-host: the stand-in host on the command line.
//
//   panel-host list MODULE
//   panel-host frame   --panel FILE [--set TOKEN=VALUE ...] [--frames N]
//   panel-host click   --panel FILE --gauge NAME --at X,Y [--right] [--set ...]
//   panel-host tooltip --panel FILE --gauge NAME --at X,Y [--set ...]
//   panel-host render  --panel FILE [--window N | --gauge NAME] [--set ...] [--frames N] [--night] -o OUT.png
//   panel-host render  --gauge Module!Gauge [--set ...] [--frames N] [--night] -o OUT.png
//
// Common options: --modules DIR (where modules named in the panel are found; the
// panel's own directory and the build's module directory are searched too).
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "host/cli_options.h"
#include "host/host.h"
#include "host/json.h"
#if defined(HOST_HAS_STAND_IN)
#include "platform/stand_in.h"
#endif
#if defined(HOST_HAS_RENDER)
#include "host/render.h"
#endif

#ifndef DEFAULT_MODULE_DIR
#define DEFAULT_MODULE_DIR "."
#endif

namespace {

using host::CliError;
using host::CliOptions;
using host::Json;

void add_default_module_dirs(host::Host& h, const CliOptions& o) {
    for (const std::string& d : o.module_dirs) h.add_module_dir(d);
    if (!o.panel.empty()) {
        auto slash = o.panel.find_last_of("/\\");
        h.add_module_dir(slash == std::string::npos ? "." : o.panel.substr(0, slash));
    }
    h.add_module_dir(DEFAULT_MODULE_DIR);
}

// Loads the panel, applies --set, installs every gauge and runs the frames.
void start_panel(host::Host& h, const CliOptions& o) {
    if (o.panel.empty()) throw CliError("--panel FILE is required");
    add_default_module_dirs(h, o);
    for (const auto& a : o.assignments)
        if (auto err = h.vars().set_from_text(a.token, a.value)) throw CliError(*err);
    h.load_panel(host::read_panel_config(o.panel));
    h.install_all();
    for (int i = 0; i < o.frames; ++i) h.frame();
}

host::GaugeInstance& chosen_gauge(host::Host& h, const CliOptions& o) {
    if (o.gauge.empty()) throw CliError("--gauge NAME is required");
    if (!o.at) throw CliError("--at X,Y is required");
    host::GaugeInstance* g = h.find_instance(o.gauge);
    if (g == nullptr) throw CliError("the panel holds no gauge '" + o.gauge + "'");
    return *g;
}

Json element_json(const host::ElementState& st, size_t i) {
    Json e = Json::object();
    e.set("index", Json(double(i + 1)));
    e.set("kind", Json(host::element_kind_name(st.kind)));
    e.set("bitmap", Json(double(st.image_id)));
    e.set("hidden", Json::boolean(st.hidden));
    switch (st.kind) {
    case ELEMENT_NEEDLE:
        e.set("value", Json(st.value));
        e.set("angle", Json(st.angle_deg));
        break;
    case ELEMENT_STRING:
        e.set("value", Json(st.value));
        e.set("text", Json(st.text));
        break;
    case ELEMENT_ICON:
        e.set("value", Json(st.value));
        e.set("image", Json(double(st.icon_index)));
        break;
    case ELEMENT_SLIDER:
        e.set("x", Json(st.value));
        e.set("y", Json(st.value_y));
        break;
    case ELEMENT_MOVING_IMAGE:
        e.set("x", Json(st.value));
        e.set("y", Json(st.value_y));
        e.set("fraction_x", Json(st.fraction_x));
        e.set("fraction_y", Json(st.fraction_y));
        break;
    case ELEMENT_SPRITE:
        e.set("x", Json(st.value));
        e.set("y", Json(st.value_y));
        e.set("rotation", Json(st.value_rotation));
        break;
    default:
        break;
    }
    return e;
}

Json gauge_json(const host::GaugeInstance& g) {
    Json j = Json::object();
    j.set("window", Json(double(g.window)));
    j.set("module", Json(g.module->name()));
    j.set("gauge", Json(g.name()));
    j.set("x", Json(double(g.line.x)));
    j.set("y", Json(double(g.line.y)));
    Json elements = Json::array();
    for (size_t i = 0; i < g.elements.size(); ++i) elements.push(element_json(g.elements[i], i));
    j.set("elements", elements);
    return j;
}

Json problems_json(const host::Host& h) {
    Json p = Json::array();
    for (const std::string& s : h.problems()) p.push(Json(s));
    return p;
}

std::string hex(uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%X", v);
    return buf;
}

int cmd_list(const CliOptions& o) {
    if (o.positional.size() != 1) throw CliError("list takes one MODULE (a name or a file)");
    host::Host h;
    add_default_module_dirs(h, o);
    std::string error;
    host::LoadedModule* m = h.load_module(o.positional[0], &error);
    if (m == nullptr) throw CliError(error);
    for (GAUGEHDR* g : m->gauges())
        std::cout << (g->gauge_name ? g->gauge_name : "") << ' ' << g->size_x_mm << '\n';
    return 0;
}

int cmd_frame(const CliOptions& o) {
    host::Host h;
    start_panel(h, o);
    Json out = Json::object();
    Json gauges = Json::array();
    for (const auto& g : h.instances()) gauges.push(gauge_json(*g));
    out.set("gauges", gauges);
    out.set("problems", problems_json(h));
    std::cout << out.dump() << '\n';
    return 0;
}

int cmd_click(const CliOptions& o) {
    host::Host h;
    start_panel(h, o);
    host::GaugeInstance& g = chosen_gauge(h, o);
    auto vars_before = h.vars().all();
    auto elements_before = g.elements;
    uint32_t flags = o.right ? MOUSE_RIGHTSINGLE : MOUSE_LEFTSINGLE;
    host::ClickResult r = h.click(g, o.at->first, o.at->second, flags);
    // The next update shows the click's effect; the clock stays where it was.
    for (const auto& each : h.instances()) h.update(*each);

    Json out = Json::object();
    out.set("gauge", Json(g.name()));
    out.set("hit", Json::boolean(r.hit));
    Json events = Json::array();
    for (const host::KeyEvent& e : r.events) {
        Json ev = Json::object();
        ev.set("event", Json(hex(e.id)));
        ev.set("value", Json(double(e.value)));
        events.push(ev);
    }
    out.set("events", events);
    Json changed = Json::object();
    for (const auto& [token, value] : h.vars().all()) {
        auto it = vars_before.find(token);
        if (it != vars_before.end() && std::memcmp(&it->second, &value, sizeof value) == 0) continue;
        changed.set(std::to_string(token), Json(h.vars().number(token)));
    }
    out.set("variables", changed);
    Json elements = Json::array();
    for (size_t i = 0; i < g.elements.size(); ++i) {
        Json now = element_json(g.elements[i], i);
        if (element_json(elements_before[i], i).dump() != now.dump()) elements.push(now);
    }
    out.set("elements", elements);
    out.set("problems", problems_json(h));
    std::cout << out.dump() << '\n';
    return 0;
}

int cmd_tooltip(const CliOptions& o) {
    host::Host h;
    start_panel(h, o);
    host::GaugeInstance& g = chosen_gauge(h, o);
    auto text = h.tooltip(g, o.at->first, o.at->second);
    if (!text) {
        std::cout << '\n';
        return 0;
    }
    std::cout << *text << '\n';
    return 0;
}

#if defined(HOST_HAS_RENDER)
// Draws the panel (every visible window, or --window N), or with --gauge
// Module!Gauge one gauge at its native size, after the frames, into -o OUT.png.
// Problems found while drawing go to standard error; the picture is written all the same.
int cmd_render(const CliOptions& o) {
    if (o.output.empty()) throw CliError("-o OUT.png is required");
    host::Host h;
    host::Renderer renderer(h);
    renderer.set_night(o.night);
    host::Surface own;
    cairo_surface_t* picture = nullptr;
    if (!o.panel.empty()) {
        start_panel(h, o);
        if (!o.gauge.empty()) {
            std::string name = o.gauge.substr(o.gauge.find('!') + 1);
            host::GaugeInstance* g = h.find_instance(name);
            if (g == nullptr) throw CliError("the panel holds no gauge '" + name + "'");
            picture = renderer.gauge_picture(*g);
        } else {
            if (o.window) {
                bool known = false;
                for (const host::PanelWindow& w : h.panel().windows) known |= w.number == *o.window;
                if (!known) throw CliError("the panel has no window " + std::to_string(*o.window));
            } else if (h.panel().windows.empty()) {
                throw CliError("the panel has no windows");
            }
            own = renderer.panel_picture(o.window);
            picture = own.get();
        }
    } else {
        auto bang = o.gauge.find('!');
        if (o.gauge.empty() || bang == std::string::npos || bang == 0 || bang + 1 == o.gauge.size())
            throw CliError("render needs --panel FILE or --gauge Module!Gauge");
        add_default_module_dirs(h, o);
        for (const auto& a : o.assignments)
            if (auto err = h.vars().set_from_text(a.token, a.value)) throw CliError(*err);
        std::string error;
        host::GaugeInstance* g =
            h.add_gauge(o.gauge.substr(0, bang), o.gauge.substr(bang + 1), host::GaugeLine{}, 0, &error);
        if (g == nullptr) throw CliError(error);
        h.install_all();
        for (int i = 0; i < o.frames; ++i) h.frame();
        picture = renderer.gauge_picture(*g);
    }
    for (const std::string& p : h.problems()) std::cerr << "panel-host: problem: " << p << '\n';
    std::string error;
    if (!host::write_png(picture, o.output, &error)) throw CliError(error);
    return 0;
}
#endif

}  // namespace

int main(int argc, char** argv) {
#if defined(HOST_HAS_STAND_IN)
    // The simulator's main window, which the click sounds look for by class.
    stand_in_add_window("FS98MAIN");
#endif
    static const std::map<std::string, int (*)(const CliOptions&)> commands = {
        {"list", cmd_list},
        {"frame", cmd_frame},
        {"click", cmd_click},
        {"tooltip", cmd_tooltip},
#if defined(HOST_HAS_RENDER)
        {"render", cmd_render},
#endif
    };
    try {
        if (argc < 2) throw CliError("usage: panel-host list|frame|click|tooltip|render ...");
        auto it = commands.find(argv[1]);
        if (it == commands.end()) throw CliError(std::string("unknown command '") + argv[1] + "'");
        CliOptions o = host::parse_cli_options(argc - 2, argv + 2);
        return it->second(o);
    } catch (const CliError& e) {
        std::cerr << "panel-host: " << e.what() << '\n';
        return 2;
    } catch (const host::PanelConfigError& e) {
        std::cerr << "panel-host: " << e.what() << '\n';
        return 1;
    }
}
