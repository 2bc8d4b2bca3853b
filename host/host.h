// The stand-in host: loads modules, keeps the simulation variables and the
// aircraft model, creates gauge instances from panel configurations and drives
// their services, callbacks, clicks and tooltips as the simulator does.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "host/aircraft_model.h"
#include "host/evaluate.h"
#include "host/module.h"
#include "host/mouse.h"
#include "host/panel_config.h"
#include "host/variables.h"
#include "module/gauge_model.h"

namespace host {

class GaugeInstance {
public:
    LoadedModule* module = nullptr;
    GAUGEHDR* header = nullptr;
    GaugeLine line;         // where the panel configuration places it
    int window = 0;         // its [WindowNN]
    std::string name() const { return header->gauge_name; }

    // Element records in draw order (back to front) and what each showed at the
    // last update; the same index in both.
    std::vector<ELEMENT_HEADER*> chain;
    std::vector<ElementState> elements;
    std::vector<NeedleTable> tables;             // per element; empty for other kinds
    std::vector<std::vector<char>> text_buffers; // per element; strings only

    MouseLayout mouse;
    bool installed = false;
    uint64_t updates = 0;

    // The parameter text the header is handed before each call into the gauge.
    std::vector<char> parameters;
};

struct ClickResult {
    bool hit = false;
    const MOUSERECT* rect = nullptr;
    std::vector<KeyEvent> events;  // key events sent during the click
};

// The panel functions the host table routes to; one host is current at a time.
class Host {
public:
    Host();
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    static Host* current();

    // Directories searched for modules named in panel configurations.
    void add_module_dir(const std::string& dir) { module_dirs_.push_back(dir); }
    // Loads a module by path or by name (searched in the module directories);
    // a module already loaded is returned again.
    LoadedModule* load_module(const std::string& name_or_path, std::string* error);

    // Registers a module linked into this program (tests) under `name`.
    LoadedModule* attach_module(const std::string& name, LINKAGE_HEAD* linkage,
                                IMPORT_TABLE* import_table, ResourceSet resources,
                                std::string* error);

    // Creates an instance of a gauge (not installed yet).
    GaugeInstance* add_gauge(const std::string& module, const std::string& gauge,
                             const GaugeLine& line, int window, std::string* error);
    // Creates every gauge of a panel configuration; throws PanelConfigError with
    // the file's line for an unknown module or gauge.
    void load_panel(const PanelConfig& config);
    const PanelConfig& panel() const { return panel_; }

    // Service 2 and 3 for every instance not installed yet, then 14 (the panel
    // connects to its window).
    void install_all();
    // One frame: the running time moves on, every instance updates.
    void frame();
    void update(GaugeInstance& gauge);
    // One service call into a version-800 gauge (the renderer sends 10 and 11
    // around drawing it).
    void service(GaugeInstance& gauge, uint32_t service, uintptr_t extra = 0) {
        call_service(gauge, service, extra);
    }
    // Service 12 and 13 for every instance, then the modules are unloaded.
    void remove_all();

    ClickResult click(GaugeInstance& gauge, int x, int y, uint32_t mouse_flags);
    std::optional<std::string> tooltip(GaugeInstance& gauge, int x, int y);

    GaugeInstance* find_instance(const std::string& gauge_name, size_t nth = 0);
    const std::vector<std::unique_ptr<GaugeInstance>>& instances() const { return instances_; }

    Variables& vars() { return vars_; }
    AircraftModel& model() { return model_; }
    const std::vector<std::string>& problems() const { return problems_; }
    void report(const std::string& problem);

    // Host failures: while a key is active, elements listing it act as their action says.
    void set_failure(uint32_t key, bool active);

    // Text the host hands to "(A:ATC ID,string)".
    void set_atc_id(const std::string& id) { atc_id_ = id; }

    // panel_window_toggle: the windows the modules have opened or closed.
    std::map<int, bool>& window_visible() { return window_visible_; }
    const std::vector<uint32_t>& window_toggles() const { return window_toggles_; }

    // Seconds of simulated time per frame (token 604).
    double frame_seconds = 1.0 / 18.0;

    // The gauge instance the host is calling into, if any.
    GaugeInstance* calling() const { return calling_; }

    // Host table entries.
    void lookup(MODULE_VAR* var);
    uint32_t key_event(uint32_t id, uint32_t value);
    int32_t toggle_window(uint32_t id);
    int32_t calculator(const char* code, double* number, int32_t* integer, const char** text);
    void unimplemented(size_t offset);

    PANELS& table() { return table_; }

private:
    void call_service(GaugeInstance& gauge, uint32_t service, uintptr_t extra);
    void enter(GaugeInstance& gauge);
    void validate(GaugeInstance& gauge);
    void refresh(MODULE_VAR& var);
    double source_value(const MODULE_VAR& var) const;
    void update_element(GaugeInstance& gauge, size_t i);
    std::optional<uint32_t> active_failure_action(const ELEMENT_HEADER& e) const;

    PANELS table_{};
    Variables vars_;
    AircraftModel model_{vars_};
    std::vector<std::string> module_dirs_;
    std::vector<std::unique_ptr<LoadedModule>> modules_;
    std::vector<std::unique_ptr<GaugeInstance>> instances_;
    PanelConfig panel_;
    std::vector<std::string> problems_;
    std::map<uint32_t, bool> failures_;
    std::string atc_id_ = "D-IKOR";
    std::map<int, bool> window_visible_;
    std::vector<uint32_t> window_toggles_;
    GaugeInstance* calling_ = nullptr;
    bool connected_ = false;
};

// A host problem as "Gauge: element N (kind, bitmap id): message".
std::string element_label(const GaugeInstance& gauge, size_t index);
const char* element_kind_name(uint32_t kind);

}  // namespace host
