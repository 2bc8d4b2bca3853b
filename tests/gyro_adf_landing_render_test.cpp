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

namespace {

struct Rgba {
    int r = 0, g = 0, b = 0, a = 0;
};

Rgba pixel(cairo_surface_t* s, int x, int y) {
    cairo_surface_flush(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    uint32_t v = reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(stride))[x];
    Rgba p{int((v >> 16) & 0xFF), int((v >> 8) & 0xFF), int(v & 0xFF), int(v >> 24)};
    if (cairo_image_surface_get_format(s) == CAIRO_FORMAT_RGB24) p.a = 255;
    return p;
}

// At most 0.5 % of the pixels may differ from the reference by more than 8 in a channel.
void expect_matches_reference(cairo_surface_t* picture, const std::string& name) {
    const std::string path = std::string(SOURCE_DIR) + "/tests/reference/" + name + ".png";
    const char* update = std::getenv("UPDATE_REFERENCES");
    if (update != nullptr && std::string(update) == "1") {
        std::string error;
        ASSERT_TRUE(host::write_png(picture, path, &error)) << error;
        std::printf("wrote reference image %s\n", path.c_str());
        return;
    }
    host::Surface ref(cairo_image_surface_create_from_png(path.c_str()));
    ASSERT_EQ(cairo_surface_status(ref.get()), CAIRO_STATUS_SUCCESS)
        << "no reference image " << path << " (run the test with UPDATE_REFERENCES=1 to write it)";
    int w = cairo_image_surface_get_width(picture), h = cairo_image_surface_get_height(picture);
    ASSERT_EQ(cairo_image_surface_get_width(ref.get()), w) << name;
    ASSERT_EQ(cairo_image_surface_get_height(ref.get()), h) << name;
    int differing = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Rgba a = pixel(picture, x, y), b = pixel(ref.get(), x, y);
            int d = std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b),
                              std::abs(a.a - b.a)});
            if (d > 8) ++differing;
        }
    EXPECT_LE(differing, w * h / 200) << name << ": " << differing << " of " << w * h
                                      << " pixels differ from " << path;
}

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
