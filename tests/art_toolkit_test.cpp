// Drawing toolkit behaviour other gauges' art relies on: marks where a made-up
// needle points, strips that stay inside their area, masks that are only
// white and black after the bitmap pipeline.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "art/bitmap.h"
#include "art/toolkit.h"
#include "module/gauge_builders.h"

namespace {

class FontCaches : public ::testing::Environment {
public:
    void TearDown() override { art::release_font_caches(); }
};
const auto* const font_caches = ::testing::AddGlobalTestEnvironment(new FontCaches);

bool painted(const art::Image& im, double x, double y) {
    return im.at(int(std::lround(x)), int(std::lround(y)))[3] >= 128;
}

// A quarter-turn dial: 0 at 12 o'clock, 100 at 3 o'clock, pivot (100, 100).
NONLINEARITY quarter_rows[] = {{{100, 20}, 0.0, 0}, {{180, 100}, 100.0, 0}};

art::DialScale quarter_scale() {
    NEEDLE n{};
    n.header = element_header(ELEMENT_NEEDLE, 1, {100, 100}, {0, 0}, nullptr, nullptr, nullptr, 0);
    n.nonlinearity_table = quarter_rows;
    n.nonlinearity_table_size = 2;
    return art::needle_scale(n, "Quarter, element 1 (needle, bitmap 1)");
}

TEST(DialMarks, TicksStandWhereTheNeedlePointsAndNowhereElse) {
    art::DialScale scale = quarter_scale();
    art::Canvas canvas(200, 200);
    art::ticks(canvas.cr(), scale, 0, 100, 25, {80, 20, 3});
    art::Image im = canvas.image();
    for (double value : {0.0, 25.0, 50.0, 75.0, 100.0}) {
        double a = (270 + value * 0.9) * M_PI / 180;  // 12 o'clock turning clockwise
        EXPECT_TRUE(painted(im, 100 + 70 * std::cos(a), 100 + 70 * std::sin(a))) << value;
    }
    for (double value : {12.5, 37.5, 62.5, 87.5, 150.0}) {
        double a = (270 + value * 0.9) * M_PI / 180;
        EXPECT_FALSE(painted(im, 100 + 70 * std::cos(a), 100 + 70 * std::sin(a))) << value;
    }
}

TEST(DialMarks, SkipLeavesTheCoarserSeriesPlacesEmpty) {
    art::DialScale scale = quarter_scale();
    art::Canvas canvas(200, 200);
    art::ticks(canvas.cr(), scale, 0, 100, 10, {80, 20, 3}, 50);
    art::Image im = canvas.image();
    auto at = [&](double value) {
        double a = (270 + value * 0.9) * M_PI / 180;
        return painted(im, 100 + 70 * std::cos(a), 100 + 70 * std::sin(a));
    };
    EXPECT_TRUE(at(10));
    EXPECT_TRUE(at(90));
    EXPECT_FALSE(at(0));
    EXPECT_FALSE(at(50));
    EXPECT_FALSE(at(100));
}

TEST(DialMarks, ImpossibleSeriesAreRefusedWithTheElementsName) {
    art::DialScale scale = quarter_scale();
    art::Canvas canvas(200, 200);
    for (double step : {0.0, -5.0, 1e-9, double(NAN)}) {
        try {
            art::ticks(canvas.cr(), scale, 0, 100, step, {});
            ADD_FAILURE() << "step " << step << " accepted";
        } catch (const art::ArtError& e) {
            EXPECT_NE(std::string(e.what()).find("Quarter, element 1"), std::string::npos) << e.what();
        }
    }
}

TEST(Strips, PaintNothingOutsideTheirArea) {
    art::Canvas canvas(60, 200);
    art::StripStyle style;
    style.spacing = 30;
    style.first_centre = 15;
    art::digit_strip(canvas.cr(), {10, 20, 40, 100}, style);  // 11 labels, room for 3 1/3
    art::Image im = canvas.image();
    size_t outside = 0, inside_unpainted = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 60; ++x) {
            bool in = x >= 10 && x < 50 && y >= 20 && y < 120;
            if (!in && painted(im, x, y)) ++outside;
            if (in && !painted(im, x, y)) ++inside_unpainted;
        }
    EXPECT_EQ(outside, 0u);
    EXPECT_EQ(inside_unpainted, 0u);
}

TEST(Windows, MasksAreOnlyPureWhiteAndPureBlackAfterThePipeline) {
    art::Canvas canvas(90, 50);
    art::window_rect(canvas.cr(), {5.5, 5.5, 30, 20});
    art::window_circle(canvas.cr(), {65, 25}, 17.3);
    art::Indexed q = art::quantize(art::to_paint(canvas.image()));
    size_t white = 0, other = 0;
    for (uint8_t e : q.index) {
        const art::Rgb8& c = q.palette[e];
        if (c == art::Rgb8{255, 255, 255}) ++white;
        else if (!(e == 0 && c == art::Rgb8{0, 0, 0})) ++other;
    }
    EXPECT_EQ(other, 0u);
    EXPECT_NEAR(double(white), 30 * 20 + M_PI * 17.3 * 17.3, 80);
}

}  // namespace
