#include "host/pe_resources.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace host {

namespace {

constexpr uint16_t PE32_MAGIC = 0x10B;
constexpr uint16_t PE32_PLUS_MAGIC = 0x20B;
constexpr uint32_t RESOURCE_DIRECTORY_INDEX = 2;
constexpr uint32_t SUBDIRECTORY_BIT = 0x80000000u;
constexpr uint32_t NAMED_ENTRY_BIT = 0x80000000u;
constexpr size_t SECTION_HEADER_SIZE = 40;
constexpr size_t DIRECTORY_HEADER_SIZE = 16;
constexpr size_t DIRECTORY_ENTRY_SIZE = 8;
constexpr size_t DATA_ENTRY_SIZE = 16;
// More entries than any module carries; stops a directory whose entries point
// back at shared subdirectories from multiplying without end.
constexpr size_t MAX_ENTRIES_VISITED = 1u << 16;

struct Bytes {
    std::span<const uint8_t> data;

    bool has(size_t offset, size_t size) const {
        return offset <= data.size() && size <= data.size() - offset;
    }
    uint16_t u16(size_t at) const { return uint16_t(data[at] | data[at + 1] << 8); }
    uint32_t u32(size_t at) const {
        return uint32_t(data[at]) | uint32_t(data[at + 1]) << 8 | uint32_t(data[at + 2]) << 16 |
               uint32_t(data[at + 3]) << 24;
    }
};

struct Section {
    uint32_t virtual_address;
    uint32_t virtual_size;
    uint32_t raw_size;
    uint32_t raw_offset;
};

struct Reader {
    Bytes file;
    std::vector<Section> sections;
    Bytes tree;  // the resource section from the directory root on
    size_t visited = 0;
    std::string error;

    // The section whose raw data holds `size` bytes at `rva`, or null.
    const Section* section_of(uint32_t rva, uint32_t size) const {
        for (const Section& s : sections) {
            if (rva < s.virtual_address) continue;
            uint64_t inside = uint64_t(rva) - s.virtual_address;
            if (inside + size <= s.raw_size) return &s;
        }
        return nullptr;
    }

    // File offset of `size` bytes at `rva`, when they lie in a section's raw data
    // inside the file.
    std::optional<size_t> file_offset(uint32_t rva, uint32_t size) const {
        const Section* s = section_of(rva, size);
        if (s == nullptr) return std::nullopt;
        uint64_t offset = uint64_t(s->raw_offset) + (rva - s->virtual_address);
        if (offset > SIZE_MAX || !file.has(size_t(offset), size)) return std::nullopt;
        return size_t(offset);
    }

    bool fail(std::string why) {
        if (error.empty()) error = std::move(why);
        return false;
    }

    std::string entry_name(uint32_t offset) {
        if (!tree.has(offset, 2)) {
            fail("resource name lies outside the resource section");
            return {};
        }
        uint16_t length = tree.u16(offset);
        if (!tree.has(offset + 2, size_t(length) * 2)) {
            fail("resource name runs past the resource section");
            return {};
        }
        std::string name;
        for (uint16_t i = 0; i < length; ++i) {
            uint16_t c = tree.u16(offset + 2 + size_t(i) * 2);
            name.push_back(c < 0x80 ? char(c) : '?');
        }
        return name;
    }

    struct Key {
        uint32_t number = 0;
        std::string name;
    };

    // Walks one directory; level 0 types, 1 names, 2 languages.
    bool walk(uint32_t dir_offset, int level, Key type, Key id, std::vector<PeResource>& out) {
        if (!tree.has(dir_offset, DIRECTORY_HEADER_SIZE))
            return fail("resource directory lies outside the resource section");
        size_t count = size_t(tree.u16(dir_offset + 12)) + tree.u16(dir_offset + 14);
        size_t first = dir_offset + DIRECTORY_HEADER_SIZE;
        if (!tree.has(first, count * DIRECTORY_ENTRY_SIZE))
            return fail("resource directory entries run past the resource section");
        for (size_t i = 0; i < count; ++i) {
            if (++visited > MAX_ENTRIES_VISITED) return fail("resource directory has too many entries");
            size_t at = first + i * DIRECTORY_ENTRY_SIZE;
            uint32_t name_field = tree.u32(at);
            uint32_t target = tree.u32(at + 4);
            Key key;
            if (name_field & NAMED_ENTRY_BIT) {
                key.name = entry_name(name_field & ~NAMED_ENTRY_BIT);
                if (!error.empty()) return false;
            } else {
                key.number = name_field;
            }
            bool is_directory = (target & SUBDIRECTORY_BIT) != 0;
            if (level < 2) {
                if (!is_directory) return fail("resource directory is missing a level");
                bool ok = level == 0 ? walk(target & ~SUBDIRECTORY_BIT, 1, key, {}, out)
                                     : walk(target & ~SUBDIRECTORY_BIT, 2, type, key, out);
                if (!ok) return false;
                continue;
            }
            if (is_directory) return fail("resource directory is nested too deep");
            if (!key.name.empty() || key.number > 0xFFFF)
                return fail("resource language is not a 16-bit number");
            if (!data_entry(target, type, id, uint16_t(key.number), out)) return false;
        }
        return true;
    }

    bool data_entry(uint32_t offset, const Key& type, const Key& id, uint16_t language,
                    std::vector<PeResource>& out) {
        if (!tree.has(offset, DATA_ENTRY_SIZE))
            return fail("resource data entry lies outside the resource section");
        uint32_t rva = tree.u32(offset);
        uint32_t size = tree.u32(offset + 4);
        std::optional<size_t> at = file_offset(rva, size);
        if (!at) return fail("resource data lies outside the file");
        PeResource r;
        r.type_id = type.number;
        r.type = type.name.empty() ? type_name(type.number) : type.name;
        r.id = id.number;
        r.name = id.name;
        r.language = language;
        r.bytes.assign(file.data.begin() + long(*at), file.data.begin() + long(*at + size));
        out.push_back(std::move(r));
        return true;
    }

    static std::string type_name(uint32_t number) {
        switch (number) {
            case 1: return "CURSOR";
            case PE_RT_BITMAP: return "BITMAP";
            case 3: return "ICON";
            case 4: return "MENU";
            case 5: return "DIALOG";
            case 6: return "STRING";
            case 10: return "RCDATA";
            case 12: return "GROUP_CURSOR";
            case 14: return "GROUP_ICON";
            case PE_RT_VERSION: return "VERSION";
            case 24: return "MANIFEST";
            default: return "#" + std::to_string(number);
        }
    }
};

}  // namespace

std::optional<std::vector<PeResource>> read_pe_resources(std::span<const uint8_t> data,
                                                         std::string* error) {
    Reader r{Bytes{data}, {}, {}, 0, {}};
    auto failed = [&](const std::string& why) -> std::optional<std::vector<PeResource>> {
        if (error) *error = why;
        return std::nullopt;
    };
    const Bytes& f = r.file;
    if (!f.has(0, 0x40) || f.data[0] != 'M' || f.data[1] != 'Z') return failed("not a PE file (no MZ header)");
    size_t pe = f.u32(0x3C);
    if (!f.has(pe, 24) || f.data[pe] != 'P' || f.data[pe + 1] != 'E' || f.data[pe + 2] != 0 ||
        f.data[pe + 3] != 0)
        return failed("not a PE file (no PE signature)");
    size_t section_count = f.u16(pe + 6);
    size_t optional_size = f.u16(pe + 20);
    size_t optional = pe + 24;
    if (!f.has(optional, optional_size) || optional_size < 2) return failed("PE optional header is truncated");
    uint16_t magic = f.u16(optional);
    size_t count_at, directories_at;
    if (magic == PE32_MAGIC) {
        count_at = 92;
        directories_at = 96;
    } else if (magic == PE32_PLUS_MAGIC) {
        count_at = 108;
        directories_at = 112;
    } else {
        return failed("unknown PE optional header kind");
    }
    if (count_at + 4 > optional_size) return failed("PE optional header is truncated");
    uint32_t directory_count = f.u32(optional + count_at);
    size_t resource_entry = directories_at + RESOURCE_DIRECTORY_INDEX * 8;
    if (directory_count <= RESOURCE_DIRECTORY_INDEX) return std::vector<PeResource>{};
    if (resource_entry + 8 > optional_size) return failed("PE data directories are truncated");
    uint32_t resource_rva = f.u32(optional + resource_entry);
    uint32_t resource_size = f.u32(optional + resource_entry + 4);

    size_t sections_at = optional + optional_size;
    if (!f.has(sections_at, section_count * SECTION_HEADER_SIZE)) return failed("PE section table is truncated");
    for (size_t i = 0; i < section_count; ++i) {
        size_t s = sections_at + i * SECTION_HEADER_SIZE;
        r.sections.push_back({f.u32(s + 12), f.u32(s + 8), f.u32(s + 16), f.u32(s + 20)});
    }
    if (resource_rva == 0 && resource_size == 0) return std::vector<PeResource>{};

    // The directory tree spans the rest of the section that holds its root.
    std::optional<size_t> root = r.file_offset(resource_rva, DIRECTORY_HEADER_SIZE);
    if (!root) return failed("resource directory lies outside the file");
    const Section* home = r.section_of(resource_rva, DIRECTORY_HEADER_SIZE);
    uint64_t section_end = uint64_t(home->raw_offset) + home->raw_size;
    size_t tree_end = size_t(std::min<uint64_t>(section_end, data.size()));
    r.tree = Bytes{data.subspan(*root, tree_end - *root)};

    std::vector<PeResource> out;
    if (!r.walk(0, 0, {}, {}, out)) return failed(r.error);
    return out;
}

std::optional<std::vector<PeResource>> read_pe_resources_file(const std::string& path,
                                                              std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error) *error = "cannot read " + path;
        return std::nullopt;
    }
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    return read_pe_resources(bytes, error);
}

const PeResource* find_pe_resource(const std::vector<PeResource>& resources,
                                   const std::string& type, uint32_t id, uint16_t language) {
    for (const PeResource& r : resources)
        if (r.type == type && r.id == id && r.name.empty() && r.language == language) return &r;
    return nullptr;
}

}  // namespace host
