// Version-700 gauges (Sollwick's magneto selectors) as the renderer draws them:
// the plate, and over it the lever image that the host's element-list plot
// chose, keyed black transparent. The expected picture is put together here
// pixel by pixel from the decoded bitmaps.
#include <gtest/gtest.h>

#include <string>

#include "host/bitmap.h"
#include "host/host.h"
#include "host/legacy_gauges.h"
#include "host/render.h"

namespace {

constexpr int32_t kPlate = 4096, kFirstLever = 4352;

uint32_t picture_pixel(cairo_surface_t* s, int x, int y) {
    const unsigned char* data = cairo_image_surface_get_data(s);
    return reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(cairo_image_surface_get_stride(s)))[x];
}

TEST(RenderLegacy, MagnetoShowsThePlottedLeverOverItsPlate) {
    uint32_t off_picture_pixel_sum = 0, both_picture_pixel_sum = 0;
    for (uint32_t position = 0; position <= 4; ++position) {
        SCOPED_TRACE("selector position " + std::to_string(position));
        host::Host h;
        h.add_module_dir(MODULE_DIR);
        std::string error;
        host::GaugeInstance* g = h.add_gauge("Sollwick", "Magneto 1", host::GaugeLine{}, 0, &error);
        ASSERT_NE(g, nullptr) << error;
        h.vars().set_unsigned(132, position);
        h.install_all();
        h.frame();
        host::Renderer renderer(h);
        cairo_surface_t* s = renderer.gauge_picture(*g);
        ASSERT_TRUE(h.problems().empty()) << h.problems().front();

        const host::LegacyGaugeState* plotted = host::legacy_state(*g);
        ASSERT_NE(plotted, nullptr);
        ASSERT_EQ(plotted->drawn.size(), 2u);
        ASSERT_EQ(plotted->drawn[0], kPlate);
        const int32_t lever_id = plotted->drawn[1];
        ASSERT_GE(lever_id, kFirstLever);
        ASSERT_LE(lever_id, kFirstLever + 3);

        const host::Resource* plate_res = g->module->resources().find("BITMAP", kPlate);
        const host::Resource* lever_res = g->module->resources().find("BITMAP", uint32_t(lever_id));
        ASSERT_TRUE(plate_res && lever_res);
        auto plate = host::decode_dib(plate_res->bytes, &error);
        auto lever = host::decode_dib(lever_res->bytes, &error);
        ASSERT_TRUE(plate && lever) << error;
        ASSERT_EQ(cairo_image_surface_get_width(s), plate->width);
        ASSERT_EQ(cairo_image_surface_get_height(s), plate->height);
        cairo_surface_flush(s);
        int wrong = 0;
        uint32_t sum = 0;
        for (int y = 0; y < plate->height; ++y)
            for (int x = 0; x < plate->width; ++x) {
                uint32_t top = x < lever->width && y < lever->height ? lever->at(x, y) : 0;
                uint32_t rgb = top != 0 ? top : plate->at(x, y);
                uint32_t expected = rgb != 0 ? 0xFF000000u | rgb : 0u;  // black: nothing drawn
                uint32_t got = picture_pixel(s, x, y);
                if (got != expected && wrong++ < 3)
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << got
                                  << ", expected " << expected;
                sum += got & 0xFFFFFF;
            }
        EXPECT_EQ(wrong, 0);
        if (position == 0) off_picture_pixel_sum = sum;
        if (position == 3) both_picture_pixel_sum = sum;
    }
    EXPECT_NE(off_picture_pixel_sum, both_picture_pixel_sum) << "the lever moves with the selector";
}

}  // namespace
