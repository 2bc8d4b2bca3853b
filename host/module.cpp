#include "host/module.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#if defined(HOST_HAS_STAND_IN)
#include "platform/stand_in.h"
#endif

namespace host {

namespace {

constexpr size_t kMaxGauges = 4096;  // a list without its null end is not walked forever

void* open_library(const std::string& path, std::string* error) {
#if defined(_WIN32)
    HMODULE h = LoadLibraryA(path.c_str());
    if (h == nullptr) *error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return reinterpret_cast<void*>(h);
#else
    void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (h == nullptr) *error = "cannot load " + path + ": " + dlerror();
    return h;
#endif
}

void* find_export(void* library, const char* name) {
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(library), name));
#else
    return dlsym(library, name);
#endif
}

void close_library(void* library) {
#if defined(_WIN32)
    FreeLibrary(reinterpret_cast<HMODULE>(library));
#else
    dlclose(library);
#endif
}

std::string replace_extension(const std::string& path, const std::string& ext) {
    auto slash = path.find_last_of("/\\");
    auto dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + ext;
    return path.substr(0, dot) + ext;
}

}  // namespace

std::string module_file_name(const std::string& name) {
#if defined(_WIN32)
    return name + ".gau";
#else
    return name + ".so";
#endif
}

std::unique_ptr<LoadedModule> LoadedModule::load(const std::string& path, const std::string& name,
                                                 PANELS* table, std::string* error) {
    std::unique_ptr<LoadedModule> m(new LoadedModule());
    m->name_ = name;
    m->path_ = path;
    m->library_ = open_library(path, error);
    if (m->library_ == nullptr) return nullptr;
    m->linkage_ = static_cast<LINKAGE_HEAD*>(find_export(m->library_, "Linkage"));
    m->import_table_ = static_cast<IMPORT_TABLE*>(find_export(m->library_, "ImportTable"));
    if (m->linkage_ == nullptr || m->import_table_ == nullptr) {
        *error = path + " does not export both Linkage and ImportTable";
        return nullptr;
    }
#if defined(_WIN32)
    // A Windows module carries its resources in its own resource section.
    ResourceSet resources;
    std::string pe_error;
    if (auto set = read_pe_resource_set(path, &pe_error)) resources = std::move(*set);
#else
    // Native modules carry their resources beside them, in Name.rc and its files.
    ResourceSet resources;
    std::string rc_error;
    if (auto set = read_resource_script(replace_extension(path, ".rc"), &rc_error))
        resources = std::move(*set);
#endif
    if (!m->start(table, std::move(resources), error)) return nullptr;
    return m;
}

std::unique_ptr<LoadedModule> LoadedModule::attach(const std::string& name, LINKAGE_HEAD* linkage,
                                                   IMPORT_TABLE* import_table, PANELS* table,
                                                   ResourceSet resources, std::string* error) {
    std::unique_ptr<LoadedModule> m(new LoadedModule());
    m->name_ = name;
    m->path_ = "(linked) " + name;
    m->linkage_ = linkage;
    m->import_table_ = import_table;
    if (!m->start(table, std::move(resources), error)) return nullptr;
    return m;
}

// Checks the exported tables, reads the gauge list, makes the resources
// reachable through the module's handle, hands over the host table and calls init.
bool LoadedModule::start(PANELS* table, ResourceSet resources, std::string* error) {
    if (import_table_->panels.id != IMPORT_TABLE_PANELS_ID) {
        *error = path_ + ": ImportTable does not ask for the panel function table";
        return false;
    }
    GAUGEHDR* const* list = linkage_gauges(linkage_);
    for (size_t i = 0; list[i] != nullptr; ++i) {
        if (i == kMaxGauges) {
            *error = path_ + ": the gauge list in Linkage has no end";
            return false;
        }
        gauges_.push_back(list[i]);
    }
#if defined(_WIN32)
    resource_handle_ = library_ != nullptr ? reinterpret_cast<uintptr_t>(library_)
                                           : reinterpret_cast<uintptr_t>(this);
#else
    resource_handle_ = reinterpret_cast<uintptr_t>(this);
#endif
    resources_ = std::move(resources);
#if defined(HOST_HAS_STAND_IN)
    for (const auto& [key, r] : resources_.all()) {
        std::string type = r.type == "BITMAP" ? "#2" : r.type;
        stand_in_add_resource(this, type.c_str(), r.id, r.bytes.data(), r.bytes.size());
    }
#endif
    import_table_->panels.table = table;
    if (linkage_->module_init != nullptr) linkage_->module_init();
    initialised_ = true;
    return true;
}

LoadedModule::~LoadedModule() {
    if (initialised_ && linkage_->module_deinit != nullptr) linkage_->module_deinit();
#if !defined(_WIN32) && defined(HOST_HAS_STAND_IN)
    stand_in_clear_resources(this);
#endif
    if (library_ != nullptr) close_library(library_);
}

GAUGEHDR* LoadedModule::find_gauge(const std::string& gauge_name) const {
    for (GAUGEHDR* g : gauges_)
        if (g->gauge_name != nullptr && gauge_name == g->gauge_name) return g;
    return nullptr;
}

}  // namespace host
