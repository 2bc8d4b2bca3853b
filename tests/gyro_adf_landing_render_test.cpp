// The directional gyros, the ADF bearing indicator and the blind-landing
// indicator as the host draws them, each at a telling state, against reference
// images in tests/reference/ (a missing image fails; UPDATE_REFERENCES=1 writes
// it — look at it before committing).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "host/host.h"
#include "host/render.h"
#include "tests/reference_image.h"

namespace {

class GyroAdfLandingRender : public ::testing::Test {
protected:
    void SetUp() override {
        host_.add_module_dir(MODULE_DIR);
        std::string error;
        for (const char* name :
             {"Directionnal_Gyro", "Directionnal_Gyro_Small", "ADF_Indicator", "Landing_Indicator"})
            ASSERT_NE(host_.add_gauge("Korvane", name, host::GaugeLine{}, 0, &error), nullptr) << error;
        host_.install_all();
    }
    void TearDown() override {
        for (const std::string& p : host_.problems()) ADD_FAILURE() << p;
    }
    cairo_surface_t* draw(const char* gauge, const std::map<uint32_t, double>& tokens) {
        for (const auto& [token, value] : tokens) host_.vars().set_number(token, value);
        host_.frame();
        return renderer_.gauge_picture(*host_.find_instance(gauge));
    }

    host::Host host_;
    host::Renderer renderer_{host_};
};

// Heading 30 (3 under the lubber mark), course 75: the marker's nose between 6 and O.
TEST_F(GyroAdfLandingRender, DirectionalGyroHeading30Course75) {
    expect_matches_reference(draw("Directionnal_Gyro", {{84, 30}, {855, 75}}),
                             "korvane_directional_gyro_hdg30_crs75");
}

// The same state on the half instrument: its sprite marker agrees with the full gauge's needle.
TEST_F(GyroAdfLandingRender, DirectionalGyroSmallHeading30Course75) {
    expect_matches_reference(draw("Directionnal_Gyro_Small", {{84, 30}, {855, 75}}),
                             "korvane_directional_gyro_small_hdg30_crs75");
}

// Homing face (one centre click), station 10 degrees left of the nose.
TEST_F(GyroAdfLandingRender, AdfIndicatorHomingFaceBearing350) {
    host::ClickResult c = host_.click(*host_.find_instance("ADF_Indicator"), 150, 150, MOUSE_LEFTSINGLE);
    ASSERT_TRUE(c.hit);
    expect_matches_reference(draw("ADF_Indicator", {{39, 350}}), "korvane_adf_indicator_homing_350");
}

// Beam received: the localizer needle right of centre, the glide-path needle above.
TEST_F(GyroAdfLandingRender, LandingIndicatorDeflected) {
    host_.vars().set_unsigned(46, 0x80);
    expect_matches_reference(draw("Landing_Indicator", {{40, 64}, {41, -40}}),
                             "korvane_landing_indicator_64_m40");
}

}  // namespace
