#include "host/resources.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "host/pe_resources.h"

namespace host {

void ResourceSet::add(Resource r) {
    auto key = std::make_pair(r.type, r.id);
    items_[key] = std::move(r);
}

const Resource* ResourceSet::find(const std::string& type, uint32_t id) const {
    auto it = items_.find({type, id});
    return it == items_.end() ? nullptr : &it->second;
}

std::optional<std::vector<uint8_t>> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

namespace {

std::string directory_of(const std::string& path) {
    auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// Parses a number the way a resource compiler does: decimal or 0x-hex.
std::optional<long> parse_number(const std::string& s) {
    if (s.empty()) return std::nullopt;
    char* end = nullptr;
    long v = std::strtol(s.c_str(), &end, 0);
    if (*end != '\0') return std::nullopt;
    return v;
}

}  // namespace

std::optional<ResourceSet> read_resource_script(const std::string& path, std::string* error) {
    std::ifstream in(path);
    if (!in) {
        *error = "cannot read resource script " + path;
        return std::nullopt;
    }
    const std::string dir = directory_of(path);
    ResourceSet set;
    uint16_t language = 0;
    std::string line;
    int line_no = 0;
    while (std::getline(in, line)) {
        ++line_no;
        auto comment = line.find("//");
        if (comment != std::string::npos) line.erase(comment);
        std::istringstream words(line);
        std::string first, second;
        if (!(words >> first)) continue;
        if (first == "LANGUAGE") {
            std::string rest;
            std::getline(words, rest);
            unsigned primary = 0, sub = 0;
            if (std::sscanf(rest.c_str(), " %i , %i", &primary, &sub) == 2)
                language = uint16_t((sub << 10) | primary);
            continue;
        }
        if (!(words >> second) || (second != "BITMAP" && second != "WAVE")) continue;
        auto id = parse_number(first);
        std::string rest;
        std::getline(words, rest);
        auto q1 = rest.find('"'), q2 = rest.rfind('"');
        if (!id || *id < 0 || q1 == std::string::npos || q2 == q1) {
            *error = path + ":" + std::to_string(line_no) + ": malformed resource line";
            return std::nullopt;
        }
        std::string file = dir + "/" + rest.substr(q1 + 1, q2 - q1 - 1);
        auto bytes = read_file(file);
        if (!bytes) {
            *error = path + ":" + std::to_string(line_no) + ": cannot read " + file;
            return std::nullopt;
        }
        if (second == "BITMAP") {
            if (bytes->size() < 14 || (*bytes)[0] != 'B' || (*bytes)[1] != 'M') {
                *error = path + ":" + std::to_string(line_no) + ": " + file + " is not a BMP file";
                return std::nullopt;
            }
            bytes->erase(bytes->begin(), bytes->begin() + 14);
        }
        set.add(Resource{second, uint32_t(*id), language, std::move(*bytes)});
    }
    return set;
}

std::optional<ResourceSet> read_pe_resource_set(const std::string& path, std::string* error) {
    auto list = read_pe_resources_file(path, error);
    if (!list) return std::nullopt;
    ResourceSet set;
    for (PeResource& r : *list) {
        if (r.id == 0) continue;  // named resources: none of the host's lookups uses them
        set.add(Resource{r.type, r.id, r.language, std::move(r.bytes)});
    }
    return set;
}

}  // namespace host
