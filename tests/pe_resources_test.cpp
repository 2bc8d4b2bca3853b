// The PE resource reader: a small hand-built PE image in both header forms, the
// damaged files it must refuse cleanly, and the resources of the deliverable
// dist/Korvane.gau.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "art/bitmap.h"
#include "art/registry.h"
#include "art/sounds.h"
#include "art/wave.h"
#include "host/pe_resources.h"

namespace {

using host::PeResource;

void put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}
void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

// A minimal PE image with one section ".rsrc" holding a named-type resource
// ("WAVE" 10) and a bitmap (300), both language 1036. The resource bytes end
// the file, so any truncation cuts something the reader needs.
struct TinyPe {
    static constexpr size_t PE = 0x40;
    static constexpr size_t RAW = 0x200;  // section raw data in the file
    static constexpr uint32_t VA = 0x1000;
    // Offsets inside the resource section.
    static constexpr size_t ROOT = 0, WAVE_DIR = 32, WAVE_LANG = 56, BMP_DIR = 80, BMP_LANG = 104;
    static constexpr size_t WAVE_DATA_ENTRY = 128, BMP_DATA_ENTRY = 144, WAVE_NAME = 160;
    static constexpr size_t WAVE_BYTES = 172, BMP_BYTES = 178, END = 188;

    bool plus;
    std::vector<uint8_t> bytes;
    size_t optional_at() const { return PE + 24; }
    size_t sections_at() const { return optional_at() + (plus ? 240 : 224); }
    size_t resource_directory_entry() const { return optional_at() + (plus ? 112 : 96) + 16; }

    explicit TinyPe(bool pe32_plus) : plus(pe32_plus), bytes(RAW + END, 0) {
        bytes[0] = 'M';
        bytes[1] = 'Z';
        put32(bytes, 0x3C, PE);
        std::memcpy(&bytes[PE], "PE\0\0", 4);
        put16(bytes, PE + 4, plus ? 0x8664 : 0x14C);
        put16(bytes, PE + 6, 1);
        put16(bytes, PE + 20, uint16_t(plus ? 240 : 224));
        put16(bytes, optional_at(), plus ? 0x20B : 0x10B);
        put32(bytes, optional_at() + (plus ? 108 : 92), 16);
        put32(bytes, resource_directory_entry(), VA);
        put32(bytes, resource_directory_entry() + 4, END);
        size_t s = sections_at();
        std::memcpy(&bytes[s], ".rsrc", 5);
        put32(bytes, s + 8, END);
        put32(bytes, s + 12, VA);
        put32(bytes, s + 16, END);
        put32(bytes, s + 20, RAW);

        directory(ROOT, 1, 1);
        entry(ROOT, 0, 0x80000000u | WAVE_NAME, 0x80000000u | WAVE_DIR);
        entry(ROOT, 1, host::PE_RT_BITMAP, 0x80000000u | BMP_DIR);
        directory(WAVE_DIR, 0, 1);
        entry(WAVE_DIR, 0, 10, 0x80000000u | WAVE_LANG);
        directory(WAVE_LANG, 0, 1);
        entry(WAVE_LANG, 0, 1036, WAVE_DATA_ENTRY);
        directory(BMP_DIR, 0, 1);
        entry(BMP_DIR, 0, 300, 0x80000000u | BMP_LANG);
        directory(BMP_LANG, 0, 1);
        entry(BMP_LANG, 0, 1036, BMP_DATA_ENTRY);
        put32(bytes, RAW + WAVE_DATA_ENTRY, VA + WAVE_BYTES);
        put32(bytes, RAW + WAVE_DATA_ENTRY + 4, 6);
        put32(bytes, RAW + BMP_DATA_ENTRY, VA + BMP_BYTES);
        put32(bytes, RAW + BMP_DATA_ENTRY + 4, 10);
        put16(bytes, RAW + WAVE_NAME, 4);
        for (int i = 0; i < 4; ++i) put16(bytes, RAW + WAVE_NAME + 2 + size_t(i) * 2, uint16_t("WAVE"[i]));
        for (size_t i = 0; i < 6; ++i) bytes[RAW + WAVE_BYTES + i] = uint8_t(0xA0 + i);
        for (size_t i = 0; i < 10; ++i) bytes[RAW + BMP_BYTES + i] = uint8_t(0xB0 + i);
    }
    void directory(size_t at, uint16_t named, uint16_t ids) {
        put16(bytes, RAW + at + 12, named);
        put16(bytes, RAW + at + 14, ids);
    }
    void entry(size_t dir, size_t i, uint32_t name, uint32_t target) {
        put32(bytes, RAW + dir + 16 + i * 8, name);
        put32(bytes, RAW + dir + 16 + i * 8 + 4, target);
    }
};

TEST(PeResources, ReadsTypesIdsLanguagesAndBytesOfBothHeaderForms) {
    for (bool plus : {false, true}) {
        SCOPED_TRACE(plus ? "PE32+" : "PE32");
        TinyPe pe(plus);
        std::string error;
        auto list = host::read_pe_resources(pe.bytes, &error);
        ASSERT_TRUE(list) << error;
        ASSERT_EQ(list->size(), 2u);
        const PeResource* wave = host::find_pe_resource(*list, "WAVE", 10, 1036);
        ASSERT_NE(wave, nullptr);
        EXPECT_EQ(wave->type_id, 0u);
        EXPECT_EQ(wave->bytes, (std::vector<uint8_t>{0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5}));
        const PeResource* bitmap = host::find_pe_resource(*list, "BITMAP", 300, 1036);
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(bitmap->type_id, host::PE_RT_BITMAP);
        ASSERT_EQ(bitmap->bytes.size(), 10u);
        EXPECT_EQ(bitmap->bytes.front(), 0xB0);
        EXPECT_EQ(host::find_pe_resource(*list, "BITMAP", 300, 1033), nullptr);
    }
}

TEST(PeResources, FileWithoutResourceDirectoryHasNoResources) {
    TinyPe pe(false);
    put32(pe.bytes, pe.resource_directory_entry(), 0);
    put32(pe.bytes, pe.resource_directory_entry() + 4, 0);
    std::string error;
    auto list = host::read_pe_resources(pe.bytes, &error);
    ASSERT_TRUE(list) << error;
    EXPECT_TRUE(list->empty());
}

TEST(PeResources, EveryTruncationIsRefusedWithAReason) {
    for (bool plus : {false, true}) {
        TinyPe pe(plus);
        for (size_t n = 0; n < pe.bytes.size(); ++n) {
            std::vector<uint8_t> cut(pe.bytes.begin(), pe.bytes.begin() + long(n));
            std::string error;
            auto list = host::read_pe_resources(cut, &error);
            EXPECT_FALSE(list) << "truncated to " << n << " bytes";
            EXPECT_FALSE(error.empty()) << "truncated to " << n << " bytes";
        }
    }
}

TEST(PeResources, DamagedHeadersAndDirectoriesAreRefusedWithAReason) {
    using Damage = std::function<void(TinyPe&)>;
    const std::vector<std::pair<const char*, Damage>> cases = {
        {"no MZ", [](TinyPe& p) { p.bytes[0] = 'X'; }},
        {"PE header beyond the file", [](TinyPe& p) { put32(p.bytes, 0x3C, 0xFFFFFFF0u); }},
        {"no PE signature", [](TinyPe& p) { p.bytes[TinyPe::PE] = 'Q'; }},
        {"unknown optional header", [](TinyPe& p) { put16(p.bytes, p.optional_at(), 0x777); }},
        {"optional header larger than the file", [](TinyPe& p) { put16(p.bytes, TinyPe::PE + 20, 0xFFFF); }},
        {"optional header too small for the directories", [](TinyPe& p) { put16(p.bytes, TinyPe::PE + 20, 64); }},
        {"too many sections", [](TinyPe& p) { put16(p.bytes, TinyPe::PE + 6, 0xFFFF); }},
        {"resource directory outside every section",
         [](TinyPe& p) { put32(p.bytes, p.resource_directory_entry(), 0x9000); }},
        {"section raw data beyond the file", [](TinyPe& p) { put32(p.bytes, p.sections_at() + 20, 0x7FFFFFF0u); }},
        {"directory with 65535 + 65535 entries", [](TinyPe& p) { p.directory(TinyPe::ROOT, 0xFFFF, 0xFFFF); }},
        {"subdirectory outside the section",
         [](TinyPe& p) { p.entry(TinyPe::ROOT, 1, host::PE_RT_BITMAP, 0x80000000u | 0x7FFFFFF0u); }},
        {"type pointing back at the root: nesting without end",
         [](TinyPe& p) { p.entry(TinyPe::ROOT, 1, host::PE_RT_BITMAP, 0x80000000u | TinyPe::ROOT); }},
        {"data entry where a type directory belongs",
         [](TinyPe& p) { p.entry(TinyPe::ROOT, 1, host::PE_RT_BITMAP, TinyPe::BMP_DATA_ENTRY); }},
        {"name offset outside the section", [](TinyPe& p) {
             p.entry(TinyPe::ROOT, 0, 0x80000000u | 0x7FFFFFF0u, 0x80000000u | TinyPe::WAVE_DIR);
         }},
        {"name length past the section", [](TinyPe& p) { put16(p.bytes, TinyPe::RAW + TinyPe::WAVE_NAME, 0xFFFF); }},
        {"data entry outside the section",
         [](TinyPe& p) { p.entry(TinyPe::BMP_LANG, 0, 1036, 0x7FFFFFF0u); }},
        {"data size beyond the file",
         [](TinyPe& p) { put32(p.bytes, TinyPe::RAW + TinyPe::BMP_DATA_ENTRY + 4, 0xFFFFFFFFu); }},
        {"data address below the section",
         [](TinyPe& p) { put32(p.bytes, TinyPe::RAW + TinyPe::BMP_DATA_ENTRY, 0x10); }},
        {"language that is not a number",
         [](TinyPe& p) { p.entry(TinyPe::BMP_LANG, 0, 0x80000000u | TinyPe::WAVE_NAME, TinyPe::BMP_DATA_ENTRY); }},
    };
    for (bool plus : {false, true}) {
        for (const auto& [what, damage] : cases) {
            TinyPe pe(plus);
            damage(pe);
            std::string error;
            auto list = host::read_pe_resources(pe.bytes, &error);
            EXPECT_FALSE(list) << what << (plus ? " (PE32+)" : " (PE32)");
            EXPECT_FALSE(error.empty()) << what;
        }
    }
}

TEST(PeResources, MissingFileIsAnError) {
    std::string error;
    EXPECT_FALSE(host::read_pe_resources_file("/nonexistent/Korvane.gau", &error));
    EXPECT_NE(error.find("/nonexistent/Korvane.gau"), std::string::npos);
}

// ---- the deliverable ---------------------------------------------------------------------

constexpr uint16_t KORVANE_LANGUAGE = 1036;

// `make test` builds dist/ first; KORVANE_GAU names another module file to check.
std::string deliverable_path() {
    const char* other = std::getenv("KORVANE_GAU");
    return other != nullptr && *other != '\0' ? other : SOURCE_DIR "/dist/Korvane.gau";
}

class KorvaneDeliverable : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string error;
        auto list = host::read_pe_resources_file(deliverable_path(), &error);
        if (list) resources_ = new std::vector<PeResource>(std::move(*list));
        else load_error_ = new std::string(error);
    }
    static void TearDownTestSuite() {
        delete resources_;
        delete load_error_;
        resources_ = nullptr;
        load_error_ = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(resources_, nullptr) << "cannot read the module's resources: " << *load_error_
                                       << " (run `make dist`)";
    }
    static std::vector<PeResource>* resources_;
    static std::string* load_error_;
};
std::vector<PeResource>* KorvaneDeliverable::resources_ = nullptr;
std::string* KorvaneDeliverable::load_error_ = nullptr;

TEST_F(KorvaneDeliverable, CarriesEveryDrawnBitmapAtItsSizeUnderLanguage1036) {
    int checked = 0;
    for (const art::ArtEntry& row : art::art_registry()) {
        if (std::string(row.module) != "Korvane") continue;
        SCOPED_TRACE("bitmap " + std::to_string(row.id));
        const PeResource* r = host::find_pe_resource(*resources_, "BITMAP", uint32_t(row.id), KORVANE_LANGUAGE);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->type_id, host::PE_RT_BITMAP);
        int bits = row.depth == art::Depth::Rgb24 ? 24 : 8;
        size_t stride = ((size_t(row.width) * size_t(bits) + 31) / 32) * 4;
        size_t palette = bits == 8 ? 256 * 4 : 0;
        EXPECT_EQ(r->bytes.size(), 40 + palette + stride * size_t(row.height));
        std::string error;
        auto dib = art::decode_bmp(r->bytes, &error);
        ASSERT_TRUE(dib) << error;
        EXPECT_EQ(dib->width, row.width);
        EXPECT_EQ(dib->height, row.height);
        EXPECT_EQ(dib->bits, bits);
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

TEST_F(KorvaneDeliverable, CarriesTheThreeWaveSoundsWhole) {
    for (const art::SoundFile& sound : art::korvane_sounds()) {
        SCOPED_TRACE("WAVE " + std::to_string(sound.id));
        const PeResource* r = host::find_pe_resource(*resources_, "WAVE", uint32_t(sound.id), KORVANE_LANGUAGE);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->type_id, 0u);  // a named type, not a number
        EXPECT_EQ(r->bytes.size(), sound.bytes.size());
        std::string error;
        auto riff = art::riff_chunks(r->bytes, &error);
        ASSERT_TRUE(riff) << error;
        EXPECT_EQ(riff->form, "WAVE");
    }
}

TEST_F(KorvaneDeliverable, CarriesTheVersionResource) {
    const PeResource* r = host::find_pe_resource(*resources_, "VERSION", 1, KORVANE_LANGUAGE);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->type_id, host::PE_RT_VERSION);
    const std::vector<uint8_t>& b = r->bytes;
    ASSERT_GE(b.size(), 92u);
    EXPECT_EQ(size_t(b[0] | b[1] << 8), b.size());  // the record's own length is the resource's size
    // VS_FIXEDFILEINFO follows the "VS_VERSION_INFO" key: signature, then versions.
    const uint8_t signature[] = {0xBD, 0x04, 0xEF, 0xFE};
    auto at = std::search(b.begin(), b.end(), std::begin(signature), std::end(signature));
    ASSERT_NE(at, b.end());
    size_t fixed = size_t(at - b.begin());
    ASSERT_GE(b.size(), fixed + 24);
    auto u32 = [&](size_t i) { return uint32_t(b[i] | b[i + 1] << 8 | b[i + 2] << 16 | uint32_t(b[i + 3]) << 24); };
    EXPECT_EQ(u32(fixed + 8), 0x00010000u);   // file version 1.0
    EXPECT_EQ(u32(fixed + 12), 0x00000000u);  // .0.0
    EXPECT_EQ(u32(fixed + 16), 0x00010000u);  // product version 1.0
    std::u16string wanted = u"Flight Simulator 2004 Gauge";
    std::vector<uint8_t> utf16;
    for (char16_t c : wanted) {
        utf16.push_back(uint8_t(c));
        utf16.push_back(uint8_t(c >> 8));
    }
    EXPECT_NE(std::search(b.begin(), b.end(), utf16.begin(), utf16.end()), b.end());
}

TEST_F(KorvaneDeliverable, EveryResourceUsesLanguage1036) {
    for (const PeResource& r : *resources_)
        EXPECT_EQ(r.language, KORVANE_LANGUAGE) << r.type << " " << r.id << " " << r.name;
}

}  // namespace
