// The turn coordinator and the vertical speed indicator through the host: turn
// pointer stops, the ball, the VSI tables and stops in both unit systems (chosen
// on the Metric_Switch), which elements each unit system draws, tooltips, and
// hostile host values.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "host/host.h"
#include "tests/units_switch_helper.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kAngleEps = 1e-6;

double direction_deg(int x, int y, int pivot_x, int pivot_y) {
    return host::screen_angle_deg(x - pivot_x, y - pivot_y);
}

class InstrumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_.add_module_dir(MODULE_DIR);
        std::string error;
        turn_ = host_.add_gauge("Korvane", "Turn_Coordinator", host::GaugeLine{}, 0, &error);
        ASSERT_NE(turn_, nullptr) << error;
        vsi_ = host_.add_gauge("Korvane", "Vertical_Speed", host::GaugeLine{}, 0, &error);
        ASSERT_NE(vsi_, nullptr) << error;
        switch_ = units_helper::add_metric_switch(host_);
        ASSERT_NE(switch_, nullptr);
        host_.install_all();
    }
    void TearDown() override {
        EXPECT_TRUE(host_.problems().empty()) << host_.problems().front();
    }
    void units(bool british) { units_helper::set_british(host_, *switch_, british); }
    void set(uint32_t token, double value) {
        host_.vars().set_number(token, value);
        host_.frame();
    }

    host::Host host_;
    host::GaugeInstance* turn_ = nullptr;
    host::GaugeInstance* vsi_ = nullptr;
    host::GaugeInstance* switch_ = nullptr;
};

// ---- turn coordinator -------------------------------------------------------------------

enum : size_t { kTurnFace, kTurnBall, kTubeMarks, kTurnPointer, kTurnBezel };
constexpr uint32_t kTurnRate70 = 70, kBall69 = 69;

double turn_direction(int x, int y) { return direction_deg(x, y, 150, 251); }

TEST_F(InstrumentTest, TurnPointerIsUprightAtZeroAndStopsBeyondFourAndAHalf) {
    const double left_stop = turn_direction(60, 81), right_stop = turn_direction(240, 81);
    struct Case {
        double token;
        double value;
        double angle_deg;
    };
    const Case cases[] = {
        {0.0, 0.0, 270.0},
        {576.0, 2.25, (270.0 + right_stop) / 2},
        {1152.0, 4.5, right_stop},
        {2304.0, 9.0, right_stop},
        {1e300, 1e300 / 256, right_stop},
        {-1152.0, -4.5, left_stop},
        {-2304.0, -9.0, left_stop},
    };
    for (const Case& c : cases) {
        set(kTurnRate70, c.token);
        const host::ElementState& p = turn_->elements[kTurnPointer];
        EXPECT_DOUBLE_EQ(p.value, c.value) << c.token;
        EXPECT_NEAR(p.angle_deg, c.angle_deg, kAngleEps) << c.token;
    }
    EXPECT_NEAR((left_stop + right_stop) / 2, 270.0, kAngleEps) << "stops lie either side of upright";
}

TEST_F(InstrumentTest, TurnBallRisesOutOfTheCentreUnderFixedMarks) {
    struct Case {
        double ball;
        double shift_x, shift_y;
    };
    const Case cases[] = {{0.0, 0.0, 0.0}, {64.0, 37.0, -1.0}, {-64.0, -37.0, -1.0}, {128.0, 74.0, -4.0}};
    for (const Case& c : cases) {
        set(kBall69, c.ball);
        EXPECT_DOUBLE_EQ(turn_->elements[kTurnBall].shift_x, c.shift_x) << c.ball;
        EXPECT_DOUBLE_EQ(turn_->elements[kTurnBall].shift_y, c.shift_y) << c.ball;
        EXPECT_EQ(turn_->elements[kTubeMarks].icon_index, 0);
    }
    EXPECT_EQ(host_.tooltip(*turn_, 150, 150), host::host_tooltip_text(0x3090));
}

// ---- vertical speed indicator -------------------------------------------------------------

enum : size_t { kMetricFace, kBritishFace, kBritishNeedle, kMetricNeedle, kMetricCover, kVsiBezel };
constexpr uint32_t kVerticalSpeed65 = 65;
constexpr double k1000FtPerMin = 1300.4799583846413;

double vsi_direction(int x, int y) { return direction_deg(x, y, 150, 150); }

TEST_F(InstrumentTest, VsiNeedlesFollowTheirTablesAndStops) {
    const double metric_climb_stop = vsi_direction(228, 72);
    struct Case {
        bool british;
        double speed;  // 1/256 m/s
        double angle_deg;
    };
    const Case cases[] = {
        {true, 0.0, 180.0},                                  // 9 o'clock
        {true, k1000FtPerMin, vsi_direction(65, 78)},        // first climb mark
        {true, -k1000FtPerMin, vsi_direction(65, 222)},
        {true, 3 * k1000FtPerMin, vsi_direction(177, 45)},
        {true, 6 * k1000FtPerMin, vsi_direction(259, 130)},  // the 6000 ft/min stop
        {true, 9000.0, vsi_direction(259, 130)},
        {true, -9000.0, vsi_direction(259, 170)},
        {true, -1e300, vsi_direction(259, 170)},
        {false, 0.0, 180.0},
        {false, k1000FtPerMin, 180.0 + (metric_climb_stop - 180.0) * k1000FtPerMin / 3840.0},  // 5.08 m/s
        {false, 3840.0, metric_climb_stop},                  // 15 m/s
        {false, 5000.0, metric_climb_stop},
        {false, -5000.0, vsi_direction(228, 228)},           // rests on the -15 m/s stop
        {false, kInf, metric_climb_stop},
    };
    for (const Case& c : cases) {
        units(c.british);
        set(kVerticalSpeed65, c.speed);
        const size_t shown = c.british ? kBritishNeedle : kMetricNeedle;
        EXPECT_NEAR(vsi_->elements[shown].angle_deg, c.angle_deg, kAngleEps)
            << c.british << " " << c.speed;
    }
}

TEST_F(InstrumentTest, VsiShowsOneUnitSystemAndBothNeedlesKeepTheirValue) {
    struct Case {
        bool british;
        int british_face, metric_cover;
        bool british_needle_hidden, metric_needle_hidden;
    };
    const Case cases[] = {{false, -1, 0, true, false}, {true, 0, -1, false, true}, {false, -1, 0, true, false}};
    for (const Case& c : cases) {
        units(c.british);
        set(kVerticalSpeed65, 777.0);
        SCOPED_TRACE(c.british);
        EXPECT_EQ(vsi_->elements[kBritishFace].icon_index, c.british_face);
        EXPECT_EQ(vsi_->elements[kMetricCover].icon_index, c.metric_cover);
        EXPECT_EQ(vsi_->elements[kBritishNeedle].hidden, c.british_needle_hidden);
        EXPECT_EQ(vsi_->elements[kMetricNeedle].hidden, c.metric_needle_hidden);
        EXPECT_EQ(vsi_->elements[kBritishNeedle].value, 777.0) << "value kept while hidden";
        EXPECT_EQ(vsi_->elements[kMetricNeedle].value, 777.0) << "value kept while hidden";
        EXPECT_FALSE(vsi_->elements[kMetricFace].hidden);
        EXPECT_FALSE(vsi_->elements[kVsiBezel].hidden);
    }
    EXPECT_EQ(host_.tooltip(*vsi_, 150, 10), host::host_tooltip_text(0x3099));
    EXPECT_EQ(host_.tooltip(*vsi_, 150, 150), host::host_tooltip_text(0x3098));
}

TEST_F(InstrumentTest, NonFiniteAndHugeHostValuesKeepEveryElementDefined) {
    const double values[] = {kNaN, kInf, -kInf, 1e308, -1e308, 1e155};
    for (bool british : {false, true}) {
        units(british);
        for (double v : values) {
            for (uint32_t token : {kBall69, kTurnRate70, kVerticalSpeed65}) host_.vars().set_number(token, v);
            host_.frame();
            SCOPED_TRACE(v);
            for (const host::GaugeInstance* g : {turn_, vsi_}) {
                for (const host::ElementState& e : g->elements) {
                    EXPECT_TRUE(std::isfinite(e.angle_deg));
                    EXPECT_TRUE(std::isfinite(e.shift_x));
                    EXPECT_TRUE(std::isfinite(e.shift_y));
                }
            }
        }
    }
}

}  // namespace
