// The directional gyros through the stand-in host: card and course marker, the
// course knob's steps and wrap-around, and the knob's reading of odd host courses.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "host/host.h"

namespace {

constexpr uint32_t TOKEN_HEADING = 84;
constexpr uint32_t TOKEN_COURSE = 855;
constexpr uint32_t EVENT_SET_COURSE = 0x101FA;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Element indices in chain order (0 = back).
constexpr size_t CARD = 1, MARKER = 2;

// Knob halves, in gauge pixels of both gauges.
constexpr int DOWN_X = 130, UP_X = 170, KNOB_Y = 150;

// Brings an angle into [0, 360) for comparing directions.
double wrap360(double deg) {
    double r = std::fmod(deg, 360.0);
    return r < 0 ? r + 360.0 : r;
}

class GyroTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.add_module_dir(MODULE_DIR);
        std::string error;
        host::GaugeLine line;
        full = h.add_gauge("Korvane", "Directionnal_Gyro", line, 0, &error);
        ASSERT_NE(full, nullptr) << error;
        small = h.add_gauge("Korvane", "Directionnal_Gyro_Small", line, 0, &error);
        ASSERT_NE(small, nullptr) << error;
        h.install_all();
    }
    void TearDown() override { EXPECT_TRUE(h.problems().empty()) << h.problems().front(); }

    void show(double heading, double course) {
        h.vars().set_number(TOKEN_HEADING, heading);
        h.vars().set_number(TOKEN_COURSE, course);
        h.frame();
    }

    host::Host h;
    host::GaugeInstance* full = nullptr;
    host::GaugeInstance* small = nullptr;
};

// The card turns anticlockwise by the heading; the marker turns clockwise from
// nose-up by course minus heading, the full gauge's as a needle without table,
// the small gauge's as a sprite with rotation scale -1. Both point the same way.
TEST_F(GyroTest, CardShowsHeadingAndMarkerPointsAtCourseOnBothGauges) {
    struct Row {
        double heading, course;
        double marker_value;  // course relative to the heading
    };
    const Row rows[] = {
        {90, 90, 0},     // O at the top, marker straight up
        {90, 0, -90},    // N at 9 o'clock, marker turned a quarter anticlockwise
        {0, 45, 45},
        {350, 10, -340},  // the same direction as +20
        {270, 359, 89},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE("heading " + std::to_string(r.heading) + ", course " + std::to_string(r.course));
        show(r.heading, r.course);
        for (host::GaugeInstance* g : {full, small}) {
            SCOPED_TRACE(g->name());
            EXPECT_NEAR(g->elements[CARD].sprite_rotation_deg, r.heading, 1e-9);
            EXPECT_FALSE(g->elements[MARKER].hidden);
        }
        EXPECT_NEAR(full->elements[MARKER].value, r.marker_value, 1e-9);
        EXPECT_NEAR(wrap360(full->elements[MARKER].angle_deg), wrap360(r.marker_value), 1e-9);
        EXPECT_NEAR(small->elements[MARKER].value_rotation, r.marker_value, 1e-9);
        // Anticlockwise-positive rotation: the clockwise turn is its negative.
        EXPECT_NEAR(wrap360(-small->elements[MARKER].sprite_rotation_deg),
                    wrap360(r.marker_value), 1e-9);
    }
}

// One row per click: the course in the host, the half of the knob, the button,
// and the course the event carries. Left button one degree, right button ten,
// wrapping within 0..359 both ways.
struct KnobRow {
    double course;
    int x;
    uint32_t button;
    uint32_t sent;
};

const KnobRow kKnobRows[] = {
    {0, DOWN_X, MOUSE_LEFTSINGLE, 359},
    {1, DOWN_X, MOUSE_LEFTSINGLE, 0},
    {0, DOWN_X, MOUSE_RIGHTSINGLE, 350},
    {5, DOWN_X, MOUSE_RIGHTSINGLE, 355},
    {10, DOWN_X, MOUSE_RIGHTSINGLE, 0},
    {359, UP_X, MOUSE_LEFTSINGLE, 0},
    {358, UP_X, MOUSE_LEFTSINGLE, 359},
    {355, UP_X, MOUSE_RIGHTSINGLE, 5},
    {349, UP_X, MOUSE_RIGHTSINGLE, 359},
    {350, UP_X, MOUSE_RIGHTSINGLE, 0},
    {12.7, UP_X, MOUSE_LEFTSINGLE, 13},   // works from the truncated course
    {12.7, DOWN_X, MOUSE_LEFTSINGLE, 11},
    {180, UP_X, MOUSE_LEFTSINGLE | MOUSE_RIGHTSINGLE, 181},  // left bit tested first
};

TEST_F(GyroTest, KnobStepsAndWrapsOnBothGauges) {
    for (host::GaugeInstance* g : {full, small}) {
        for (const KnobRow& r : kKnobRows) {
            SCOPED_TRACE(g->name() + ": course " + std::to_string(r.course) + " x " +
                         std::to_string(r.x) + " flags " + std::to_string(r.button));
            h.vars().set_number(TOKEN_COURSE, r.course);
            host::ClickResult c = h.click(*g, r.x, KNOB_Y, r.button);
            ASSERT_TRUE(c.hit);
            ASSERT_EQ(c.events.size(), 1u);
            EXPECT_EQ(c.events[0].id, EVENT_SET_COURSE);
            EXPECT_EQ(c.events[0].value, r.sent);
            // The host takes the event as the new course, which the marker shows next.
            EXPECT_EQ(h.vars().number(TOKEN_COURSE), double(r.sent));
        }
    }
}

TEST_F(GyroTest, KnobClickWithoutButtonBitDoesNothing) {
    h.vars().set_number(TOKEN_COURSE, 100);
    host::ClickResult c = h.click(*full, UP_X, KNOB_Y, MOUSE_DOWN_REPEAT);
    EXPECT_TRUE(c.hit);
    EXPECT_TRUE(c.events.empty());
    EXPECT_EQ(h.vars().number(TOKEN_COURSE), 100.0);
}

TEST_F(GyroTest, RepeatedStepsGoRoundTheDialAndBack) {
    h.vars().set_number(TOKEN_COURSE, 3);
    for (int i = 0; i < 36; ++i) h.click(*full, UP_X, KNOB_Y, MOUSE_RIGHTSINGLE);
    EXPECT_EQ(h.vars().number(TOKEN_COURSE), 3.0);
    for (int i = 0; i < 360; ++i) h.click(*small, DOWN_X, KNOB_Y, MOUSE_LEFTSINGLE);
    EXPECT_EQ(h.vars().number(TOKEN_COURSE), 3.0);
}

// Courses the host should never hold: the knob still reads a whole course in
// 0..359 (truncated toward zero, whole turns taken off, not-a-number as 0) and
// sends a course in range.
TEST_F(GyroTest, KnobReadsOddHostCoursesAsAWholeCourseInRange) {
    struct Row {
        double course;
        uint32_t up_sent;    // left button, right half
        uint32_t down_sent;  // left button, left half
    };
    const Row rows[] = {
        {kNaN, 1, 359},
        {kInf, 1, 359},
        {-kInf, 1, 359},
        {-0.5, 1, 359},      // truncates to 0
        {-1.5, 0, 358},      // truncates to -1, that is 359
        {360.0, 1, 359},
        {720.4, 1, 359},
        {-360.0, 1, 359},
        {4e9, 41, 39},       // beyond the int32 range: 4e9 is 40 past a whole turn
        {-4e9, 321, 319},
        {1e300, 1, 359},     // a whole number of turns
        {DBL_MAX, 129, 127},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE("course " + std::to_string(r.course));
        h.vars().set_number(TOKEN_COURSE, r.course);
        host::ClickResult up = h.click(*full, UP_X, KNOB_Y, MOUSE_LEFTSINGLE);
        h.vars().set_number(TOKEN_COURSE, r.course);
        host::ClickResult down = h.click(*full, DOWN_X, KNOB_Y, MOUSE_LEFTSINGLE);
        ASSERT_EQ(up.events.size(), 1u);
        ASSERT_EQ(down.events.size(), 1u);
        EXPECT_EQ(up.events[0].value, r.up_sent);
        EXPECT_EQ(down.events[0].value, r.down_sent);
    }
}

}  // namespace
