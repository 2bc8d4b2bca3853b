// The Airspeed bitmaps as the build wrote them: marks where the needle points,
// faces opaque inside the dial, the bezel's window clear, the needle pointing
// right from its pivot. And the generator's refusal of tables it cannot use.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "art/airspeed_art.h"
#include "art/bitmap.h"
#include "art/toolkit.h"
#include "host/needle_table.h"
#include "module/gauge_builders.h"
#include "module/gauge_model.h"

namespace {

using namespace art::airspeed;

class FontCaches : public ::testing::Environment {
public:
    void TearDown() override { art::release_font_caches(); }
};
const auto* const font_caches = ::testing::AddGlobalTestEnvironment(new FontCaches);

art::DecodedBmp load(int id) {
    std::string path = std::string(MODULE_DIR) + "/korvane_" + std::to_string(id) + ".bmp";
    auto bytes = art::read_file(path);
    EXPECT_TRUE(bytes) << path;
    if (!bytes) return {};
    std::string error;
    auto bmp = art::decode_bmp(*bytes, &error);
    EXPECT_TRUE(bmp) << path << ": " << error;
    return bmp ? *bmp : art::DecodedBmp{};
}

int luma(const art::Rgb8& c) { return (c.r * 3 + c.g * 6 + c.b) / 10; }

const NEEDLE& airspeed_needle(int element) {
    return reinterpret_cast<const NEEDLE&>(art::gauge_element(art::korvane_gauge("Airspeed"), element));
}

// Brightest pixel on the ray from the pivot at `angle_deg`, between two radii.
int brightest_on_ray(const art::DecodedBmp& bmp, PIXPOINT pivot, double angle_deg, double r0, double r1) {
    int best = 0;
    for (double r = r0; r <= r1; r += 0.5) {
        int x = int(std::lround(pivot.x + r * std::cos(angle_deg * M_PI / 180)));
        int y = int(std::lround(pivot.y + r * std::sin(angle_deg * M_PI / 180)));
        if (x < 0 || y < 0 || x >= bmp.width || y >= bmp.height) continue;
        best = std::max(best, luma(bmp.pixel(x, y)));
    }
    return best;
}

// The band every mark crosses, kept clear of the marks' ends.
constexpr double BAND_OUTER = TICK_OUTER_RADIUS - 1.5;
constexpr double BAND_INNER = TICK_OUTER_RADIUS - MINOR_LENGTH + 1.5;
constexpr int BRIGHT = 150;  // paint of a mark
constexpr int DARK = 90;     // the face between marks

struct Face {
    int bitmap;
    int needle_element;
    double first, last, minor_step;
};
const Face faces[] = {
    {300, 3, 80, 750, 10},  // km/h
    {330, 4, 40, 400, 5},   // knots
};

TEST(AirspeedFaces, EveryTableRowOfTheScaleHasAMarkOnItsPointDirection) {
    for (const Face& f : faces) {
        SCOPED_TRACE("bitmap " + std::to_string(f.bitmap));
        art::DecodedBmp bmp = load(f.bitmap);
        ASSERT_EQ(bmp.width, 300);
        const NEEDLE& n = airspeed_needle(f.needle_element);
        const PIXPOINT pivot = n.header.position;
        int rows_on_scale = 0;
        for (uint32_t i = 0; i < n.nonlinearity_table_size; ++i) {
            const NONLINEARITY& row = n.nonlinearity_table[i];
            if (row.value < f.first || row.value > f.last) continue;
            double direction = std::atan2(row.pt.y - pivot.y, row.pt.x - pivot.x) * 180 / M_PI;
            EXPECT_GE(brightest_on_ray(bmp, pivot, direction, BAND_INNER, BAND_OUTER), BRIGHT)
                << "row " << i + 1 << " (value " << row.value << ")";
            ++rows_on_scale;
        }
        EXPECT_GE(rows_on_scale, 3);
    }
}

TEST(AirspeedFaces, MinorMarksLieWhereTheNeedlePointsAndTheFaceIsDarkBetween) {
    for (const Face& f : faces) {
        SCOPED_TRACE("bitmap " + std::to_string(f.bitmap));
        art::DecodedBmp bmp = load(f.bitmap);
        ASSERT_EQ(bmp.width, 300);
        const NEEDLE& n = airspeed_needle(f.needle_element);
        host::NeedleTable table = host::NeedleTable::from_element(n);
        for (double v = f.first; v <= f.last + 1e-9; v += f.minor_step) {
            EXPECT_GE(brightest_on_ray(bmp, n.header.position, table.angle(v), BAND_INNER, BAND_OUTER), BRIGHT)
                << "mark at " << v;
            if (v + f.minor_step <= f.last + 1e-9) {
                double between = table.angle(v + f.minor_step / 2);
                EXPECT_LE(brightest_on_ray(bmp, n.header.position, between, BAND_INNER, BAND_OUTER), DARK)
                    << "between " << v << " and " << v + f.minor_step;
            }
        }
        // Below the first value of the scale the face carries no marks.
        double before = table.angle(f.first - 3 * f.minor_step);
        EXPECT_LE(brightest_on_ray(bmp, n.header.position, before, BAND_INNER, BAND_OUTER), DARK);
    }
}

TEST(AirspeedFaces, DialIsOpaqueInsideAndTheCornersAreTransparent) {
    for (int id : {300, 330}) {
        SCOPED_TRACE("bitmap " + std::to_string(id));
        art::DecodedBmp bmp = load(id);
        ASSERT_EQ(bmp.height, 330);
        const PIXPOINT c = airspeed_needle(3).header.position;
        size_t holes = 0, painted_outside = 0;
        for (int y = 0; y < bmp.height; ++y)
            for (int x = 0; x < bmp.width; ++x) {
                double r = std::hypot(x - c.x, y - c.y);
                bool black = bmp.pixel(x, y) == art::Rgb8{0, 0, 0};
                if (r < FACE_RADIUS - 2 && black) ++holes;
                if (r > FACE_RADIUS + 2 && !black) ++painted_outside;
            }
        EXPECT_EQ(holes, 0u);
        EXPECT_EQ(painted_outside, 0u);
    }
}

TEST(AirspeedBezel, WindowIsTransparentAndTheRingIsPaintedAllRound) {
    art::DecodedBmp bmp = load(320);
    ASSERT_EQ(bmp.width, 300);
    ASSERT_EQ(bmp.height, 330);
    const PIXPOINT c = airspeed_needle(3).header.position;
    size_t painted_in_window = 0;
    for (int y = 0; y < bmp.height; ++y)
        for (int x = 0; x < bmp.width; ++x)
            if (std::hypot(x - c.x, y - c.y) < 135 && !(bmp.pixel(x, y) == art::Rgb8{0, 0, 0})) ++painted_in_window;
    EXPECT_EQ(painted_in_window, 0u);
    for (int a = 0; a < 360; a += 3) {
        int x = int(std::lround(c.x + 143 * std::cos(a * M_PI / 180)));
        int y = int(std::lround(c.y + 143 * std::sin(a * M_PI / 180)));
        EXPECT_FALSE(bmp.pixel(x, y) == (art::Rgb8{0, 0, 0})) << "ring at " << a << " degrees";
    }
}

TEST(AirspeedNeedle, PointsRightFromItsPivotWithACounterweight) {
    art::DecodedBmp bmp = load(310);
    ASSERT_EQ(bmp.width, 160);
    ASSERT_EQ(bmp.height, 56);
    const PIXPOINT pivot = airspeed_needle(3).reference;  // (43, 28)
    auto painted = [&](int x, int y) { return !(bmp.pixel(x, y) == art::Rgb8{0, 0, 0}); };
    // Painted all along the axis from the counterweight to near the tip.
    for (int x = pivot.x - 25; x <= pivot.x + 105; ++x) EXPECT_TRUE(painted(x, pivot.y)) << "x " << x;
    int right = 0, left = bmp.width;
    for (int x = 0; x < bmp.width; ++x)
        if (painted(x, pivot.y)) right = std::max(right, x), left = std::min(left, x);
    EXPECT_GE(right - pivot.x, 100);        // the pointer
    EXPECT_LE(pivot.x - left, 45);          // a short tail
    EXPECT_GT(right - pivot.x, pivot.x - left);
    // Transparent away from the axis: the corners and the far edges.
    for (auto [x, y] : {std::pair{0, 0}, {159, 0}, {0, 55}, {159, 55}, {120, 5}, {120, 50}})
        EXPECT_FALSE(painted(x, y)) << x << "," << y;
}

// ---- tables the generator cannot place marks from ---------------------------------------

TEST(NeedleScale, UnusableTablesAndMissingElementsAreNamed) {
    NONLINEARITY one_row[] = {{{150, 267}, 0.0, 0}};
    NONLINEARITY one_point[] = {{{150, 267}, 0.0, 0}, {{150, 267}, 100.0, 0}};
    NONLINEARITY on_pivot[] = {{{150, 267}, 0.0, 0}, {{150, 150}, 100.0, 0}};
    struct Case {
        NONLINEARITY* rows;
        uint32_t count;
        const char* expected;
    };
    const Case cases[] = {
        {nullptr, 0, "fewer than two rows"},
        {one_row, 1, "fewer than two rows"},
        {one_point, 2, "one point"},
        {on_pivot, 2, "row 2 lies on the pivot"},
    };
    for (const Case& c : cases) {
        NEEDLE n{};
        n.header = element_header(ELEMENT_NEEDLE, 310, {150, 150}, {43, 28}, nullptr, nullptr, nullptr, 0);
        n.nonlinearity_table = c.rows;
        n.nonlinearity_table_size = c.count;
        try {
            art::needle_scale(n, "Test_Gauge, element 2 (needle, bitmap 310)");
            ADD_FAILURE() << "accepted: " << c.expected;
        } catch (const art::ArtError& e) {
            std::string what = e.what();
            EXPECT_NE(what.find("Test_Gauge, element 2"), std::string::npos) << what;
            EXPECT_NE(what.find(c.expected), std::string::npos) << what;
        }
    }
}

TEST(NeedleScale, LooksUpNeedlesByGaugeAndElementNumber) {
    art::DialScale metric = art::needle_scale("Airspeed", 3);
    EXPECT_EQ(metric.where, "Airspeed, element 3 (needle, bitmap 310)");
    EXPECT_EQ(metric.pivot.x, 150);
    EXPECT_EQ(metric.table.size(), 6u);
    struct Case {
        const char* gauge;
        int element;
        const char* expected;
    };
    const Case cases[] = {
        {"Airspeed", 1, "Airspeed, element 1 (static image, bitmap 300): not a needle"},
        {"Airspeed", 9, "Airspeed has no element 9"},
        {"Airspeed", 0, "Airspeed has no element 0"},
        {"No_Such_Gauge", 1, "no gauge \"No_Such_Gauge\""},
    };
    for (const Case& c : cases) {
        try {
            art::needle_scale(c.gauge, c.element);
            ADD_FAILURE() << "accepted: " << c.expected;
        } catch (const art::ArtError& e) {
            EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
        }
    }
}

}  // namespace
