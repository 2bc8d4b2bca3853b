// The host's element-list operations for version-700 gauges, on faults a
// module could make: routines that hand over another gauge's element list, an
// icon value past its images, a bitmap the module lacks, a call outside any
// call into a gauge. A small version-700 module linked into the test supplies
// the faults; the host must report each one and draw nothing it cannot draw.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host.h"
#include "host/legacy_gauges.h"
#include "host/legacy_records.h"

namespace {

double g_icon_value = 0.0;
IMPORT_TABLE legacy_imports = {{IMPORT_TABLE_PANELS_ID, nullptr}, {0, nullptr}};
PANELS* table() { return legacy_imports.panels.table; }

double FSAPI own_icon(LEGACY_ICON*) { return g_icon_value; }

extern GAUGEHDR own_gauge;
LEGACY_ICON own_icon_element = {
    {ELEMENT_ICON, 600, {0, 0}, {0, 0}, {0, 0}, &own_gauge, nullptr, nullptr, nullptr, 0x3, 0, 0},
    {0, nullptr, 0, {0.0}, {0.0}}, LEGACY_ICON_MODE_SELECT, 2, own_icon, 0.0, 0, nullptr, nullptr, 0,
};
ELEMENT_HEADER* own_after_plate[] = {&own_icon_element.header, nullptr};
LEGACY_STATIC_IMAGE own_plate = {
    {ELEMENT_STATIC_IMAGE, 500, {0, 0}, {0, 0}, {0, 0}, &own_gauge, nullptr, own_after_plate,
     nullptr, 0x1, 0, 0},
    {}, nullptr, {},
};
ELEMENT_HEADER* own_elements[] = {&own_plate.header, nullptr};

// Routines that hand over the first element of `List`.
template <ELEMENT_HEADER** List>
struct Routines {
    static void FSAPI query() { table()->element_list_query(List[0]); }
    static void FSAPI install(uintptr_t handle) { table()->element_list_install(List[0], handle); }
    static void FSAPI initialize() { table()->element_list_initialize(List[0]); }
    static void FSAPI update() { table()->element_list_update(List[0]); }
    static void FSAPI generate(uint32_t phase) { table()->element_list_generate(List[0], phase); }
    static void FSAPI draw() { table()->element_list_plot(List[0]); }
    static void FSAPI kill() { table()->element_list_kill(List[0]); }
};

MOUSERECT whole_gauge[] = {
    {MOUSE_RECT_PARENT, {0, 0, 0, 0}, CURSOR_NONE, 0, 0, 0, {nullptr}, {nullptr}},
    {MOUSE_RECT_END_PARENT, {0, 0, 0, 0}, CURSOR_NONE, 0, 0, 0, {nullptr}, {nullptr}},
    {MOUSE_RECT_EOL, {0, 0, 0, 0}, CURSOR_NONE, 0, 0, 0, {nullptr}, {nullptr}},
};

// A version-700 header whose routines hand over Own's element list.
GAUGEHDR legacy_header(const char* name, ELEMENT_HEADER** elements) {
    using R = Routines<own_elements>;
    GAUGEHDR h{};
    h.gauge_header_version = GAUGE_HEADER_VERSION_700;
    h.gauge_name = name;
    h.elements_list = elements;
    GAUGEHDR_700* routines = reinterpret_cast<GAUGEHDR_700*>(&h);
    routines->query_routine = R::query;
    routines->install_routine = R::install;
    routines->initialize_routine = R::initialize;
    routines->update_routine = R::update;
    routines->generate_routine = R::generate;
    routines->draw_routine = R::draw;
    routines->kill_routine = R::kill;
    h.size_x_mm = 20;
    h.mouse_rect = whole_gauge;
    return h;
}

// The borrower has a chain of its own, but its routines are Own's.
extern GAUGEHDR borrower_gauge;
LEGACY_STATIC_IMAGE borrower_plate = {
    {ELEMENT_STATIC_IMAGE, 500, {0, 0}, {0, 0}, {0, 0}, &borrower_gauge, nullptr, nullptr, nullptr,
     0x1, 0, 0},
    {}, nullptr, {},
};
ELEMENT_HEADER* borrower_chain[] = {&borrower_plate.header, nullptr};

GAUGEHDR own_gauge = legacy_header("Own", own_elements);
GAUGEHDR borrower_gauge = legacy_header("Borrower", borrower_chain);

void FSAPI nothing() {}
LINKAGE<2> legacy_linkage = {{0x13, nothing, nothing, 0, 0, 0}, {&own_gauge, &borrower_gauge, nullptr}};

host::ResourceSet bitmaps(std::vector<uint32_t> ids) {
    host::ResourceSet set;
    for (uint32_t id : ids) set.add(host::Resource{"BITMAP", id, 1033, {0}});
    return set;
}

class LegacyHost : public ::testing::Test {
protected:
    void attach(std::vector<uint32_t> ids) {
        g_icon_value = 0.0;
        std::string error;
        ASSERT_NE(host_.attach_module("Legacy", &legacy_linkage.head, &legacy_imports,
                                      bitmaps(std::move(ids)), &error),
                  nullptr)
            << error;
    }
    host::GaugeInstance* add(const char* gauge) {
        std::string error;
        host::GaugeInstance* g = host_.add_gauge("Legacy", gauge, host::GaugeLine{}, 0, &error);
        EXPECT_NE(g, nullptr) << error;
        return g;
    }
    bool reported(const std::string& text) const {
        for (const std::string& p : host_.problems())
            if (p.find(text) != std::string::npos) return true;
        return false;
    }

    host::Host host_;
};

TEST_F(LegacyHost, AnotherGaugesElementListIsReportedForEveryOperation) {
    attach({500, 600, 601});
    host::GaugeInstance* g = add("Borrower");
    host_.install_all();
    host_.frame();
    for (const char* op : {"element_list_query", "element_list_install", "element_list_initialize",
                           "element_list_update", "element_list_generate", "element_list_plot"})
        EXPECT_TRUE(reported(std::string("Borrower: ") + op +
                             " handed an element list that is not this gauge's (it belongs to Own)"))
            << op;
    // What it handed over is what was served: Own's bitmaps, drawn for the borrower.
    EXPECT_EQ(host::legacy_state(*g)->bitmaps, (std::vector<int32_t>{500, 600, 601}));
}

TEST_F(LegacyHost, IconValuePastItsImagesDrawsNothingAndIsReportedOnce) {
    attach({500, 600, 601});
    host::GaugeInstance* g = add("Own");
    host_.install_all();
    g_icon_value = 1.0;
    host_.frame();
    EXPECT_EQ(host::legacy_state(*g)->drawn, (std::vector<int32_t>{500, 601}));
    for (const std::string& p : host_.problems()) ADD_FAILURE() << p;

    g_icon_value = 2.0;
    host_.frame();
    host_.frame();
    EXPECT_EQ(g->elements[1].icon_index, -1);
    EXPECT_EQ(host::legacy_state(*g)->drawn, (std::vector<int32_t>{500}));
    ASSERT_EQ(host_.problems().size(), 1u);
    EXPECT_TRUE(reported("Own: element 2 (icon, bitmap 600): value 2"));

    g_icon_value = -1.0;  // no image, as the callbacks ask for it
    host_.frame();
    EXPECT_EQ(host::legacy_state(*g)->drawn, (std::vector<int32_t>{500}));
    EXPECT_EQ(host_.problems().size(), 1u);
}

TEST_F(LegacyHost, BitmapTheModuleLacksIsReportedAtInstall) {
    attach({500, 600});
    host::GaugeInstance* g = add("Own");
    host_.install_all();
    EXPECT_TRUE(reported("Own: element 2 (icon, bitmap 600): bitmap 601 is not among the module's resources"));
    EXPECT_EQ(host::legacy_state(*g)->bitmaps, (std::vector<int32_t>{500, 600}));
    host_.remove_all();
    EXPECT_EQ(host::legacy_bitmaps_in_use(), 0u);
}

TEST_F(LegacyHost, ElementListCallOutsideAGaugeIsRefused) {
    attach({500, 600, 601});
    add("Own");
    host_.install_all();
    EXPECT_EQ(table()->element_list_update(own_elements[0]), 1u);
    EXPECT_TRUE(reported("element_list_update called outside a call into a gauge"));
    EXPECT_EQ(table()->element_list_update(nullptr), 1u);
}

}  // namespace
