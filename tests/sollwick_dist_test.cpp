// The deliverable dist/Sollwick.gau as the simulator receives it: an i386 DLL
// that exports exactly Linkage and ImportTable, imports only system DLLs and
// carries the ten magneto bitmaps (35 × 135, 8-bit palette) under language 1033.
// 32-bit code cannot run here, so the file is read, not loaded.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "host/pe_resources.h"
#include "host/resources.h"

namespace {

// `make test` builds dist/ first; SOLLWICK_GAU names another module file to check.
std::string deliverable_path() {
    const char* other = std::getenv("SOLLWICK_GAU");
    return other != nullptr && *other != '\0' ? other : SOURCE_DIR "/dist/Sollwick.gau";
}

// ---- just enough of the PE format: headers, sections, export and import names ----

struct PeFile {
    std::vector<uint8_t> bytes;
    uint16_t machine = 0;
    uint16_t characteristics = 0;
    uint16_t optional_magic = 0;
    std::vector<std::string> exports;
    std::vector<std::string> imports;
};

class Reader {
public:
    explicit Reader(const std::vector<uint8_t>& b) : b_(b) {}
    std::optional<uint32_t> u32(size_t at) const {
        if (at > b_.size() || b_.size() - at < 4) return std::nullopt;
        return uint32_t(b_[at]) | uint32_t(b_[at + 1]) << 8 | uint32_t(b_[at + 2]) << 16 |
               uint32_t(b_[at + 3]) << 24;
    }
    std::optional<uint16_t> u16(size_t at) const {
        if (at > b_.size() || b_.size() - at < 2) return std::nullopt;
        return uint16_t(b_[at] | b_[at + 1] << 8);
    }
    std::optional<std::string> text(size_t at) const {
        std::string s;
        for (size_t i = at; i < b_.size() && s.size() < 256; ++i) {
            if (b_[i] == 0) return s;
            s.push_back(char(b_[i]));
        }
        return std::nullopt;
    }

private:
    const std::vector<uint8_t>& b_;
};

struct Section {
    uint32_t rva, size, file_offset;
};

std::optional<PeFile> read_pe(const std::string& path, std::string* error) {
    auto bytes = host::read_file(path);
    if (!bytes) {
        *error = "cannot read " + path + " (run `make dist`)";
        return std::nullopt;
    }
    PeFile pe;
    pe.bytes = std::move(*bytes);
    Reader r(pe.bytes);
    auto fail = [&](const char* what) {
        *error = path + ": " + what;
        return std::nullopt;
    };
    auto pe_at = r.u32(0x3C);
    if (!pe_at || r.u32(*pe_at) != 0x00004550u) return fail("no PE signature");
    size_t coff = *pe_at + 4;
    auto machine = r.u16(coff), nsections = r.u16(coff + 2), opt_size = r.u16(coff + 16),
         characteristics = r.u16(coff + 18);
    if (!machine || !nsections || !opt_size || !characteristics) return fail("short COFF header");
    pe.machine = *machine;
    pe.characteristics = *characteristics;
    size_t opt = coff + 20;
    auto magic = r.u16(opt);
    if (!magic) return fail("no optional header");
    pe.optional_magic = *magic;
    if (*magic != 0x10B) return pe;  // only PE32 is read further
    auto dir_count = r.u32(opt + 92);
    if (!dir_count || *dir_count < 2) return fail("no export and import directories");

    std::vector<Section> sections;
    size_t table = opt + *opt_size;
    for (size_t i = 0; i < *nsections && i < 96; ++i) {
        auto vsize = r.u32(table + 40 * i + 8), rva = r.u32(table + 40 * i + 12),
             raw = r.u32(table + 40 * i + 20);
        if (!vsize || !rva || !raw) return fail("short section table");
        sections.push_back({*rva, *vsize, *raw});
    }
    auto offset_of = [&](uint32_t rva) -> std::optional<size_t> {
        for (const Section& s : sections)
            if (rva >= s.rva && rva - s.rva < s.size) return size_t(s.file_offset) + (rva - s.rva);
        return std::nullopt;
    };

    auto export_rva = r.u32(opt + 96);
    if (export_rva && *export_rva != 0) {
        auto dir = offset_of(*export_rva);
        if (!dir) return fail("export directory outside the sections");
        auto count = r.u32(*dir + 24), names = r.u32(*dir + 32);
        if (!count || !names || *count > 1000) return fail("bad export directory");
        for (uint32_t i = 0; i < *count; ++i) {
            auto at = offset_of(*names + 4 * i);
            auto name_rva = at ? r.u32(*at) : std::nullopt;
            auto name_at = name_rva ? offset_of(*name_rva) : std::nullopt;
            auto name = name_at ? r.text(*name_at) : std::nullopt;
            if (!name) return fail("bad export name");
            pe.exports.push_back(*name);
        }
    }
    auto import_rva = r.u32(opt + 104);
    if (import_rva && *import_rva != 0) {
        auto dir = offset_of(*import_rva);
        if (!dir) return fail("import directory outside the sections");
        for (size_t i = 0; i < 100; ++i) {
            auto name_rva = r.u32(*dir + 20 * i + 12), first = r.u32(*dir + 20 * i);
            if (!name_rva || !first) return fail("short import directory");
            if (*name_rva == 0 && *first == 0) break;
            auto name_at = offset_of(*name_rva);
            auto name = name_at ? r.text(*name_at) : std::nullopt;
            if (!name) return fail("bad import name");
            pe.imports.push_back(*name);
        }
    }
    return pe;
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

class SollwickDeliverable : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        auto pe = read_pe(deliverable_path(), &error);
        ASSERT_TRUE(pe) << error;
        pe_ = std::move(*pe);
    }
    PeFile pe_;
};

TEST_F(SollwickDeliverable, IsAn386Dll) {
    EXPECT_EQ(pe_.machine, 0x014Cu);                  // i386
    EXPECT_EQ(pe_.optional_magic, 0x10Bu);            // PE32
    EXPECT_NE(pe_.characteristics & 0x2000u, 0u);     // DLL
    EXPECT_NE(pe_.characteristics & 0x0100u, 0u);     // 32-bit machine
}

TEST_F(SollwickDeliverable, ExportsExactlyLinkageAndImportTable) {
    std::vector<std::string> names = pe_.exports;
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"ImportTable", "Linkage"}));
}

TEST_F(SollwickDeliverable, ImportsOnlySystemDlls) {
    const std::set<std::string> system = {"kernel32.dll", "msvcrt.dll", "user32.dll",
                                          "advapi32.dll", "ntdll.dll"};
    EXPECT_FALSE(pe_.imports.empty());
    for (const std::string& dll : pe_.imports)
        EXPECT_TRUE(system.count(lower(dll))) << dll << " is not a system DLL";
}

TEST_F(SollwickDeliverable, CarriesTheMagnetoBitmapsUnderLanguage1033) {
    std::string error;
    auto resources = host::read_pe_resources(pe_.bytes, &error);
    ASSERT_TRUE(resources) << error;
    const std::vector<uint32_t> ids = {4096, 4352, 4353, 4354, 4355, 4608, 4864, 4865, 4866, 4867};
    size_t bitmaps = 0;
    for (const host::PeResource& r : *resources)
        if (r.type == "BITMAP") ++bitmaps;
    EXPECT_EQ(bitmaps, ids.size());
    for (uint32_t id : ids) {
        SCOPED_TRACE("bitmap " + std::to_string(id));
        const host::PeResource* r = host::find_pe_resource(*resources, "BITMAP", id, 1033);
        ASSERT_NE(r, nullptr);
        Reader dib(r->bytes);
        EXPECT_EQ(dib.u32(0), 40u);   // info header size
        EXPECT_EQ(dib.u32(4), 35u);   // width
        EXPECT_EQ(dib.u32(8), 135u);  // height (bottom-up)
        EXPECT_EQ(dib.u16(14), 8u);   // bits per pixel: palette
        const size_t stride = 36;     // 35 bytes padded to four
        EXPECT_EQ(r->bytes.size(), 40u + 256u * 4u + stride * 135u);
    }
}

}  // namespace
