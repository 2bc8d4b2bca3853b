// A gauge module loaded as the simulator loads it: the library opened, Linkage
// and ImportTable found by their export names, the host's function table written
// into ImportTable, init called; deinit and unload at the end.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/resources.h"
#include "module/gauge_model.h"

namespace host {

class LoadedModule {
public:
    // Loads `path`; `name` is the module's name in panel configurations.
    static std::unique_ptr<LoadedModule> load(const std::string& path, const std::string& name,
                                              PANELS* table, std::string* error);
    // A module linked into the host program itself (tests): the same records,
    // reached directly instead of through a library's exports.
    static std::unique_ptr<LoadedModule> attach(const std::string& name, LINKAGE_HEAD* linkage,
                                                IMPORT_TABLE* import_table, PANELS* table,
                                                ResourceSet resources, std::string* error);
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    const std::string& name() const { return name_; }
    const std::string& path() const { return path_; }
    const LINKAGE_HEAD& linkage() const { return *linkage_; }
    const std::vector<GAUGEHDR*>& gauges() const { return gauges_; }
    GAUGEHDR* find_gauge(const std::string& gauge_name) const;

    // The value handed to gauges at install as the module's resource handle.
    uintptr_t resource_handle() const { return resource_handle_; }
    const ResourceSet& resources() const { return resources_; }

private:
    LoadedModule() = default;
    bool start(PANELS* table, ResourceSet resources, std::string* error);

    std::string name_, path_;
    void* library_ = nullptr;
    LINKAGE_HEAD* linkage_ = nullptr;
    IMPORT_TABLE* import_table_ = nullptr;
    std::vector<GAUGEHDR*> gauges_;
    uintptr_t resource_handle_ = 0;
    ResourceSet resources_;
    bool initialised_ = false;
};

// The file a module name resolves to in a directory: Name.gau on Windows, Name.so elsewhere.
std::string module_file_name(const std::string& name);

}  // namespace host
