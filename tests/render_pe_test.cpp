// The deliverable draws as the native build does: every gauge of Korvane drawn
// once from the native module's resource script and once from the resource
// section of the i386 file dist/Korvane.gau (made by `make dist`, which `make
// test` runs first) gives the same pixels. A missing dist/Korvane.gau fails.
//
// KORVANE_GAU=path overrides the file (for a developer's own i686 build).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "host/host.h"
#include "host/render.h"

namespace {

std::string gau_path() {
    const char* env = std::getenv("KORVANE_GAU");
    return env != nullptr && *env != '\0' ? env : std::string(SOURCE_DIR) + "/dist/Korvane.gau";
}

// Identical pictures, or why not: the size, or how many pixels differ and the first.
::testing::AssertionResult same_pixels(cairo_surface_t* a, cairo_surface_t* b) {
    int w = cairo_image_surface_get_width(a), h = cairo_image_surface_get_height(a);
    if (w != cairo_image_surface_get_width(b) || h != cairo_image_surface_get_height(b))
        return ::testing::AssertionFailure() << "sizes differ";
    cairo_surface_flush(a);
    cairo_surface_flush(b);
    int differing = 0, first_x = -1, first_y = -1;
    for (int y = 0; y < h; ++y) {
        auto ra = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(a) +
                                                    y * cairo_image_surface_get_stride(a));
        auto rb = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(b) +
                                                    y * cairo_image_surface_get_stride(b));
        for (int x = 0; x < w; ++x) {
            if (ra[x] == rb[x]) continue;
            if (differing++ == 0) first_x = x, first_y = y;
        }
    }
    if (differing == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " pixels differ, the first at (" << first_x
                                         << ", " << first_y << ")";
}

TEST(RenderPe, EveryGaugeDrawsTheSameFromTheDeliverablesResources) {
    std::string error;
    auto pe = host::read_pe_resource_set(gau_path(), &error);
    ASSERT_TRUE(pe) << "the deliverable's resources cannot be read (run `make dist`): " << error;

    host::Host h;
    h.add_module_dir(MODULE_DIR);
    host::LoadedModule* korvane = h.load_module("Korvane", &error);
    ASSERT_NE(korvane, nullptr) << error;
    ASSERT_FALSE(korvane->resources().empty()) << "the native module has no resource script";

    // A telling state: in flight, turning, radios tuned.
    const std::pair<uint32_t, double> state[] = {
        {61, 180.0}, {74, 4500.0}, {84, 135.0}, {855, 90.0}, {80, -20.0}, {78, 4.0}, {69, 30.0},
    };
    for (auto [token, value] : state) h.vars().set_number(token, value);
    for (GAUGEHDR* header : korvane->gauges()) {
        std::string e;
        ASSERT_NE(h.add_gauge("Korvane", header->gauge_name, host::GaugeLine{}, 0, &e), nullptr) << e;
    }
    h.install_all();
    h.frame();

    host::Renderer native(h), deliverable(h);
    deliverable.use_resources(*korvane, *pe);
    for (const auto& g : h.instances()) {
        SCOPED_TRACE(g->name());
        size_t problems_before = h.problems().size();
        cairo_surface_t* from_rc = native.gauge_picture(*g);
        size_t native_problems = h.problems().size() - problems_before;
        cairo_surface_t* from_pe = deliverable.gauge_picture(*g);
        EXPECT_TRUE(same_pixels(from_rc, from_pe));
        EXPECT_EQ(h.problems().size() - problems_before, 2 * native_problems)
            << "the deliverable lacks bitmaps that the native module has: " << h.problems().back();
    }
    // The comparison means something only where bitmaps are drawn: the model
    // gauge has all of its own.
    host::GaugeInstance* airspeed = h.find_instance("Airspeed");
    ASSERT_NE(airspeed, nullptr);
    size_t before = h.problems().size();
    host::Renderer again(h);
    again.use_resources(*korvane, *pe);
    again.gauge_picture(*airspeed);
    EXPECT_EQ(h.problems().size(), before) << h.problems().back();
}

}  // namespace
