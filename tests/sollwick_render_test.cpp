// The magneto selectors as the host draws them: each gauge at fixed selector
// positions against reference images in tests/reference/ (a missing image
// fails; UPDATE_REFERENCES=1 writes it — look at it before committing).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/host.h"
#include "host/render.h"
#include "tests/reference_image.h"

namespace {

class SollwickRender : public ::testing::Test {
protected:
    void SetUp() override {
        host_.add_module_dir(MODULE_DIR);
        std::string error;
        for (const char* name : {"Magneto 1", "Magneto 2"})
            ASSERT_NE(host_.add_gauge("Sollwick", name, host::GaugeLine{}, 0, &error), nullptr) << error;
        host_.install_all();
    }
    void TearDown() override {
        for (const std::string& p : host_.problems()) ADD_FAILURE() << p;
    }
    cairo_surface_t* draw(const char* gauge, uint32_t token, uint32_t position) {
        host_.vars().set_unsigned(token, position);
        host_.frame();
        return renderer_.gauge_picture(*host_.find_instance(gauge));
    }

    host::Host host_;
    host::Renderer renderer_{host_};
};

TEST_F(SollwickRender, GaugesAreDrawnAtTheirPlateSize) {
    for (const char* name : {"Magneto 1", "Magneto 2"}) {
        host::PixelSize size = renderer_.native_size(*host_.find_instance(name));
        EXPECT_EQ(size, (host::PixelSize{35, 135})) << name;
    }
}

// Magneto 1 at each selector position: the lever at 0, M2, M1 and M1+2.
TEST_F(SollwickRender, Magneto1MatchesItsReferenceAtEveryPosition) {
    for (uint32_t position : {0u, 1u, 2u, 3u}) {
        SCOPED_TRACE("position " + std::to_string(position));
        expect_matches_reference(draw("Magneto 1", 132, position),
                                 "sollwick_magneto_1_" + std::to_string(position));
    }
}

// Magneto 2 draws its own plate (engine number 2) and follows token 167 only.
TEST_F(SollwickRender, Magneto2MatchesItsReference) {
    host_.vars().set_unsigned(132, 0);
    expect_matches_reference(draw("Magneto 2", 167, 2), "sollwick_magneto_2_2");
}

}  // namespace
