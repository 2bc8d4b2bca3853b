#include <gtest/gtest.h>

#include "host/panel_config.h"

namespace {

using host::parse_panel_config;
using host::PanelConfigError;

TEST(PanelConfig, ReadsWindowsAndGaugeLines) {
    auto cfg = parse_panel_config(
        "[Window Titles]\nWindow00=Main Panel\n\n"
        "[Window00]\nsize_mm=1024,768\nbackground_color=10,20,30\nident=10050\nvisible=0\n"
        "gauge00=Korvane!Airspeed, 10, 20\n"
        "gauge01=Korvane!Altimeter,  320, 20, 300\n"
        "gauge02=Korvane!Registration, 0, 700, 300, 40, c255,0,0 // red\n"
        "\n; a comment\n[Window01]\nfile=radio.bmp\ngauge00=Sollwick!Magneto 1, 1, 2, 35, 135\n",
        "panel.cfg");
    ASSERT_EQ(cfg.windows.size(), 2u);
    const auto& w = cfg.windows[0];
    EXPECT_EQ(w.number, 0);
    EXPECT_EQ(w.size_x, 1024);
    EXPECT_EQ(w.size_y, 768);
    EXPECT_EQ(w.background_color, 0x0A141Eu);
    EXPECT_EQ(w.ident, 10050);
    EXPECT_FALSE(w.visible);
    ASSERT_EQ(w.gauges.size(), 3u);
    EXPECT_EQ(w.gauges[0].module, "Korvane");
    EXPECT_EQ(w.gauges[0].gauge, "Airspeed");
    EXPECT_EQ(w.gauges[0].x, 10);
    EXPECT_EQ(w.gauges[0].y, 20);
    EXPECT_EQ(w.gauges[0].width, 0) << "default width";
    EXPECT_FALSE(w.gauges[0].has_parameters);
    EXPECT_EQ(w.gauges[1].width, 300);
    EXPECT_EQ(w.gauges[1].height, 0);
    EXPECT_EQ(w.gauges[2].height, 40);
    EXPECT_EQ(w.gauges[2].parameters, "c255,0,0 // red") << "parameter text keeps its commas";
    EXPECT_EQ(w.gauges[2].line, 11);
    EXPECT_EQ(cfg.windows[1].background_file, "radio.bmp");
    EXPECT_EQ(cfg.windows[1].gauges[0].gauge, "Magneto 1") << "gauge names may hold spaces";
}

TEST(PanelConfig, MalformedLinesNameTheirLine) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"[Window00]\ngauge00=Airspeed, 1, 2\n", "panel.cfg:2: expected Module!Gauge"},
        {"[Window00]\n\ngauge00=Korvane!Airspeed, 1\n", "panel.cfg:3: gauge line needs"},
        {"[Window00]\ngauge00=Korvane!Airspeed, a, 2\n", "panel.cfg:2: gauge position"},
        {"[Window00]\ngauge00=Korvane!Airspeed, 1, 2, -5\n", "panel.cfg:2: gauge width"},
        {"[Window00]\ngauge00=Korvane!Airspeed, 1, 2, 99999999999\n", "panel.cfg:2: gauge width"},
        {"[Window00]\ngauge00=Korvane!Airspeed, 1, 2, 100, x\n", "panel.cfg:2: gauge height"},
        {"[Window00]\nsize_mm=100\n", "panel.cfg:2: size_mm"},
        {"[Window00]\nbackground_color=1,2,300\n", "panel.cfg:2: colour"},
        {"[Window00\n", "panel.cfg:1: unclosed"},
        {"[Window00]\njust words\n", "panel.cfg:2: expected key=value"},
        {"[WindowXY]\n", "panel.cfg:1: bad window section"},
        {"[Window00]\n[Window00]\n", "panel.cfg:2: window 0 defined twice"},
        {"[Window00]\ngaugeAB=Korvane!Airspeed, 1, 2\n", "panel.cfg:2: bad gauge key"},
    };
    for (const Case& c : cases) {
        try {
            parse_panel_config(c.text, "panel.cfg");
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const PanelConfigError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
        }
    }
}

TEST(PanelConfig, OtherSectionsAndWindowsWithoutGaugesAreFine) {
    auto cfg = parse_panel_config("[VIEWS]\nVIEW_FORWARD_DIR=0,0,0\n[Window03]\nsize_mm=10,10\n"
                                  "[Default View]\nX=0\n",
                                  "p.cfg");
    ASSERT_EQ(cfg.windows.size(), 1u);
    EXPECT_EQ(cfg.windows[0].number, 3);
    EXPECT_TRUE(cfg.windows[0].gauges.empty());
}

TEST(PanelConfig, MissingFileIsAClearError) {
    EXPECT_THROW(host::read_panel_config("/nonexistent/panel.cfg"), PanelConfigError);
}

}  // namespace
