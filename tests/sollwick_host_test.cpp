// Sollwick through the stand-in host: the version-700 header routines driven at
// the host's service points, the element-list operations serving the instance
// that calls them, the magneto selectors moved by clicks and key events, and a
// panel that holds both modules at once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host.h"
#include "host/legacy_gauges.h"

namespace {

constexpr size_t kLever = 1;  // element 2 of each chain
constexpr uint32_t kEngine1 = 132, kEngine2 = 167;

const std::vector<int32_t> kMagneto1Bitmaps = {4096, 4352, 4353, 4354, 4355};
const std::vector<int32_t> kMagneto2Bitmaps = {4608, 4864, 4865, 4866, 4867};

// Points inside the lever's upper and lower click areas, between them, and below them.
constexpr int kUpperY = 20, kLowerY = 75, kGapY = 48, kBelowY = 110;

class SollwickHost : public ::testing::Test {
protected:
    void SetUp() override {
        host_.add_module_dir(MODULE_DIR);
        magneto_1_ = add("Magneto 1");
        magneto_2_ = add("Magneto 2");
        host_.install_all();
    }
    void TearDown() override {
        for (const std::string& p : host_.problems()) ADD_FAILURE() << p;
    }
    host::GaugeInstance* add(const char* gauge) {
        std::string error;
        host::GaugeInstance* g = host_.add_gauge("Sollwick", gauge, host::GaugeLine{}, 0, &error);
        EXPECT_NE(g, nullptr) << error;
        return g;
    }
    const host::LegacyGaugeState& state(const host::GaugeInstance* g) {
        const host::LegacyGaugeState* s = host::legacy_state(*g);
        EXPECT_NE(s, nullptr) << g->name();
        static const host::LegacyGaugeState none;
        return s != nullptr ? *s : none;
    }

    host::Host host_;
    host::GaugeInstance* magneto_1_ = nullptr;
    host::GaugeInstance* magneto_2_ = nullptr;
};

TEST_F(SollwickHost, EachGaugeInstallsItsOwnBitmapsWithTheModulesHandle) {
    ASSERT_NE(magneto_1_, nullptr);
    ASSERT_NE(magneto_2_, nullptr);
    const host::LegacyGaugeState& one = state(magneto_1_);
    const host::LegacyGaugeState& two = state(magneto_2_);
    EXPECT_TRUE(one.queried && one.installed && one.initialized);
    EXPECT_TRUE(two.queried && two.installed && two.initialized);
    EXPECT_EQ(one.bitmaps, kMagneto1Bitmaps);
    EXPECT_EQ(two.bitmaps, kMagneto2Bitmaps);
    EXPECT_EQ(two.resource_handle, magneto_2_->module->resource_handle());
    EXPECT_EQ(host::legacy_bitmaps_in_use(), 10u);
}

// Each instance updates and draws its own chain, from its own engine's token.
TEST_F(SollwickHost, Magneto2UpdatesAndDrawsItsOwnElements) {
    host_.vars().set_unsigned(kEngine1, 1);  // M2: image 2
    host_.vars().set_unsigned(kEngine2, 2);  // M1: image 1
    host_.frame();

    const host::LegacyGaugeState& two = state(magneto_2_);
    EXPECT_EQ(two.updates, 1u);
    EXPECT_EQ(two.generates, 1u);
    EXPECT_EQ(two.last_phase, 0u);
    EXPECT_EQ(two.drawn, (std::vector<int32_t>{4608, 4865}));
    EXPECT_EQ(state(magneto_1_).drawn, (std::vector<int32_t>{4096, 4354}));

    const host::ElementState& lever = magneto_2_->elements[kLever];
    EXPECT_EQ(lever.element, magneto_2_->chain[kLever]);
    EXPECT_EQ(lever.kind, uint32_t(ELEMENT_ICON));
    EXPECT_EQ(lever.image_id, 4864);
    EXPECT_EQ(lever.icon_index, 1);
    EXPECT_EQ(lever.flags, 0x3u);
    EXPECT_EQ(magneto_2_->elements[0].image_id, 4608);
    EXPECT_EQ(magneto_2_->elements[0].flags, 0x1u);
    EXPECT_EQ(magneto_1_->elements[kLever].icon_index, 2);
}

// The lever image for every selector position the host can report.
TEST_F(SollwickHost, LeverImageFollowsTheSelectorToken) {
    struct Case {
        uint32_t position;
        int image;
    };
    const Case cases[] = {{0, 0}, {1, 2}, {2, 1}, {3, 3}, {4, 3}, {5, 3}, {0xFFFFFFFFu, 3}};
    for (const Case& c : cases) {
        host_.vars().set_unsigned(kEngine1, c.position);
        host_.vars().set_unsigned(kEngine2, c.position);
        host_.frame();
        EXPECT_EQ(magneto_1_->elements[kLever].icon_index, c.image) << "position " << c.position;
        EXPECT_EQ(magneto_2_->elements[kLever].icon_index, c.image) << "position " << c.position;
        EXPECT_EQ(state(magneto_1_).drawn, (std::vector<int32_t>{4096, 4352 + c.image}));
    }
}

// A click goes to the area under the point; the events it sends reach the
// aircraft model, and the token moves. Between and below the areas nothing happens.
TEST_F(SollwickHost, ClicksMoveTheSelectorThroughKeyEvents) {
    struct Case {
        bool magneto_2;
        uint32_t before;
        int y;
        std::vector<uint32_t> events;
        uint32_t after;
    };
    const Case cases[] = {
        {false, 0, kUpperY, {0x10188}, 1},
        {false, 1, kUpperY, {0x10189, 0x10188}, 1},
        {false, 2, kUpperY, {0x10188}, 3},
        {false, 3, kUpperY, {0x1018C}, 4},
        {false, 1, kLowerY, {0x10188}, 2},
        {false, 3, kLowerY, {0x10188}, 4},
        {false, 4, kLowerY, {}, 4},
        {false, 2, kGapY, {}, 2},
        {false, 2, kBelowY, {}, 2},
        {true, 0, kUpperY, {0x1018E}, 1},
        {true, 3, kUpperY, {0x10192}, 3},
        {true, 4, kUpperY, {0x10192}, 3},
        {true, 2, kLowerY, {0x1018F, 0x1018E}, 2},
        {true, 0, kLowerY, {}, 0},
        {true, 9, kUpperY, {}, 9},
    };
    for (const Case& c : cases) {
        host::GaugeInstance* g = c.magneto_2 ? magneto_2_ : magneto_1_;
        const uint32_t token = c.magneto_2 ? kEngine2 : kEngine1;
        const uint32_t other = c.magneto_2 ? kEngine1 : kEngine2;
        SCOPED_TRACE(g->name() + " at " + std::to_string(c.before) + ", y " + std::to_string(c.y));
        host_.vars().set_unsigned(token, c.before);
        host_.vars().set_unsigned(other, 2);
        host::ClickResult r = host_.click(*g, 10, c.y, MOUSE_LEFTSINGLE);
        std::vector<uint32_t> ids;
        for (const host::KeyEvent& e : r.events) ids.push_back(e.id);
        EXPECT_EQ(ids, c.events);
        EXPECT_EQ(host_.vars().unsigned_value(token), c.after);
        EXPECT_EQ(host_.vars().unsigned_value(other), 2u);
    }
    // The set events carry their values: 4 for engine 1, 3 for engine 2.
    host_.vars().set_unsigned(kEngine1, 3);
    ASSERT_EQ(host_.click(*magneto_1_, 10, kUpperY, MOUSE_LEFTSINGLE).events.size(), 1u);
    EXPECT_EQ(host_.model().log().back().value, 4u);
    host_.vars().set_unsigned(kEngine2, 3);
    ASSERT_EQ(host_.click(*magneto_2_, 10, kUpperY, MOUSE_LEFTSINGLE).events.size(), 1u);
    EXPECT_EQ(host_.model().log().back().value, 3u);
}

TEST_F(SollwickHost, ClickedLeverShowsItsNewPositionAtTheNextFrame) {
    host_.vars().set_unsigned(kEngine1, 0);
    host_.frame();
    EXPECT_EQ(magneto_1_->elements[kLever].icon_index, 0);
    host_.click(*magneto_1_, 10, kUpperY, MOUSE_LEFTSINGLE);
    EXPECT_EQ(magneto_1_->elements[kLever].icon_index, 0);
    host_.frame();
    EXPECT_EQ(magneto_1_->elements[kLever].icon_index, 2);  // position 1 shows M2
    EXPECT_EQ(magneto_2_->elements[kLever].icon_index, 0);
}

// Engine 1's upper half at both magnetos sends the selector to the starter, which
// springs back at the next frame, so the lever is never caught at the top.
TEST_F(SollwickHost, StarterPositionSpringsBackToBothMagnetos) {
    host_.vars().set_unsigned(kEngine1, 3);
    host_.click(*magneto_1_, 10, kUpperY, MOUSE_LEFTSINGLE);
    EXPECT_EQ(host_.vars().unsigned_value(kEngine1), 4u);
    host_.frame();
    EXPECT_EQ(host_.vars().unsigned_value(kEngine1), 3u);
    EXPECT_EQ(magneto_1_->elements[kLever].icon_index, 3);
    EXPECT_FALSE(host_.click(*magneto_1_, 10, kLowerY, MOUSE_LEFTSINGLE).events.empty())
        << "the lever can be moved down again";
}

TEST_F(SollwickHost, RemovingTheGaugesReleasesEveryBitmap) {
    host_.frame();
    EXPECT_EQ(host::legacy_bitmaps_in_use(), 10u);
    host_.remove_all();
    EXPECT_EQ(host::legacy_bitmaps_in_use(), 0u);
}

// Two instances of one gauge share the definition; each is served as itself.
TEST_F(SollwickHost, SecondInstanceOfAGaugeIsServedSeparately) {
    host::GaugeInstance* again = add("Magneto 1");
    ASSERT_NE(again, nullptr);
    host_.install_all();
    host_.vars().set_unsigned(kEngine1, 2);
    host_.frame();
    EXPECT_EQ(state(again).bitmaps, kMagneto1Bitmaps);
    EXPECT_EQ(state(again).drawn, (std::vector<int32_t>{4096, 4353}));
    EXPECT_EQ(state(magneto_1_).updates, 1u);
    EXPECT_EQ(state(again).updates, 1u);
    EXPECT_EQ(host::legacy_bitmaps_in_use(), 15u);
}

// Both deliverables in one panel: each works through its own tables, and
// neither disturbs the other.
TEST(SollwickPanel, PanelHoldsBothModulesAtOnce) {
    host::Host h;
    h.add_module_dir(MODULE_DIR);
    h.load_panel(host::parse_panel_config(
        "[Window00]\n"
        "size_mm=600,300\n"
        "gauge00=Korvane!Airspeed, 0, 0\n"
        "gauge01=Sollwick!Magneto 1, 320, 0, 35, 135\n"
        "gauge02=Sollwick!Magneto 2, 360, 0, 35, 135\n",
        "twin.cfg"));
    h.install_all();
    h.vars().set_number(61, 120.0);
    h.vars().set_unsigned(kEngine1, 3);
    h.vars().set_unsigned(kEngine2, 1);
    h.frame();

    host::GaugeInstance* airspeed = h.find_instance("Airspeed");
    host::GaugeInstance* one = h.find_instance("Magneto 1");
    host::GaugeInstance* two = h.find_instance("Magneto 2");
    ASSERT_TRUE(airspeed && one && two);
    EXPECT_EQ(airspeed->updates, 1u);
    EXPECT_EQ(one->elements[kLever].icon_index, 3);
    EXPECT_EQ(two->elements[kLever].icon_index, 2);
    EXPECT_NE(one->module, airspeed->module);
    EXPECT_EQ(one->module, two->module);

    h.model().clear_log();
    EXPECT_TRUE(h.click(*two, 10, kLowerY, MOUSE_LEFTSINGLE).hit);
    h.frame();
    EXPECT_EQ(h.vars().unsigned_value(kEngine2), 2u);
    EXPECT_EQ(two->elements[kLever].icon_index, 1);
    EXPECT_EQ(one->elements[kLever].icon_index, 3);
    ASSERT_EQ(h.model().log().size(), 1u);
    EXPECT_EQ(h.model().log()[0].id, 0x1018Eu);

    for (const std::string& p : h.problems()) ADD_FAILURE() << p;
    h.remove_all();
    EXPECT_EQ(host::legacy_bitmaps_in_use(), 0u);
}

}  // namespace
