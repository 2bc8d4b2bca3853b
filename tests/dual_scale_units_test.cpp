// One click on the Metric_Switch changes every dual-scale instrument of the panel
// at its next update, and a second click brings the metric scales back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host.h"
#include "tests/units_switch_helper.h"

namespace {

// One element of one instrument whose drawing depends on the unit flag.
struct UnitElement {
    const char* gauge;
    size_t element;
    const char* role;
    bool icon;            // icons: image index 0 drawn, -1 not drawn; others: hidden bit
    bool drawn_metric;
    bool drawn_british;
};

const UnitElement kUnitElements[] = {
    {"Airspeed", 1, "knots face", true, false, true},
    {"Airspeed", 2, "km/h needle", false, true, false},
    {"Airspeed", 3, "knots needle", false, false, true},
    {"Altimeter", 1, "feet face", true, false, true},
    {"Altimeter", 2, "inches disc", false, false, true},
    {"Altimeter", 3, "millibar strip", false, true, false},
    {"Altimeter", 4, "100 000-ft pointer", false, false, true},
    {"Altimeter", 5, "10 000-ft pointer", false, false, true},
    {"Altimeter", 6, "1000-ft pointer", false, false, true},
    {"Altimeter", 7, "kilometre drum", false, true, false},
    {"Altimeter", 8, "metric pointer", false, true, false},
    {"Vertical_Speed", 1, "ft/min face", true, false, true},
    {"Vertical_Speed", 2, "ft/min needle", false, false, true},
    {"Vertical_Speed", 3, "m/s needle", false, true, false},
    {"Vertical_Speed", 4, "m/s cover plate", true, true, false},
};

class DualScaleUnitsTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_.add_module_dir(MODULE_DIR);
        std::string error;
        for (const char* name : {"Airspeed", "Altimeter", "Altimeter_Small", "Vertical_Speed"})
            ASSERT_NE(host_.add_gauge("Korvane", name, host::GaugeLine{}, 0, &error), nullptr) << error;
        switch_ = units_helper::add_metric_switch(host_);
        ASSERT_NE(switch_, nullptr);
        host_.install_all();
        host_.vars().set_number(61, 150.0);    // knots
        host_.vars().set_number(74, 12000.0);  // feet
        host_.vars().set_number(65, 1300.48);  // 1000 ft/min
    }
    void TearDown() override {
        EXPECT_TRUE(host_.problems().empty()) << host_.problems().front();
    }
    void expect_all(bool british) {
        for (const UnitElement& u : kUnitElements) {
            const host::ElementState& e = host_.find_instance(u.gauge)->elements[u.element];
            bool drawn = u.icon ? e.icon_index == 0 : !e.hidden;
            EXPECT_EQ(drawn, british ? u.drawn_british : u.drawn_metric)
                << u.gauge << " " << u.role << (british ? " in British units" : " in metric units");
        }
        EXPECT_EQ(host_.find_instance("Altimeter_Small")->elements[1].text, british ? "12000" : " 3660");
    }
    void click_switch() {
        ASSERT_TRUE(host_.click(*switch_, 48, 22, MOUSE_LEFTSINGLE).hit);
    }

    host::Host host_;
    host::GaugeInstance* switch_ = nullptr;
};

TEST_F(DualScaleUnitsTest, OneClickFlipsEveryInstrumentAtTheNextUpdate) {
    host_.frame();
    expect_all(false);

    click_switch();
    expect_all(false);  // nothing moves before the instruments update
    host_.frame();
    expect_all(true);

    click_switch();
    host_.frame();
    expect_all(false);
}

}  // namespace
