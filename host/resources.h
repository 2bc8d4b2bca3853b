// The resources a module carries (bitmaps and WAVE sounds by id), as the host
// reads them: from a Windows module file, or on the native build from the
// module's resource script and the files it names.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace host {

// Resource types as the host names them: "BITMAP", "WAVE", "VERSION", ...
struct Resource {
    std::string type;
    uint32_t id = 0;
    uint16_t language = 0;
    std::vector<uint8_t> bytes;  // bitmaps: the DIB (info header, palette, pixels)
};

class ResourceSet {
public:
    void add(Resource r);
    const Resource* find(const std::string& type, uint32_t id) const;
    const std::map<std::pair<std::string, uint32_t>, Resource>& all() const { return items_; }
    bool empty() const { return items_.empty(); }

private:
    std::map<std::pair<std::string, uint32_t>, Resource> items_;
};

// Reads a resource script (`<id> BITMAP "file"`, `<id> WAVE "file"`, `LANGUAGE`
// lines) and the files it names, relative to the script's directory. Bitmap
// files lose their 14-byte file header, as a resource compiler stores them.
std::optional<ResourceSet> read_resource_script(const std::string& path, std::string* error);

// Reads the resource section of a Windows module file (.gau, .dll): the
// numbered resources by type name ("BITMAP", "WAVE", ...) and id, as the host
// finds them in a loaded module. Named resources are left out.
std::optional<ResourceSet> read_pe_resource_set(const std::string& path, std::string* error);

std::optional<std::vector<uint8_t>> read_file(const std::string& path);

}  // namespace host
