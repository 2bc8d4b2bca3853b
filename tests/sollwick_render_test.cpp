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

// At most 0.5 % of the pixels may differ from the reference, by more than 8 in a channel.
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
