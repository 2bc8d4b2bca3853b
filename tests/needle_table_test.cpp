#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "host/needle_table.h"

namespace {

using host::NeedleRow;
using host::NeedleTable;

constexpr double kEps = 1e-6;

// Angles: clockwise on the screen from 3 o'clock; straight down is 90.
NeedleTable airspeed_metric() {
    return NeedleTable({150, 150}, {{150, 267, 0}, {136, 268, 80}, {120, 250, 100},
                                    {127, 51, 400}, {186, 260, 750}, {186, 260, 800}});
}

TEST(NeedleTable, RowValuesPointAtTheirRowPoints) {
    NeedleTable t = airspeed_metric();
    for (size_t i = 0; i < t.size(); ++i) {
        const NeedleRow& r = t.row(i);
        double expected = host::screen_angle_deg(r.x - 150, r.y - 150);
        EXPECT_NEAR(t.angle(r.value), expected, kEps) << "row " << i;
    }
}

TEST(NeedleTable, TurnsClockwiseProportionallyBetweenRows) {
    NeedleTable t = airspeed_metric();
    double a100 = t.angle_unwound(100), a400 = t.angle_unwound(400);
    EXPECT_GT(a400, a100);
    EXPECT_NEAR(t.angle_unwound(250), (a100 + a400) / 2, kEps);
}

TEST(NeedleTable, EqualPointsAtTheEndMakeAStop) {
    NeedleTable t = airspeed_metric();
    double stop = t.angle(750);
    for (double v : {760.0, 800.0, 1e6, 1e300, std::numeric_limits<double>::infinity()})
        EXPECT_NEAR(t.angle(v), stop, kEps) << v;
}

TEST(NeedleTable, BeforeTheFirstRowContinuesAtTheFirstPairsRate) {
    NeedleTable t = airspeed_metric();
    double rate = (t.angle_unwound(80) - t.angle_unwound(0)) / 80.0;
    EXPECT_NEAR(t.angle_unwound(-10), t.angle_unwound(0) - 10 * rate, kEps);
}

// A pointer whose table covers half a turn keeps turning past it.
TEST(NeedleTable, HalfTurnTableTurnsThroughManyRevolutions) {
    NeedleTable t({150, 150}, {{150, 50, 0}, {150, 250, 500}});  // 12 o'clock, then 6
    EXPECT_NEAR(t.angle(0), 270, kEps);
    EXPECT_NEAR(t.angle(250), 0, kEps);     // 3 o'clock: rows 180 apart pass clockwise
    EXPECT_NEAR(t.angle(500), 90, kEps);
    EXPECT_NEAR(t.angle(1000), 270, kEps);  // a full turn per 1000
    EXPECT_NEAR(t.angle(3250), 0, kEps);
    EXPECT_NEAR(t.angle(-250), 180, kEps);
}

// A table listing decreasing values turns anticlockwise as the value rises.
TEST(NeedleTable, DecreasingTableTurnsBackwardsAsValueRises) {
    NeedleTable t({100, 100}, {{200, 100, 10}, {100, 200, 5}, {0, 100, 0}, {0, 100, -5}});
    EXPECT_NEAR(t.angle(10), 0, kEps);
    EXPECT_NEAR(t.angle(5), 90, kEps);
    EXPECT_NEAR(t.angle(2.5), 135, kEps);
    EXPECT_NEAR(t.angle(0), 180, kEps);
    EXPECT_NEAR(t.angle(-3), 180, kEps);   // stop at the low end
    EXPECT_NEAR(t.angle(12), 324, kEps);   // beyond the first row: 18 degrees per unit
}

TEST(NeedleTable, StopInTheMiddleHoldsForEveryValueBetween) {
    NeedleTable t({0, 0}, {{10, 0, 0}, {0, 10, 10}, {0, 10, 20}, {-10, 0, 30}});
    for (double v : {10.0, 12.5, 17.0, 20.0}) EXPECT_NEAR(t.angle(v), 90, kEps) << v;
    EXPECT_NEAR(t.angle(25), 135, kEps);
}

TEST(NeedleTable, WithoutTableTurnsByValueInDegrees) {
    NeedleTable t;
    EXPECT_NEAR(t.angle(30), 30, kEps);
    EXPECT_NEAR(t.angle(-30), 330, kEps);
    EXPECT_NEAR(t.angle(725), 5, kEps);
}

TEST(NeedleTable, NonFiniteValuesGiveDefinedAngles) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    NeedleTable half({150, 150}, {{150, 50, 0}, {150, 250, 500}});
    for (double v : {nan, inf, -inf, 1e308, -1e308}) {
        double a = half.angle(v);
        EXPECT_TRUE(std::isfinite(a)) << v;
        EXPECT_GE(a, 0.0);
        EXPECT_LT(a, 360.0);
        EXPECT_TRUE(std::isfinite(NeedleTable().angle(v)));
    }
    EXPECT_NEAR(half.angle(nan), 270, kEps);
}

TEST(NeedleTable, PlacementProblemsAreNamed) {
    EXPECT_TRUE(NeedleTable({0, 0}, {{1, 1, 0}}).placement_problem().has_value());
    EXPECT_TRUE(NeedleTable({0, 0}, {{1, 1, 0}, {1, 1, 5}}).placement_problem().has_value());
    EXPECT_FALSE(airspeed_metric().placement_problem().has_value());
}

}  // namespace
