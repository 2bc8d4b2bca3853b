// Airspeed through the host: the values and angles the host works out from the
// gauge's tables and callbacks, in both unit systems.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "host/host.h"
#include "module/korvane.h"
#include "module/panel_state.h"

namespace {

constexpr size_t kBritishFace = 1, kMetricNeedle = 2, kBritishNeedle = 3;
constexpr double kEps = 1e-6;

double direction_deg(int x, int y) { return host::screen_angle_deg(x - 150, y - 150); }

// The module linked into the test, so that the unit flag can be set directly.
class AirspeedTest : public ::testing::Test {
protected:
    void SetUp() override {
        british_units = 0;
        std::string error;
        ASSERT_NE(host_.attach_module("Korvane", korvane_linkage(), &ImportTable, {}, &error), nullptr)
            << error;
        gauge_ = host_.add_gauge("Korvane", "Airspeed", host::GaugeLine{}, 0, &error);
        ASSERT_NE(gauge_, nullptr) << error;
        host_.install_all();
    }
    void TearDown() override {
        EXPECT_TRUE(host_.problems().empty()) << host_.problems().front();
        british_units = 0;
    }
    const host::ElementState& show(double knots) {
        host_.vars().set_number(61, knots);
        host_.update(*gauge_);
        return visible_needle();
    }
    const host::ElementState& visible_needle() {
        const auto& metric = gauge_->elements[kMetricNeedle];
        const auto& british = gauge_->elements[kBritishNeedle];
        EXPECT_NE(metric.hidden, british.hidden) << "exactly one needle is drawn";
        return metric.hidden ? british : metric;
    }

    host::Host host_;
    host::GaugeInstance* gauge_ = nullptr;
};

TEST_F(AirspeedTest, MetricFaceAndNeedleRightAfterLoad) {
    show(100);
    EXPECT_EQ(gauge_->elements[kBritishFace].icon_index, -1);
    EXPECT_FALSE(gauge_->elements[kMetricNeedle].hidden);
    EXPECT_TRUE(gauge_->elements[kBritishNeedle].hidden);
    EXPECT_DOUBLE_EQ(gauge_->elements[kBritishNeedle].value, 0.0);
}

struct NeedleCase {
    int british;
    double knots;
    double value;      // what the visible needle shows
    double angle_deg;  // where it points
};

TEST_F(AirspeedTest, NeedlePointsWhereTheTableSays) {
    const NeedleCase cases[] = {
        {0, 0.0, 0.0, direction_deg(150, 267)},                     // straight down
        {0, 80.0 / 1.8512821, 80.0, direction_deg(136, 268)},       // about 43.2 knots: the 80 row
        {0, 420.0, 420.0 * 1.8512821, direction_deg(186, 260)},     // 777.5 km/h rests on the 750 stop
        {0, 1e9, 1e9 * 1.8512821, direction_deg(186, 260)},
        {1, 0.0, 0.0, direction_deg(150, 267)},
        {1, 50.0, 50.0, direction_deg(118, 252)},
        {1, 420.0, 420.0, direction_deg(200, 248)},                 // the 400 stop
    };
    for (const NeedleCase& c : cases) {
        british_units = c.british;
        const host::ElementState& n = show(c.knots);
        EXPECT_NEAR(n.value, c.value, 1e-6 * std::fmax(1.0, std::fabs(c.value))) << c.knots;
        EXPECT_NEAR(n.angle_deg, c.angle_deg, kEps) << c.british << " " << c.knots;
    }
    EXPECT_NEAR(direction_deg(150, 267), 90.0, kEps);
}

TEST_F(AirspeedTest, UnitFlagSwitchesFaceAndNeedleAtTheNextUpdate) {
    show(120);
    british_units = 1;
    EXPECT_FALSE(gauge_->elements[kMetricNeedle].hidden) << "nothing changes before the update";
    show(120);
    EXPECT_EQ(gauge_->elements[kBritishFace].icon_index, 0);
    EXPECT_TRUE(gauge_->elements[kMetricNeedle].hidden);
    EXPECT_FALSE(gauge_->elements[kBritishNeedle].hidden);
    EXPECT_DOUBLE_EQ(gauge_->elements[kBritishNeedle].value, 120.0);
    british_units = 0;
    show(120);
    EXPECT_EQ(gauge_->elements[kBritishFace].icon_index, -1);
    EXPECT_FALSE(gauge_->elements[kMetricNeedle].hidden);
    EXPECT_TRUE(gauge_->elements[kBritishNeedle].hidden);
    EXPECT_FALSE(gauge_->elements[0].hidden);
    EXPECT_FALSE(gauge_->elements[4].hidden) << "the bezel stays in front";
}

TEST_F(AirspeedTest, TooltipAreasTopAndBottomHalves) {
    EXPECT_EQ(host_.tooltip(*gauge_, 150, 10), host::host_tooltip_text(0x3002));
    EXPECT_EQ(host_.tooltip(*gauge_, 150, 149), host::host_tooltip_text(0x3002));
    EXPECT_EQ(host_.tooltip(*gauge_, 150, 150), host::host_tooltip_text(0x3001));
    EXPECT_EQ(host_.tooltip(*gauge_, 299, 299), host::host_tooltip_text(0x3001));
    EXPECT_FALSE(host_.click(*gauge_, 150, 150, MOUSE_LEFTSINGLE).hit) << "no child areas";
}

TEST_F(AirspeedTest, NonFiniteAirspeedGivesDefinedAngles) {
    const double values[] = {std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(), 1e308, -1e308};
    for (int british : {0, 1}) {
        british_units = british;
        for (double v : values) {
            const host::ElementState& n = show(v);
            EXPECT_TRUE(std::isfinite(n.angle_deg)) << v;
            EXPECT_GE(n.angle_deg, 0.0);
            EXPECT_LT(n.angle_deg, 360.0);
        }
    }
}

// The module as the simulator sees it: a library loaded by name.
TEST(AirspeedLibrary, LoadsFromTheModuleDirectoryAndShowsMetric) {
    host::Host h;
    h.add_module_dir(MODULE_DIR);
    std::string error;
    host::GaugeInstance* g = h.add_gauge("Korvane", "Airspeed", host::GaugeLine{}, 0, &error);
    ASSERT_NE(g, nullptr) << error;
    h.install_all();
    h.vars().set_number(61, 100.0);
    h.frame();
    ASSERT_EQ(g->elements.size(), 5u);
    EXPECT_EQ(g->elements[kBritishFace].icon_index, -1);
    EXPECT_NEAR(g->elements[kMetricNeedle].value, 185.12821, 1e-9);
    EXPECT_TRUE(g->elements[kBritishNeedle].hidden);
    EXPECT_TRUE(h.problems().empty());
}

}  // namespace
