// The ADF bearing indicator and the blind-landing indicator through the stand-in
// host: faces and needles, the homing needle's stops and its reading of any
// bearing, the landing needles' beam condition and the course following.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "host/host.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// ---- ADF_Indicator -------------------------------------------------------------------

constexpr uint32_t TOKEN_ADF_BEARING = 39;
// Chain order (0 = back).
constexpr size_t HOMING_DIAL = 1, COMPASS_NEEDLE = 2, HOMING_NEEDLE = 3, HOMING_PLATE = 4;
constexpr double STRAIGHT_UP_DEG = 270;  // host angles: clockwise from 3 o'clock

class AdfIndicatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.add_module_dir(MODULE_DIR);
        std::string error;
        g = h.add_gauge("Korvane", "ADF_Indicator", host::GaugeLine{}, 0, &error);
        ASSERT_NE(g, nullptr) << error;
        h.install_all();
    }
    void TearDown() override { EXPECT_TRUE(h.problems().empty()) << h.problems().front(); }

    void show(double bearing) {
        h.vars().set_number(TOKEN_ADF_BEARING, bearing);
        h.frame();
    }
    void change_face() {
        host::ClickResult c = h.click(*g, 150, 150, MOUSE_LEFTSINGLE);
        ASSERT_TRUE(c.hit);
        EXPECT_TRUE(c.events.empty()) << "the face change sends no key event";
    }
    bool compass_face_shown() const {
        return !g->elements[COMPASS_NEEDLE].hidden && g->elements[HOMING_NEEDLE].hidden &&
               g->elements[HOMING_DIAL].icon_index == -1 && g->elements[HOMING_PLATE].icon_index == -1;
    }
    bool homing_face_shown() const {
        return g->elements[COMPASS_NEEDLE].hidden && !g->elements[HOMING_NEEDLE].hidden &&
               g->elements[HOMING_DIAL].icon_index == 0 && g->elements[HOMING_PLATE].icon_index == 0;
    }

    host::Host h;
    host::GaugeInstance* g = nullptr;
};

TEST_F(AdfIndicatorTest, StartsOnCompassFaceWithNeedleOnTheBearing) {
    show(45);
    EXPECT_TRUE(compass_face_shown());
    EXPECT_EQ(g->elements[COMPASS_NEEDLE].value, 45.0);
    EXPECT_NEAR(g->elements[COMPASS_NEEDLE].angle_deg, STRAIGHT_UP_DEG + 45, 1e-9);
    show(-30);  // taken as it comes
    EXPECT_EQ(g->elements[COMPASS_NEEDLE].value, -30.0);
}

TEST_F(AdfIndicatorTest, CentreClickExchangesTheFaces) {
    show(10);
    ASSERT_TRUE(compass_face_shown());
    change_face();
    show(10);
    EXPECT_TRUE(homing_face_shown());
    change_face();
    show(10);
    EXPECT_TRUE(compass_face_shown());
}

TEST_F(AdfIndicatorTest, ClickOutsideTheCentreDoesNotChangeTheFace) {
    EXPECT_FALSE(h.click(*g, 40, 40, MOUSE_LEFTSINGLE).hit);
    EXPECT_FALSE(h.click(*g, 150, 150, MOUSE_RIGHTSINGLE).hit);
    show(10);
    EXPECT_TRUE(compass_face_shown());
}

// Homing face: left of centre 340..360, right of centre 0..20, stops beyond;
// negative bearings are taken whole turns on in one step, however large.
TEST_F(AdfIndicatorTest, HomingNeedleStopsAndBringsAnyBearingIntoRange) {
    change_face();
    struct Row {
        double bearing, shown;
    };
    const Row rows[] = {
        {350, 350},    {200, 340},  {180, 20},   {10, 10},     {0, 0},
        {20, 20},      {20.5, 20},  {339.5, 340}, {340, 340},  {180.5, 340},
        {360, 360},    {375, 375},  // 360 and above stay as they are
        {-30, 340},    {-350, 10},  {-720, 0},   {-1e-20, 360},
        {-4e9, 340},   // 320 after whole turns
        {-1e300, 0},   // a whole number of turns
        {-DBL_MAX, 340},
        {-kInf, 0},    {kInf, 0},   {kNaN, 0},   // no bearing: straight up
    };
    for (const Row& r : rows) {
        SCOPED_TRACE("bearing " + std::to_string(r.bearing));
        show(r.bearing);
        ASSERT_TRUE(homing_face_shown());
        EXPECT_EQ(g->elements[HOMING_NEEDLE].value, r.shown);
    }
}

// Values right of centre lie below the table's first row and are drawn at the
// table's rate (very nearly a degree per unit) a full turn on: 0 and 360 both
// stand straight up, the stops 20 degrees either side.
TEST_F(AdfIndicatorTest, HomingNeedleDrawsBothSidesOfCentreFromOneTable) {
    change_face();
    auto angle = [&](double bearing) {
        show(bearing);
        return g->elements[HOMING_NEEDLE].angle_deg;
    };
    EXPECT_NEAR(angle(360), STRAIGHT_UP_DEG, 1e-6);
    EXPECT_NEAR(angle(0), STRAIGHT_UP_DEG, 1.0);
    EXPECT_NEAR(angle(10), angle(370), 1.0);
    EXPECT_GT(angle(10), STRAIGHT_UP_DEG);
    EXPECT_LT(angle(350), STRAIGHT_UP_DEG);
    EXPECT_NEAR(angle(100), angle(20), 1e-9);
    EXPECT_NEAR(angle(250), angle(340), 1e-9);
}

// ---- Landing_Indicator -----------------------------------------------------------------

constexpr uint32_t TOKEN_LOCALIZER = 40, TOKEN_GLIDE_PATH = 41, TOKEN_COURSE_SELECTED = 45;
constexpr uint32_t TOKEN_NAV1_FLAGS = 46, TOKEN_BEAM_COURSE = 48;
constexpr uint32_t EVENT_NAV1_SET_COURSE = 0x100B4;
constexpr size_t LOCALIZER = 1, GLIDE_PATH = 2;

class LandingIndicatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.add_module_dir(MODULE_DIR);
        std::string error;
        g = h.add_gauge("Korvane", "Landing_Indicator", host::GaugeLine{}, 0, &error);
        ASSERT_NE(g, nullptr) << error;
        h.install_all();
    }
    void TearDown() override { EXPECT_TRUE(h.problems().empty()) << h.problems().front(); }

    // Course events sent by one update of the gauge (its callback runs before and after).
    std::vector<host::KeyEvent> course_events_of_one_update() {
        h.model().clear_log();
        h.update(*g);
        std::vector<host::KeyEvent> events;
        for (const host::KeyEvent& e : h.model().log())
            if (e.id == EVENT_NAV1_SET_COURSE) events.push_back(e);
        EXPECT_EQ(events.size(), h.model().log().size()) << "only course events expected";
        return events;
    }

    host::Host h;
    host::GaugeInstance* g = nullptr;
};

TEST_F(LandingIndicatorTest, NeedlesShowDeviationOnlyWithALandingBeam) {
    struct Row {
        uint32_t flags;
        bool deflected;
    };
    const Row rows[] = {{0x80, true}, {0xFF, true}, {0x180, true}, {0x00, false}, {0x7F, false}};
    h.vars().set_number(TOKEN_LOCALIZER, 64);
    h.vars().set_number(TOKEN_GLIDE_PATH, -30);
    for (const Row& r : rows) {
        SCOPED_TRACE("flags " + std::to_string(r.flags));
        h.vars().set_unsigned(TOKEN_NAV1_FLAGS, r.flags);
        h.frame();
        EXPECT_EQ(g->elements[LOCALIZER].value, r.deflected ? 64.0 : 0.0);
        EXPECT_EQ(g->elements[GLIDE_PATH].value, r.deflected ? -30.0 : 0.0);
    }
}

// The tables list falling values: the localizer tip swings right for positive
// values, the glide-path tip down; both stand at the centre for 0.
TEST_F(LandingIndicatorTest, NeedlesTurnTheWayTheirScalesRead) {
    h.vars().set_unsigned(TOKEN_NAV1_FLAGS, 0x80);
    auto angles = [&](double deviation) {
        h.vars().set_number(TOKEN_LOCALIZER, deviation);
        h.vars().set_number(TOKEN_GLIDE_PATH, deviation);
        h.frame();
        return std::pair{g->elements[LOCALIZER].angle_deg, g->elements[GLIDE_PATH].angle_deg};
    };
    auto [loc0, gs0] = angles(0);
    EXPECT_NEAR(loc0, 90, 1e-9);   // hanging straight down from its pivot
    EXPECT_NEAR(gs0, 180, 1e-9);   // pointing straight left
    auto [loc_pos, gs_pos] = angles(60);
    EXPECT_LT(loc_pos, loc0);      // anticlockwise: the tip below the pivot moves right
    EXPECT_LT(gs_pos, gs0);        // anticlockwise: the tip left of the pivot moves down
}

// Following the received beam's course (token 48, 1/65536 of a turn) with the
// course selection (token 45): an event with the whole degree whenever the
// selection differs from the unrounded course, none otherwise.
TEST_F(LandingIndicatorTest, CourseSelectionFollowsTheBeamCourse) {
    struct Row {
        double beam_units, selected;
        bool sends;
        uint32_t sent;
    };
    const Row rows[] = {
        {16384, 90, false, 0},
        {16384, 85, true, 90},
        {100, 0, true, 0},        // 0.549 degrees: sent although it truncates to the selection
        {65535, 0, true, 359},
        {0, 0, false, 0},
        {65536, 0, true, 0},      // a full turn
        {-16384, 0, true, 270},   // -90 degrees
        {-100, 0, true, 0},       // -0.549 truncates toward zero
        {1e300, 0, true, 40},     // finite, far beyond a turn: 40 past whole turns
        {kNaN, 0, false, 0},      // no course to follow
        {kInf, 0, false, 0},
        {-kInf, 0, false, 0},
        {16384, kNaN, true, 90},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE("beam " + std::to_string(r.beam_units) + ", selected " +
                     std::to_string(r.selected));
        h.vars().set_number(TOKEN_BEAM_COURSE, r.beam_units);
        h.vars().set_number(TOKEN_COURSE_SELECTED, r.selected);
        std::vector<host::KeyEvent> events = course_events_of_one_update();
        if (!r.sends) {
            EXPECT_TRUE(events.empty());
            continue;
        }
        ASSERT_FALSE(events.empty());
        for (const host::KeyEvent& e : events) EXPECT_EQ(e.value, r.sent);
        EXPECT_EQ(h.vars().number(TOKEN_COURSE_SELECTED), double(r.sent));
    }
}

TEST_F(LandingIndicatorTest, FractionalBeamCourseIsSentOnEveryCall) {
    h.vars().set_number(TOKEN_BEAM_COURSE, 100);  // 0.549 degrees
    h.vars().set_number(TOKEN_COURSE_SELECTED, 0);
    for (int i = 0; i < 3; ++i) {
        std::vector<host::KeyEvent> events = course_events_of_one_update();
        ASSERT_FALSE(events.empty()) << "update " << i;
        EXPECT_EQ(events.back().value, 0u);
    }
}

TEST_F(LandingIndicatorTest, TooltipNamesTheInstrument) {
    EXPECT_EQ(h.tooltip(*g, 100, 100), std::optional<std::string>("Landing Indicator NAV1"));
}

}  // namespace
