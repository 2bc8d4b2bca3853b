// Sollwick on its own: the library opened as the host opens it, with a
// recording function table in place of the host. Checks what the module hands
// the host (header routines, element-list operations, key events) call by call.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "magneto/sollwick_records.h"

namespace {

enum Op { QUERY, INSTALL, INITIALIZE, UPDATE, GENERATE, PLOT, ERASE, KILL };

struct HostCall {
    Op op;
    ELEMENT_HEADER* element;
    uintptr_t arg;
    bool operator==(const HostCall&) const = default;
};

struct KeySent {
    uint32_t id;
    uint32_t value;
    bool operator==(const KeySent&) const = default;
};

// The host records are 4-byte packed, so their pointer and double fields may sit
// misaligned on 64-bit builds: read them by value, never bind a reference.
template <class T>
T v(T field) {
    return field;
}

std::vector<HostCall> host_calls;
std::vector<KeySent> keys_sent;
std::vector<uint32_t> tokens_looked_up;
uint32_t selector_positions[2] = {0, 0};  // tokens 132 and 167

uint32_t record(Op op, ELEMENT_HEADER* e, uintptr_t arg = 0) {
    host_calls.push_back({op, e, arg});
    return 0x5A00u + op;
}
uint32_t FSAPI fake_query(ELEMENT_HEADER* e) { return record(QUERY, e); }
uint32_t FSAPI fake_install(ELEMENT_HEADER* e, uintptr_t h) { return record(INSTALL, e, h); }
uint32_t FSAPI fake_initialize(ELEMENT_HEADER* e) { return record(INITIALIZE, e); }
uint32_t FSAPI fake_update(ELEMENT_HEADER* e) { return record(UPDATE, e); }
uint32_t FSAPI fake_generate(ELEMENT_HEADER* e, uint32_t p) { return record(GENERATE, e, p); }
uint32_t FSAPI fake_plot(ELEMENT_HEADER* e) { return record(PLOT, e); }
uint32_t FSAPI fake_erase(ELEMENT_HEADER* e) { return record(ERASE, e); }
uint32_t FSAPI fake_kill(ELEMENT_HEADER* e) { return record(KILL, e); }

uint32_t FSAPI fake_trigger_key_event(uint32_t id, uint32_t value) {
    keys_sent.push_back({id, value});
    return 0;
}

void FSAPI fake_lookup_var(MODULE_VAR* var) {
    tokens_looked_up.push_back(var->id);
    std::memset(&var->var_value, 0xEE, sizeof var->var_value);  // stale upper bytes
    if (var->id == 132) var->var_value.u = selector_positions[0];
    if (var->id == 167) var->var_value.u = selector_positions[1];
}

class SollwickModule : public ::testing::Test {
protected:
    void SetUp() override {
        library_ = dlopen(MODULE_DIR "/Sollwick.so", RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library_, nullptr) << dlerror();
        linkage_ = static_cast<LINKAGE*>(dlsym(library_, "Linkage"));
        import_table_ = static_cast<IMPORT_TABLE*>(dlsym(library_, "ImportTable"));
        ASSERT_NE(linkage_, nullptr);
        ASSERT_NE(import_table_, nullptr);
        table_ = PANELS{};
        table_.element_list_query = fake_query;
        table_.element_list_install = fake_install;
        table_.element_list_initialize = fake_initialize;
        table_.element_list_update = fake_update;
        table_.element_list_generate = fake_generate;
        table_.element_list_plot = fake_plot;
        table_.element_list_erase = fake_erase;
        table_.element_list_kill = fake_kill;
        table_.trigger_key_event = fake_trigger_key_event;
        table_.lookup_var = fake_lookup_var;
        import_table_->panels.table = &table_;
        host_calls.clear();
        keys_sent.clear();
        tokens_looked_up.clear();
    }
    void TearDown() override {
        if (import_table_ != nullptr) import_table_->panels.table = nullptr;
        if (library_ != nullptr) dlclose(library_);
    }

    GAUGEHDR* gauge(int index) const { return linkage_->gauges[index]; }
    ICON_700* lever(int index) const {
        return reinterpret_cast<ICON_700*>(gauge(index)->elements_list[0]->next_element[0]);
    }
    // Clicks child area `area` (1 lever up, 2 lever down) of a gauge.
    void click(int index, int area) {
        MOUSERECT* rect = &gauge(index)->mouse_rect[area];
        MOUSE_CLICK where{};
        where.gauge = gauge(index);
        where.rect = rect;
        EXPECT_EQ(rect->function(&where, MOUSE_LEFTSINGLE), 0);
    }

    void* library_ = nullptr;
    LINKAGE* linkage_ = nullptr;
    IMPORT_TABLE* import_table_ = nullptr;
    PANELS table_{};
};

TEST_F(SollwickModule, LinkageListsBothGaugesWithOneEmptyRoutineForInitAndDeinit) {
    EXPECT_EQ(linkage_->module_id, 0x13u);
    EXPECT_EQ(linkage_->flags, 0u);
    EXPECT_EQ(linkage_->module_status, 0u);
    EXPECT_EQ(linkage_->module_version, 0u);
    ASSERT_NE(v(linkage_->module_init), nullptr);
    EXPECT_EQ(v(linkage_->module_init), v(linkage_->module_deinit));
    linkage_->module_init();
    linkage_->module_deinit();
    EXPECT_TRUE(host_calls.empty());
    EXPECT_TRUE(keys_sent.empty());

    ASSERT_NE(gauge(0), nullptr);
    ASSERT_NE(gauge(1), nullptr);
    EXPECT_STREQ(gauge(0)->gauge_name, "Magneto 1");
    EXPECT_STREQ(gauge(1)->gauge_name, "Magneto 2");
    EXPECT_EQ(gauge(2), nullptr);
    for (int g = 0; g < 2; ++g) {
        EXPECT_EQ(gauge(g)->gauge_header_version, 700u);
        EXPECT_EQ(gauge(g)->size_x_mm, 100u);
        EXPECT_EQ(gauge(g)->size_y_mm, 0u);
        EXPECT_EQ(v(gauge(g)->gauge_callback), nullptr);
        EXPECT_EQ(gauge(g)->user_data, 0u);
    }
    EXPECT_EQ(import_table_->panels.id, 0x0Fu);
    EXPECT_EQ(import_table_->end.id, 0u);
    EXPECT_EQ(v(import_table_->end.table), nullptr);
}

// Each gauge's routines hand over that gauge's own first element, with the
// install handle and the generation phase unchanged; erase is never used.
TEST_F(SollwickModule, EachGaugesRoutinesForwardItsOwnFirstElement) {
    for (int g = 0; g < 2; ++g) {
        SCOPED_TRACE(gauge(g)->gauge_name);
        host_calls.clear();
        GAUGEHDR* h = gauge(g);
        ELEMENT_HEADER* first = h->elements_list[0];
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(h->elements_list[1], nullptr);
        EXPECT_EQ(v(first->gauge_header), h);

        const uintptr_t handle = static_cast<uintptr_t>(0xC0DE0000u + g);
        const uint32_t phase = 0xFFFFFFFEu - g;
        h->query_routine();
        h->install_routine(handle);
        h->initialize_routine();
        h->update_routine();
        h->generate_routine(phase);
        h->draw_routine();
        h->kill_routine();
        std::vector<HostCall> expected = {
            {QUERY, first, 0},  {INSTALL, first, handle}, {INITIALIZE, first, 0},
            {UPDATE, first, 0}, {GENERATE, first, phase}, {PLOT, first, 0},
            {KILL, first, 0},
        };
        EXPECT_EQ(host_calls, expected);
    }
    EXPECT_NE(v(gauge(0)->update_routine), v(gauge(1)->update_routine));
}

// Both chains: plate (static image, 0x1) then lever (icon of 4 images, 0x3),
// in the older icon layout: mode word 3, scale 0.
TEST_F(SollwickModule, ElementChainsUseTheirOwnBitmapsTokensAndHeaders) {
    struct Row {
        int32_t plate_id, lever_id;
        uint32_t token;
    };
    const Row rows[] = {{4096, 4352, 132}, {4608, 4864, 167}};
    for (int g = 0; g < 2; ++g) {
        SCOPED_TRACE(gauge(g)->gauge_name);
        ELEMENT_HEADER* plate = gauge(g)->elements_list[0];
        EXPECT_EQ(plate->element_type, ELEMENT_STATIC_IMAGE);
        EXPECT_EQ(plate->image_id, rows[g].plate_id);
        EXPECT_EQ(plate->image_flags, 0x1u);
        EXPECT_EQ(v(plate->failure_systems), nullptr);
        ASSERT_NE(v(plate->next_element), nullptr);
        EXPECT_EQ(plate->next_element[1], nullptr);

        ICON_700* icon = lever(g);
        EXPECT_EQ(icon->header.element_type, ELEMENT_ICON);
        EXPECT_EQ(icon->header.image_id, rows[g].lever_id);
        EXPECT_EQ(icon->header.image_flags, 0x3u);
        EXPECT_EQ(v(icon->header.gauge_header), gauge(g));
        EXPECT_EQ(v(icon->header.failure_systems), nullptr);
        EXPECT_EQ(v(icon->header.next_element), nullptr);
        EXPECT_EQ(icon->header.position.x, 0);
        EXPECT_EQ(icon->header.position.y, 0);
        EXPECT_EQ(icon->source.id, rows[g].token);
        EXPECT_EQ(icon->mode, 3u);
        EXPECT_EQ(icon->num_icons, 4);
        EXPECT_EQ(v(icon->scale), 0.0);
        EXPECT_NE(v(icon->update_cb), nullptr);
    }
}

// Position 1 shows M2 (image 2), 2 shows M1 (image 1); 4 and every value above
// show M1+2 (image 3). Both gauges map the same way.
TEST_F(SollwickModule, LeverImageFollowsSelectorPosition) {
    struct Case {
        uint32_t position;
        double image;
    };
    const Case cases[] = {{0, 0.0}, {1, 2.0}, {2, 1.0}, {3, 3.0},
                          {4, 3.0}, {5, 3.0}, {1000, 3.0}, {0xFFFFFFFFu, 3.0}};
    for (int g = 0; g < 2; ++g) {
        ICON_700* icon = lever(g);
        for (const Case& c : cases) {
            std::memset(&icon->source.var_value, 0x7F, sizeof icon->source.var_value);
            icon->source.var_value.u = c.position;
            EXPECT_EQ(icon->update_cb(icon), c.image)
                << gauge(g)->gauge_name << " at position " << c.position;
        }
    }
    EXPECT_TRUE(keys_sent.empty());
}

TEST_F(SollwickModule, MouseAreasAreUpperAndLowerLeverHalves) {
    for (int g = 0; g < 2; ++g) {
        SCOPED_TRACE(gauge(g)->gauge_name);
        const MOUSERECT* r = gauge(g)->mouse_rect;
        EXPECT_EQ(r[0].rect_type, MOUSE_RECT_PARENT);
        EXPECT_EQ(r[0].help_id, 0xA016u);
        EXPECT_EQ(r[0].box.w, 0);
        struct Child {
            int32_t y, cursor;
        };
        const Child children[] = {{0, CURSOR_UPARROW}, {55, CURSOR_DOWNARROW}};
        for (int c = 0; c < 2; ++c) {
            const MOUSERECT& child = r[1 + c];
            EXPECT_EQ(child.rect_type, MOUSE_RECT_CHILD);
            EXPECT_EQ(child.box.x, 0);
            EXPECT_EQ(child.box.y, children[c].y);
            EXPECT_EQ(child.box.w, 34);
            EXPECT_EQ(child.box.h, 41);
            EXPECT_EQ(child.cursor, children[c].cursor);
            EXPECT_EQ(child.mouse_flags, 0x20000000u);
            EXPECT_EQ(child.event_id, 0u);
            EXPECT_NE(v(child.function), nullptr);
        }
        EXPECT_EQ(r[3].rect_type, MOUSE_RECT_END_PARENT);
        EXPECT_EQ(r[4].rect_type, MOUSE_RECT_EOL);
    }
}

// Every gauge, half and selector position: the events sent, in order.
TEST_F(SollwickModule, LeverClicksSendTheEventsOfTheirPosition) {
    enum { UP = 1, DOWN = 2 };
    struct Case {
        int gauge;
        int half;
        uint32_t position;
        std::vector<KeySent> sent;
    };
    const std::vector<Case> cases = {
        {0, UP, 0, {{0x10188, 0}}},
        {0, UP, 1, {{0x10189, 0}, {0x10188, 0}}},
        {0, UP, 2, {{0x10188, 0}}},
        {0, UP, 3, {{0x1018C, 4}}},
        {0, UP, 4, {{0x1018C, 4}}},
        {0, UP, 5, {}},
        {0, UP, 0xFFFFFFFFu, {}},
        {1, UP, 0, {{0x1018E, 0}}},
        {1, UP, 1, {{0x1018F, 0}, {0x1018E, 0}}},
        {1, UP, 2, {{0x1018E, 0}}},
        {1, UP, 3, {{0x10192, 3}}},
        {1, UP, 4, {{0x10192, 3}}},
        {1, UP, 5, {}},
        {1, UP, 77, {}},
        {0, DOWN, 0, {}},
        {0, DOWN, 1, {{0x10188, 0}}},
        {0, DOWN, 2, {{0x10189, 0}, {0x10188, 0}}},
        {0, DOWN, 3, {{0x10188, 0}}},
        {0, DOWN, 4, {}},
        {0, DOWN, 5, {}},
        {0, DOWN, 0x80000000u, {}},
        {1, DOWN, 0, {}},
        {1, DOWN, 1, {{0x1018E, 0}}},
        {1, DOWN, 2, {{0x1018F, 0}, {0x1018E, 0}}},
        {1, DOWN, 3, {{0x1018E, 0}}},
        {1, DOWN, 4, {}},
        {1, DOWN, 6, {}},
    };
    const uint32_t own_token[2] = {132, 167};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(gauge(c.gauge)->gauge_name) + (c.half == UP ? " up" : " down") +
                     " at " + std::to_string(c.position));
        keys_sent.clear();
        tokens_looked_up.clear();
        // The other engine sits at a position that would send events, so a
        // gauge that reads the wrong token shows.
        selector_positions[c.gauge] = c.position;
        selector_positions[1 - c.gauge] = 1;
        click(c.gauge, c.half);
        EXPECT_EQ(keys_sent, c.sent);
        EXPECT_EQ(tokens_looked_up, std::vector<uint32_t>{own_token[c.gauge]});
    }
    EXPECT_TRUE(host_calls.empty());
}

}  // namespace
