// The altimeters, the artificial horizon, the turn coordinator and the vertical
// speed indicator as the host draws them, each at a telling state, against
// reference images in tests/reference/ (a missing image fails; UPDATE_REFERENCES=1
// writes it — look at it before committing).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "host/host.h"
#include "host/render.h"
#include "tests/reference_image.h"
#include "tests/units_switch_helper.h"

namespace {

class FlightInstrumentsRender : public ::testing::Test {
protected:
    void SetUp() override {
        host_.add_module_dir(MODULE_DIR);
        std::string error;
        for (const char* name : {"Altimeter", "Altimeter_Small", "Artificial_Horizon", "Turn_Coordinator",
                                 "Vertical_Speed"})
            ASSERT_NE(host_.add_gauge("Korvane", name, host::GaugeLine{}, 0, &error), nullptr) << error;
        switch_ = units_helper::add_metric_switch(host_);
        ASSERT_NE(switch_, nullptr);
        host_.install_all();
    }
    void TearDown() override {
        for (const std::string& p : host_.problems()) ADD_FAILURE() << p;
    }
    cairo_surface_t* draw(const char* gauge, bool british, const std::map<uint32_t, double>& tokens) {
        units_helper::set_british(host_, *switch_, british);
        for (const auto& [token, value] : tokens) host_.vars().set_number(token, value);
        host_.frame();
        return renderer_.gauge_picture(*host_.find_instance(gauge));
    }

    host::Host host_;
    host::Renderer renderer_{host_};
    host::GaugeInstance* switch_ = nullptr;
};

TEST_F(FlightInstrumentsRender, GaugesAreDrawnAtTheirFaceSize) {
    const struct {
        const char* gauge;
        host::PixelSize size;
    } cases[] = {
        {"Altimeter", {300, 330}},        {"Altimeter_Small", {300, 100}}, {"Artificial_Horizon", {304, 304}},
        {"Turn_Coordinator", {300, 300}}, {"Vertical_Speed", {300, 300}},
    };
    for (const auto& c : cases) EXPECT_EQ(renderer_.native_size(*host_.find_instance(c.gauge)), c.size) << c.gauge;
}

// Metric: the pointer just short of a full turn, the drum at 0, the strip at 1013 mb.
TEST_F(FlightInstrumentsRender, AltimeterMetricAt3281Feet) {
    expect_matches_reference(draw("Altimeter", false, {{74, 3281}, {75, 1013}, {76, 29.92}}),
                             "korvane_altimeter_metric_3281ft");
}

// British: 1000-ft pointer at 6 o'clock, 10 000-ft a quarter past a turn, 100 000-ft
// at 45 degrees; the disc shows 30.12 at its index.
TEST_F(FlightInstrumentsRender, AltimeterBritishAt12500Feet) {
    expect_matches_reference(draw("Altimeter", true, {{74, 12500}, {75, 1020}, {76, 30.12}}),
                             "korvane_altimeter_british_12500ft");
}

TEST_F(FlightInstrumentsRender, AltimeterSmallReadsMetresAt3281Feet) {
    expect_matches_reference(draw("Altimeter_Small", false, {{74, 3281}}), "korvane_altimeter_small_1001m");
    EXPECT_EQ(host_.find_instance("Altimeter_Small")->elements[1].text, " 1001");
}

// Climbing right turn with the ball out, the warning flag up, the ring at Los.
TEST_F(FlightInstrumentsRender, ArtificialHorizonPitchBankBallAndFlag) {
    host_.vars().set_unsigned(279, 1);
    host_.vars().set_unsigned(276, 0);
    expect_matches_reference(
        draw("Artificial_Horizon", false, {{69, 40}, {78, 15}, {80, 20}, {825, 0}}),
        "korvane_artificial_horizon_pitch15_bank20");
}

TEST_F(FlightInstrumentsRender, TurnCoordinatorHalfwayToTheRightStop) {
    expect_matches_reference(draw("Turn_Coordinator", false, {{69, -40}, {70, 576}}),
                             "korvane_turn_coordinator_2_25");
}

// Metric: 1000 ft/min climb shows about 5 m/s, with the cover plate over the unused arc.
TEST_F(FlightInstrumentsRender, VerticalSpeedMetricClimb) {
    expect_matches_reference(draw("Vertical_Speed", false, {{65, 1300.4799583846413}}),
                             "korvane_vertical_speed_metric_climb");
}

}  // namespace
