// The artificial horizon through the host: pitch limit, bank, the inclinometer
// ball, the warning flag, the caging ring and its click, tooltips, hostile values.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "host/host.h"

namespace {

// Element chain, back to front.
enum : size_t {
    kFace, kBall, kHorizonBar, kBankIndex, kAircraftSymbol, kWarningFlag, kRingFest, kRingLos,
    kHorizonElements
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

constexpr uint32_t kBall69 = 69, kPitch78 = 78, kBank80 = 80, kCaged825 = 825;
constexpr uint32_t kFlagA279 = 279, kFlagB276 = 276;

class HorizonTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_.add_module_dir(MODULE_DIR);
        std::string error;
        gauge_ = host_.add_gauge("Korvane", "Artificial_Horizon", host::GaugeLine{}, 0, &error);
        ASSERT_NE(gauge_, nullptr) << error;
        host_.install_all();
        ASSERT_EQ(gauge_->elements.size(), size_t{kHorizonElements});
    }
    void TearDown() override {
        EXPECT_TRUE(host_.problems().empty()) << host_.problems().front();
    }
    const host::ElementState& show(uint32_t token, double value) {
        host_.vars().set_number(token, value);
        host_.update(*gauge_);
        return gauge_->elements[kHorizonBar];
    }
    const host::ElementState& at(size_t i) const { return gauge_->elements[i]; }

    host::Host host_;
    host::GaugeInstance* gauge_ = nullptr;
};

TEST_F(HorizonTest, PitchMovesTheBarOnePixelPerUnitUpToSixty) {
    struct Case {
        double pitch;
        double shift_px;
    };
    const Case cases[] = {
        {0.0, 0.0},    {12.5, 12.5},  {60.0, 60.0},  {60.5, 60.0},  {75.0, 60.0},
        {-75.0, -60.0}, {-60.0, -60.0}, {1e308, 60.0}, {kInf, 60.0}, {-kInf, -60.0},
    };
    for (const Case& c : cases) {
        const host::ElementState& bar = show(kPitch78, c.pitch);
        EXPECT_EQ(bar.value_y, c.shift_px) << c.pitch;
        EXPECT_EQ(bar.shift_y, c.shift_px) << c.pitch;
        EXPECT_EQ(bar.shift_x, 0.0);
    }
}

// The bar turns against the bank; the bank index points down at 0, so its marker
// (opposite the needle) stands at the top, and it runs on past +-90.
TEST_F(HorizonTest, BankTurnsTheBarAndTheIndex) {
    struct Case {
        double bank_deg;
        double index_angle_deg;  // screen angle, clockwise from 3 o'clock
    };
    const Case cases[] = {
        {0.0, 90.0},  {90.0, 180.0}, {-90.0, 0.0}, {45.0, 135.0}, {120.0, 210.0}, {-120.0, 330.0},
    };
    for (const Case& c : cases) {
        const host::ElementState& bar = show(kBank80, c.bank_deg);
        EXPECT_NEAR(bar.sprite_rotation_deg, -c.bank_deg, 1e-9) << c.bank_deg;
        EXPECT_NEAR(at(kBankIndex).angle_deg, c.index_angle_deg, 1e-6) << c.bank_deg;
    }
}

TEST_F(HorizonTest, BallSlidesSidewaysAndRisesInTheTube) {
    struct Case {
        double ball;
        double shift_x, shift_y;  // pixels; negative y is upwards
    };
    const Case cases[] = {
        {0.0, 0.0, 0.0}, {64.0, 21.5, -1.5}, {-64.0, -21.5, -1.5}, {128.0, 43.0, -6.0},
    };
    for (const Case& c : cases) {
        show(kBall69, c.ball);
        EXPECT_DOUBLE_EQ(at(kBall).shift_x, c.shift_x) << c.ball;
        EXPECT_DOUBLE_EQ(at(kBall).shift_y, c.shift_y) << c.ball;
    }
}

TEST_F(HorizonTest, WarningFlagShowsWhenEitherConditionIsSet) {
    struct Case {
        uint32_t condition_279, condition_276;
        int icon_index;
    };
    const Case cases[] = {
        {0, 0, -1}, {1, 0, 0}, {0, 1, 0}, {0x80000000u, 0, 0}, {0, 0xFFFFFFFFu, 0}, {3, 7, 0},
    };
    for (const Case& c : cases) {
        host_.vars().set_unsigned(kFlagA279, c.condition_279);
        host_.vars().set_unsigned(kFlagB276, c.condition_276);
        host_.update(*gauge_);
        EXPECT_EQ(at(kWarningFlag).icon_index, c.icon_index)
            << c.condition_279 << " " << c.condition_276;
    }
}

TEST_F(HorizonTest, CagingRingFollowsTokenAndTheClickTogglesIt) {
    struct Case {
        double caged;
        int los_icon;  // 0: ring drawn at Los; -1: the Fest ring behind shows
    };
    const Case cases[] = {{0.0, 0}, {1.0, -1}, {-1.0, -1}, {0.001, -1}, {kNaN, -1}, {-0.0, 0}};
    for (const Case& c : cases) {
        show(kCaged825, c.caged);
        EXPECT_EQ(at(kRingLos).icon_index, c.los_icon) << c.caged;
        EXPECT_FALSE(at(kRingFest).hidden);
    }

    show(kCaged825, 0.0);
    host::ClickResult r = host_.click(*gauge_, 150, 285, MOUSE_LEFTSINGLE);
    ASSERT_TRUE(r.hit);
    ASSERT_EQ(r.events.size(), 1u);
    EXPECT_EQ(r.events[0].id, 0x10345u);
    EXPECT_EQ(at(kRingLos).icon_index, 0) << "the ring turns at the next update";
    host_.update(*gauge_);
    EXPECT_EQ(at(kRingLos).icon_index, -1);
    host_.click(*gauge_, 124, 273, MOUSE_LEFTSINGLE);
    host_.update(*gauge_);
    EXPECT_EQ(at(kRingLos).icon_index, 0);

    EXPECT_FALSE(host_.click(*gauge_, 150, 285, MOUSE_RIGHTSINGLE).hit);
    EXPECT_FALSE(host_.click(*gauge_, 150, 150, MOUSE_LEFTSINGLE).hit) << "only the ring clicks";
}

TEST_F(HorizonTest, TooltipsAndHelpArea) {
    EXPECT_EQ(host_.tooltip(*gauge_, 150, 100), host::host_tooltip_text(0x3092));
    EXPECT_EQ(host_.tooltip(*gauge_, 150, 240), host::host_tooltip_text(0xab61));
    EXPECT_EQ(host_.tooltip(*gauge_, 150, 285), std::string("Turns caging ring"));
}

TEST_F(HorizonTest, NonFiniteAndHugeHostValuesKeepEveryElementDefined) {
    const double values[] = {kNaN, kInf, -kInf, 1e308, -1e308, 1e154};
    for (double v : values) {
        for (uint32_t token : {kBall69, kPitch78, kBank80, kCaged825}) host_.vars().set_number(token, v);
        host_.update(*gauge_);
        SCOPED_TRACE(v);
        for (const host::ElementState& e : gauge_->elements) {
            EXPECT_TRUE(std::isfinite(e.angle_deg));
            EXPECT_TRUE(std::isfinite(e.shift_x));
            EXPECT_TRUE(std::isfinite(e.shift_y));
            EXPECT_TRUE(std::isfinite(e.sprite_rotation_deg));
        }
        EXPECT_GE(at(kHorizonBar).shift_y, -60.0);
        EXPECT_LE(at(kHorizonBar).shift_y, 60.0);
    }
}

}  // namespace
