// The two altimeters through the host, with the module loaded as the simulator
// loads it and the units chosen on the Metric_Switch: pointer angles, drum, readout
// text, pressure scales, the setting knob, tooltips and hostile host values.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "host/host.h"
#include "tests/units_switch_helper.h"

namespace {

// Element chain of Altimeter, back to front.
enum : size_t {
    kMetricFace, kBritishFace, kInhgDisc, kMillibarStrip, kPointer100000ft, kPointer10000ft,
    kPointer1000ft, kKmDrum, kMetricPointer, kBezel, kAltimeterElements
};
constexpr size_t kReadout = 1;  // Altimeter_Small: face, readout, bezel

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kAngleEps = 1e-6;

constexpr uint32_t kAltitudeFt = 74, kSettingMb = 75, kSettingInhg = 76;

// Screen angles, clockwise from 3 o'clock: 12 o'clock is 270, 6 o'clock is 90.
double turned(double start_deg, double turns) { return host::normalize_deg(start_deg + 360.0 * turns); }
double metres(double feet) { return feet * 0.3047693 / 1.009205; }

class AltimeterTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_.add_module_dir(MODULE_DIR);
        std::string error;
        altimeter_ = host_.add_gauge("Korvane", "Altimeter", host::GaugeLine{}, 0, &error);
        ASSERT_NE(altimeter_, nullptr) << error;
        small_ = host_.add_gauge("Korvane", "Altimeter_Small", host::GaugeLine{}, 0, &error);
        ASSERT_NE(small_, nullptr) << error;
        switch_ = units_helper::add_metric_switch(host_);
        ASSERT_NE(switch_, nullptr);
        host_.install_all();
        ASSERT_EQ(altimeter_->elements.size(), size_t{kAltimeterElements});
    }
    void TearDown() override {
        EXPECT_TRUE(host_.problems().empty()) << host_.problems().front();
    }
    void units(bool british) { units_helper::set_british(host_, *switch_, british); }
    void show_altitude(double feet) {
        host_.vars().set_number(kAltitudeFt, feet);
        host_.frame();
    }
    const host::ElementState& alt(size_t i) const { return altimeter_->elements[i]; }
    const std::string& readout() const { return small_->elements[kReadout].text; }
    void expect_metric_set_shown() const {
        EXPECT_EQ(alt(kBritishFace).icon_index, -1);
        EXPECT_TRUE(alt(kInhgDisc).hidden);
        EXPECT_FALSE(alt(kMillibarStrip).hidden);
        for (size_t p : {kPointer100000ft, kPointer10000ft, kPointer1000ft})
            EXPECT_TRUE(alt(p).hidden) << "pointer " << p;
        EXPECT_FALSE(alt(kKmDrum).hidden);
        EXPECT_FALSE(alt(kMetricPointer).hidden);
    }
    void expect_british_set_shown() const {
        EXPECT_EQ(alt(kBritishFace).icon_index, 0);
        EXPECT_FALSE(alt(kInhgDisc).hidden);
        EXPECT_TRUE(alt(kMillibarStrip).hidden);
        for (size_t p : {kPointer100000ft, kPointer10000ft, kPointer1000ft})
            EXPECT_FALSE(alt(p).hidden) << "pointer " << p;
        EXPECT_TRUE(alt(kKmDrum).hidden);
        EXPECT_TRUE(alt(kMetricPointer).hidden);
    }

    host::Host host_;
    host::GaugeInstance* altimeter_ = nullptr;
    host::GaugeInstance* small_ = nullptr;
    host::GaugeInstance* switch_ = nullptr;
};

TEST_F(AltimeterTest, MetricRightAfterLoadBritishAfterTheSwitch) {
    show_altitude(1000);
    expect_metric_set_shown();
    units(true);
    show_altitude(1000);
    expect_british_set_shown();
    EXPECT_FALSE(alt(kMetricFace).hidden);
    EXPECT_FALSE(alt(kBezel).hidden);
    units(false);
    show_altitude(1000);
    expect_metric_set_shown();
}

TEST_F(AltimeterTest, MetricPointerDrumAndReadout) {
    struct Case {
        double feet;
        double metres;       // metric pointer value
        double drum_km;      // drum value
        const char* text;    // readout
    };
    const Case cases[] = {
        {0.0, 0.0, 0.0, "    0"},
        {3281.0, 990.83, 0.0, " 1001"},     // just short of one turn; 3281 x 0.305 = 1000.705
        {3312.0, 1000.19, 1.0, " 1010"},    // the drum moves on at 1000 m
        {10000.0, 3019.89, 3.0, " 3050"},   // the two gauges convert differently
        {65000.0, 19629.32, 19.0, "19825"},
        {-500.0, -150.99, -1.0, "19825"},   // below sea level: the readout keeps its text
        {3.9, 1.18, 0.0, "    1"},          // whole feet only: 3 x 0.305
        {-0.9, -0.27, -1.0, "    0"},       // -0.9 truncates to 0 ft
    };
    for (const Case& c : cases) {
        show_altitude(c.feet);
        SCOPED_TRACE(c.feet);
        EXPECT_NEAR(alt(kMetricPointer).value, c.metres, 0.005);
        EXPECT_NEAR(alt(kMetricPointer).angle_deg, turned(90.0, metres(c.feet) / 1000.0), kAngleEps);
        EXPECT_EQ(alt(kKmDrum).value, c.drum_km);
        EXPECT_EQ(readout(), c.text);
    }
}

TEST_F(AltimeterTest, BritishPointersAndReadout) {
    units(true);
    struct Case {
        double feet;
        double turns_1000, turns_10000, turns_100000;  // from 12 o'clock
        const char* text;
    };
    const Case cases[] = {
        {0.0, 0.0, 0.0, 0.0, "    0"},
        {12500.0, 12.5, 1.25, 0.125, "12500"},  // 6 o'clock; a quarter past a turn; 45 degrees
        {999.0, 0.999, 0.0999, 0.00999, "  999"},
        {-500.0, 0.0, -0.05, -0.005, "  999"},  // the 1000-ft pointer rests on 0 below sea level
        {-0.5, 0.0, -0.00005, -0.000005, "  999"},
    };
    for (const Case& c : cases) {
        show_altitude(c.feet);
        SCOPED_TRACE(c.feet);
        EXPECT_NEAR(alt(kPointer1000ft).angle_deg, turned(270.0, c.turns_1000), kAngleEps);
        EXPECT_NEAR(alt(kPointer10000ft).angle_deg, turned(270.0, c.turns_10000), kAngleEps);
        EXPECT_NEAR(alt(kPointer100000ft).angle_deg, turned(270.0, c.turns_100000), kAngleEps);
        for (size_t p : {kPointer100000ft, kPointer10000ft, kPointer1000ft})
            EXPECT_EQ(alt(p).value, c.feet);
        EXPECT_EQ(readout(), c.text);
    }
    EXPECT_NEAR(turned(270.0, 12.5), 90.0, kAngleEps);
}

// Five characters, right-aligned, rounded to whole units; the width follows the
// rounded number, so no reading loses a digit to the five-character buffer.
TEST_F(AltimeterTest, ReadoutFitsFiveCharactersAtEveryPowerOfTen) {
    units(true);
    struct Case {
        double feet;
        const char* text;
    };
    const Case cases[] = {
        {7.4, "    7"},      {9.6, "   10"},     {99.5, "  100"},    {999.7, " 1000"},
        {9999.5, "10000"},   {99999.4, "99999"}, {99999.6, "99999"}, {250000.0, "99999"},
        {1e300, "99999"},    {kInf, "99999"},    {-kInf, "99999"},   {kNaN, "99999"},
        {-0.0, "    0"},     {0.4, "    0"},
    };
    for (const Case& c : cases) {
        show_altitude(c.feet);
        EXPECT_EQ(readout(), c.text) << c.feet;
        EXPECT_EQ(readout().size(), 5u);
    }
}

TEST_F(AltimeterTest, PressureScalesShowTheSettingWithinTheirFigures) {
    struct Case {
        double inhg;
        double disc_value;  // setting on the disc, less 29.9
    };
    const Case disc_cases[] = {
        {29.92, 0.02}, {29.9, 0.0},  {31.5, 1.6},   {32.0, 1.6},  // 32.0 shows 31.5
        {27.9, -2.0},  {27.0, -2.0}, {kNaN, -2.0},  {kInf, 1.6},  {-kInf, -2.0}, {1e308, 1.6},
    };
    units(true);
    for (const Case& c : disc_cases) {
        host_.vars().set_number(kSettingInhg, c.inhg);
        show_altitude(0);
        EXPECT_NEAR(alt(kInhgDisc).value_rotation, c.disc_value, 1e-9) << c.inhg;
        EXPECT_NEAR(alt(kInhgDisc).sprite_rotation_deg, c.disc_value * 90.0, 1e-7) << c.inhg;
    }

    struct StripCase {
        double mb;
        double fraction;  // of the strip's travel from the 1050 end
    };
    const StripCase strip_cases[] = {
        {1013.0, 37.0 / 120.0}, {1050.0, 0.0}, {930.0, 1.0}, {1080.0, 0.0}, {900.0, 1.0},
    };
    units(false);
    for (const StripCase& c : strip_cases) {
        host_.vars().set_number(kSettingMb, c.mb);
        show_altitude(0);
        EXPECT_EQ(alt(kMillibarStrip).value, c.mb);
        EXPECT_NEAR(alt(kMillibarStrip).fraction_x, c.fraction, 1e-9) << c.mb;
    }
}

TEST_F(AltimeterTest, KnobHalvesLowerAndRaiseBothSettingsTogether) {
    const int knob_x = 123, knob_y = 276;
    host_.vars().set_number(kSettingMb, 1013.0);
    host_.vars().set_number(kSettingInhg, 1013.0 / 33.8639);

    host::ClickResult lower = host_.click(*altimeter_, knob_x + 5, knob_y + 30, MOUSE_LEFTSINGLE);
    ASSERT_TRUE(lower.hit);
    ASSERT_EQ(lower.events.size(), 1u);
    EXPECT_EQ(lower.events[0].id, 0x1015Cu);
    EXPECT_EQ(host_.vars().number(kSettingMb), 1012.0);
    EXPECT_NEAR(host_.vars().number(kSettingInhg), 1012.0 / 33.8639, 1e-9);
    show_altitude(0);
    EXPECT_EQ(alt(kMillibarStrip).value, 1012.0) << "the strip follows at the next update";

    host::ClickResult raise = host_.click(*altimeter_, knob_x + 50, knob_y + 30, MOUSE_LEFTSINGLE);
    ASSERT_EQ(raise.events.size(), 1u);
    EXPECT_EQ(raise.events[0].id, 0x1015Bu);
    EXPECT_EQ(host_.vars().number(kSettingMb), 1013.0);

    EXPECT_TRUE(host_.click(*altimeter_, knob_x + 50, knob_y + 30, MOUSE_RIGHTSINGLE).events.empty())
        << "the knob answers the left button only";

    // Turned far up, the setting stops at the host's limit and the disc at 31.5.
    for (int i = 0; i < 200; ++i) host_.click(*altimeter_, knob_x + 50, knob_y + 30, MOUSE_LEFTSINGLE);
    EXPECT_EQ(host_.vars().number(kSettingMb), 1100.0);
    EXPECT_NEAR(host_.vars().number(kSettingInhg), 1100.0 / 33.8639, 1e-9);
    units(true);
    show_altitude(0);
    EXPECT_NEAR(alt(kInhgDisc).value_rotation, 1.6, 1e-9);
}

TEST_F(AltimeterTest, TooltipsOfTheThreeAreas) {
    EXPECT_EQ(host_.tooltip(*altimeter_, 10, 10), host::host_tooltip_text(0x3051));
    EXPECT_EQ(host_.tooltip(*altimeter_, 149, 269), host::host_tooltip_text(0x3051));
    EXPECT_EQ(host_.tooltip(*altimeter_, 150, 0), host::host_tooltip_text(0x3050));
    EXPECT_EQ(host_.tooltip(*altimeter_, 10, 300), host::host_tooltip_text(0x3054));
    EXPECT_EQ(host_.tooltip(*small_, 150, 50), host::host_tooltip_text(0x3051));
    EXPECT_FALSE(host_.click(*altimeter_, 150, 100, MOUSE_LEFTSINGLE).hit) << "only the knob clicks";
}

TEST_F(AltimeterTest, NonFiniteAndHugeHostValuesKeepEveryElementDefined) {
    const double values[] = {kNaN, kInf, -kInf, 1e308, -1e308, 4.3e9, -4.3e9};
    for (bool british : {false, true}) {
        units(british);
        for (double v : values) {
            host_.vars().set_number(kSettingMb, v);
            host_.vars().set_number(kSettingInhg, v);
            show_altitude(v);
            SCOPED_TRACE(v);
            for (const host::ElementState& e : altimeter_->elements) {
                EXPECT_TRUE(std::isfinite(e.angle_deg));
                EXPECT_TRUE(std::isfinite(e.sprite_rotation_deg));
                EXPECT_GE(e.fraction_x, 0.0);
                EXPECT_LE(e.fraction_x, 1.0);
            }
            EXPECT_LE(readout().size(), 5u);
        }
    }
}

}  // namespace
