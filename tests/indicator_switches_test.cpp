// The radio indicators with their receivers switched off, through the host. The
// switches belong to the radio gauges; the module is linked into this test so
// that the shared switch states can be set directly.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "host/host.h"
#include "module/korvane.h"
#include "module/panel_state.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr uint32_t TOKEN_ADF_BEARING = 39;
constexpr uint32_t TOKEN_LOCALIZER = 40, TOKEN_GLIDE_PATH = 41, TOKEN_COURSE_SELECTED = 45;
constexpr uint32_t TOKEN_NAV1_FLAGS = 46, TOKEN_BEAM_COURSE = 48;
constexpr uint32_t EVENT_NAV1_SET_COURSE = 0x100B4;
constexpr size_t COMPASS_NEEDLE = 2, HOMING_NEEDLE = 3;  // ADF_Indicator chain
constexpr size_t LOCALIZER = 1, GLIDE_PATH = 2;          // Landing_Indicator chain

class IndicatorSwitchesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_NE(h.attach_module("Korvane", korvane_linkage(), &ImportTable, {}, &error), nullptr)
            << error;
        adf = h.add_gauge("Korvane", "ADF_Indicator", host::GaugeLine{}, 0, &error);
        ASSERT_NE(adf, nullptr) << error;
        landing = h.add_gauge("Korvane", "Landing_Indicator", host::GaugeLine{}, 0, &error);
        ASSERT_NE(landing, nullptr) << error;
        h.install_all();
    }
    void TearDown() override {
        adf_main_switch = 1;
        nav1_main_switch = 1;
        EXPECT_TRUE(h.problems().empty()) << h.problems().front();
    }

    host::Host h;
    host::GaugeInstance* adf = nullptr;
    host::GaugeInstance* landing = nullptr;
};

// Both needles are worked out on either face; only one of them is drawn.
TEST_F(IndicatorSwitchesTest, AdfOffParksBothNeedlesWhateverTheBearing) {
    adf_main_switch = 0;
    for (double bearing : {45.0, 10.0, 200.0, -30.0, -kInf}) {
        SCOPED_TRACE(bearing);
        h.vars().set_number(TOKEN_ADF_BEARING, bearing);
        h.update(*adf);
        EXPECT_EQ(adf->elements[COMPASS_NEEDLE].value, 90.0);  // 3 o'clock
        EXPECT_EQ(adf->elements[HOMING_NEEDLE].value, 0.0);    // straight up
    }
    adf_main_switch = 1;
    h.vars().set_number(TOKEN_ADF_BEARING, 10.0);
    h.update(*adf);
    EXPECT_EQ(adf->elements[COMPASS_NEEDLE].value, 10.0);
    EXPECT_EQ(adf->elements[HOMING_NEEDLE].value, 10.0);
}

TEST_F(IndicatorSwitchesTest, Nav1OffCentresLandingNeedlesAndStopsCourseFollowing) {
    h.vars().set_unsigned(TOKEN_NAV1_FLAGS, 0x80);  // landing beam received
    h.vars().set_number(TOKEN_LOCALIZER, 64);
    h.vars().set_number(TOKEN_GLIDE_PATH, -30);
    h.vars().set_number(TOKEN_BEAM_COURSE, 16384);  // 90 degrees
    h.vars().set_number(TOKEN_COURSE_SELECTED, 85);

    nav1_main_switch = 0;
    h.model().clear_log();
    h.update(*landing);
    EXPECT_EQ(landing->elements[LOCALIZER].value, 0.0);
    EXPECT_EQ(landing->elements[GLIDE_PATH].value, 0.0);
    EXPECT_TRUE(h.model().log().empty());
    EXPECT_EQ(h.vars().number(TOKEN_COURSE_SELECTED), 85.0);

    nav1_main_switch = 1;
    h.update(*landing);
    EXPECT_EQ(landing->elements[LOCALIZER].value, 64.0);
    EXPECT_EQ(landing->elements[GLIDE_PATH].value, -30.0);
    ASSERT_FALSE(h.model().log().empty());
    EXPECT_EQ(h.model().log()[0].id, EVENT_NAV1_SET_COURSE);
    EXPECT_EQ(h.model().log()[0].value, 90u);
    EXPECT_EQ(h.vars().number(TOKEN_COURSE_SELECTED), 90.0);
}

}  // namespace
