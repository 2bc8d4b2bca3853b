// Drawing gauges and panels: the RenderFixture module (one gauge per element
// kind) drawn at fixed values and compared with reference images, plus checks
// of geometry, the hidden bit, transparency, icons past their images, the
// panel light, broken elements, caching, the draw services and panel windows.
//
// Reference images live in tests/reference/. A missing one fails the test;
// run with UPDATE_REFERENCES=1 to write it (and look at it before committing).
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/render.h"
#include "tests/reference_image.h"

namespace {

using host::GaugeInstance;
using host::Host;
using host::Renderer;

constexpr uint32_t TOKEN_A = 1000, TOKEN_B = 1001, TOKEN_HIDE = 1002;
constexpr uint32_t EVENT_SERVICE_BASE = 0x11000;
constexpr double kPi = 3.14159265358979323846;

// ---- pictures ---------------------------------------------------------------------------

uint32_t rgb(cairo_surface_t* s, int x, int y) {
    Rgba p = pixel(s, x, y);
    return p.a == 0 ? 0xFF000000u : uint32_t(p.r << 16 | p.g << 8 | p.b);  // 0xFF000000: nothing drawn
}

// A scaled picture's colour: each channel within 2 of the expected one.
::testing::AssertionResult near_rgb(cairo_surface_t* s, int x, int y, uint32_t expected) {
    uint32_t c = rgb(s, x, y);
    for (int shift : {16, 8, 0})
        if (std::abs(int((c >> shift) & 0xFF) - int((expected >> shift) & 0xFF)) > 2 || c >> 24 != 0) {
            char buf[80];
            std::snprintf(buf, sizeof buf, "pixel (%d, %d) is 0x%06X, not 0x%06X", x, y, c, expected);
            return ::testing::AssertionFailure() << buf;
        }
    return ::testing::AssertionSuccess();
}

std::vector<uint32_t> all_pixels(cairo_surface_t* s) {
    std::vector<uint32_t> out;
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Rgba p = pixel(s, x, y);
            out.push_back(uint32_t(p.a << 24 | p.r << 16 | p.g << 8 | p.b));
        }
    return out;
}

// ---- a host with the fixture module -----------------------------------------------------

struct Bench {
    Host host;
    Renderer renderer{host};

    Bench() { host.add_module_dir(FIXTURE_DIR); }

    GaugeInstance& add(const std::string& gauge, host::GaugeLine line = {}) {
        std::string error;
        GaugeInstance* g = host.add_gauge("RenderFixture", gauge, line, 0, &error);
        EXPECT_NE(g, nullptr) << error;
        if (g == nullptr) std::abort();
        return *g;
    }

    // Sets the tokens, runs one frame and draws the gauge at its native size.
    cairo_surface_t* draw(GaugeInstance& g, const std::map<uint32_t, double>& tokens = {}) {
        for (const auto& [token, value] : tokens) host.vars().set_number(token, value);
        host.install_all();
        host.frame();
        return renderer.gauge_picture(g);
    }
};

// ---- reference images -------------------------------------------------------------------

TEST(RenderReference, EveryElementKindAtFixedValues) {
    struct Case {
        const char* gauge;
        std::map<uint32_t, double> tokens;
        bool night;
        const char* reference;
    };
    const Case cases[] = {
        {"Static_Gauge", {}, false, "fixture_static"},
        {"Needle_Gauge", {{TOKEN_A, 75.0}}, false, "fixture_needle_75"},
        {"String_Gauge", {{TOKEN_A, 123.4}}, false, "fixture_string"},
        {"Slider_Gauge", {{TOKEN_A, 5.0}, {TOKEN_B, 4.0}}, false, "fixture_slider"},
        {"Icon_Gauge", {{TOKEN_A, 1.0}}, false, "fixture_icon"},
        {"Moving_Gauge", {{TOKEN_A, 2.5}}, false, "fixture_moving_2_5"},
        {"Sprite_Gauge", {{TOKEN_A, 30.0}, {TOKEN_B, 5.0}}, false, "fixture_sprite"},
        {"Hidden_Gauge", {{TOKEN_HIDE, 1.0}}, false, "fixture_hidden"},
        {"Night_Gauge", {}, true, "fixture_night"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gauge);
        Bench b;
        GaugeInstance& g = b.add(c.gauge);
        b.renderer.set_night(c.night);
        expect_matches_reference(b.draw(g, c.tokens), c.reference);
        EXPECT_TRUE(b.host.problems().empty()) << b.host.problems().front();
    }
}

// ---- geometry -------------------------------------------------------------------------------

// Centre of the red needle tip, relative to the pivot (40, 40).
std::pair<double, double> tip_offset(cairo_surface_t* s) {
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < 81; ++y)
        for (int x = 0; x < 81; ++x) {
            Rgba p = pixel(s, x, y);
            if (p.r > 200 && p.g < 60 && p.b < 60) {
                sx += x + 0.5;
                sy += y + 0.5;
                ++n;
            }
        }
    EXPECT_GT(n, 10) << "needle tip not found";
    return {sx / std::max(n, 1) - 40.0, sy / std::max(n, 1) - 40.0};
}

double direction_deg(std::pair<double, double> d) {
    double a = std::atan2(d.second, d.first) * 180.0 / kPi;  // clockwise on the screen
    return a < 0 ? a + 360 : a;
}

double angle_between(double a, double b) {
    double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

TEST(RenderNeedle, TipLiesInTheDirectionOfEachRowFromThePivot) {
    // Rows (40, 10) -> 0, (70, 40) -> 50, (40, 70) -> 100, (10, 40) -> 200, pivot (40, 40);
    // between rows the needle turns proportionally (25: halfway from up to right).
    const std::pair<double, double> cases[] = {
        {0.0, 270.0}, {50.0, 0.0}, {100.0, 90.0}, {200.0, 180.0}, {25.0, 315.0}, {175.0, 135.0},
    };
    for (auto [value, expected_deg] : cases) {
        Bench b;
        GaugeInstance& g = b.add("Needle_Gauge");
        auto tip = tip_offset(b.draw(g, {{TOKEN_A, value}}));
        EXPECT_LT(angle_between(direction_deg(tip), expected_deg), 3.0) << "value " << value;
        EXPECT_NEAR(std::hypot(tip.first, tip.second), 30.5, 2.0) << "value " << value;
    }
}

TEST(RenderNeedle, StopHoldsTheTipStill) {
    std::vector<uint32_t> at_stop;
    for (double value : {100.0, 120.0, 150.0}) {
        Bench b;
        GaugeInstance& g = b.add("Needle_Gauge");
        std::vector<uint32_t> pixels = all_pixels(b.draw(g, {{TOKEN_A, value}}));
        if (at_stop.empty())
            at_stop = pixels;
        else
            EXPECT_EQ(pixels, at_stop) << "value " << value;
    }
}

TEST(RenderSlider, MovesByValueTimesScale) {
    Bench b;
    GaugeInstance& g = b.add("Slider_Gauge");
    cairo_surface_t* s = b.draw(g, {{TOKEN_A, 5.0}, {TOKEN_B, 4.0}});
    // Top-left (36, 16) moved by (5 x 2, 4 x -1): the 8 x 8 knob covers (46..53, 12..19).
    EXPECT_EQ(rgb(s, 46, 12), 0x20C040u);
    EXPECT_EQ(rgb(s, 53, 19), 0x20C040u);
    EXPECT_EQ(rgb(s, 45, 12), 0x404850u);
    EXPECT_EQ(rgb(s, 54, 19), 0x404850u);
    EXPECT_EQ(rgb(s, 46, 20), 0x404850u);
}

TEST(RenderMovingImage, StripEndsLieUnderTheWindowAtMinimumAndMaximum) {
    const uint32_t blocks[5] = {0xFF0000, 0x00C000, 0x0000FF, 0xFFFF00, 0xFF00FF};
    // The window (20, 10, 20 x 20) shows block k at value k; values beyond the
    // range stay at the ends.
    const std::pair<double, int> cases[] = {{0.0, 0}, {1.0, 1}, {3.0, 3}, {4.0, 4}, {-2.0, 0}, {9.0, 4}};
    for (auto [value, block] : cases) {
        Bench b;
        GaugeInstance& g = b.add("Moving_Gauge");
        cairo_surface_t* s = b.draw(g, {{TOKEN_A, value}});
        EXPECT_EQ(rgb(s, 20, 10), blocks[block]) << "value " << value;
        EXPECT_EQ(rgb(s, 39, 29), blocks[block]) << "value " << value;
        EXPECT_EQ(rgb(s, 19, 10), 0x303030u) << "outside the window, value " << value;
        EXPECT_EQ(rgb(s, 40, 29), 0x303030u) << "outside the window, value " << value;
    }
    // Between: at 2.5 the left half of the window shows block 2, the right half block 3.
    Bench b;
    GaugeInstance& g = b.add("Moving_Gauge");
    cairo_surface_t* s = b.draw(g, {{TOKEN_A, 2.5}});
    EXPECT_EQ(rgb(s, 25, 20), blocks[2]);
    EXPECT_EQ(rgb(s, 35, 20), blocks[3]);
}

TEST(RenderSprite, TurnsAnticlockwiseAboutItsOffsetSeenThroughItsWindow) {
    const uint32_t magenta = 0xFF00FF, orange = 0xFF8000, blue = 0x0000FF, face = 0x303030;
    {
        Bench b;
        GaugeInstance& g = b.add("Sprite_Gauge");
        cairo_surface_t* s = b.draw(g);
        // Unturned: centre on (40, 40), magenta end on the right, orange above blue.
        EXPECT_EQ(rgb(s, 58, 38), magenta);
        EXPECT_EQ(rgb(s, 30, 35), orange);
        EXPECT_EQ(rgb(s, 30, 45), blue);
        EXPECT_EQ(rgb(s, 16, 16), face) << "outside the window's disc";
    }
    {
        Bench b;
        GaugeInstance& g = b.add("Sprite_Gauge");
        cairo_surface_t* s = b.draw(g, {{TOKEN_A, 90.0}});
        // Turned 90 degrees anticlockwise: the right end points up, orange on the left.
        EXPECT_EQ(rgb(s, 38, 22), magenta);
        EXPECT_EQ(rgb(s, 35, 50), orange);
        EXPECT_EQ(rgb(s, 45, 50), blue);
    }
    {
        Bench b;
        GaugeInstance& g = b.add("Sprite_Gauge");
        cairo_surface_t* s = b.draw(g, {{TOKEN_B, 5.0}});
        // Shifted 5 pixels down: the orange-blue edge moves from y 40 to 45.
        EXPECT_EQ(rgb(s, 30, 44), orange);
        EXPECT_EQ(rgb(s, 30, 45), blue);
    }
}

// ---- flags and images -----------------------------------------------------------------------

TEST(RenderFlags, HiddenBitHidesOnlyThatElementAndShowsItAgain) {
    Bench b;
    GaugeInstance& g = b.add("Hidden_Gauge");
    cairo_surface_t* s = b.draw(g, {{TOKEN_HIDE, 1.0}});
    EXPECT_EQ(rgb(s, 8, 8), 0x606060u) << "hidden: the background behind shows";
    EXPECT_EQ(rgb(s, 24, 8), 0x00C000u) << "the element in front is still drawn";
    EXPECT_EQ(rgb(s, 40, 8), 0x0000FFu);
    s = b.draw(g, {{TOKEN_HIDE, 0.0}});
    EXPECT_EQ(rgb(s, 8, 8), 0xFF0000u) << "shown again at the next update";
}

TEST(RenderFlags, PureBlackIsTransparentOnlyWithTheTransparencyFlag) {
    Bench b;
    GaugeInstance& g = b.add("Static_Gauge");
    cairo_surface_t* s = b.draw(g);
    // Square 601 at (6, 8) with flag 0x1, and at (36, 8) without; black centre 4..10.
    auto background = [](int x, int y) { return uint32_t((40 + x * 3) << 16 | (40 + y * 4) << 8 | 0x60); };
    EXPECT_EQ(rgb(s, 6 + 7, 8 + 7), background(13, 15)) << "keyed: black shows the background";
    EXPECT_EQ(rgb(s, 36 + 7, 8 + 7), 0x000000u) << "not keyed: black is drawn";
    EXPECT_EQ(rgb(s, 6, 8), 0xE0C020u);
    EXPECT_EQ(rgb(s, 36, 8), 0xE0C020u);
    EXPECT_EQ(rgb(s, 62, 46), background(62, 46)) << "24-bit background, padded rows";
}

TEST(RenderIcon, IndexSelectsImageAndPastTheLastImageDrawsWhatTheModuleHolds) {
    // Images 641 (red), 642 (green); past them 643 is missing and 644 (blue) present.
    const std::pair<double, uint32_t> cases[] = {
        {0.0, 0xFF0000}, {1.0, 0x00C000}, {2.0, 0x303030}, {3.0, 0x0000FF},
        {7.0, 0x303030}, {-1.0, 0x303030},
    };
    for (auto [value, expected] : cases) {
        Bench b;
        GaugeInstance& g = b.add("Icon_Gauge");
        cairo_surface_t* s = b.draw(g, {{TOKEN_A, value}});
        EXPECT_EQ(rgb(s, 30, 15), expected) << "value " << value;
        EXPECT_TRUE(b.host.problems().empty()) << "value " << value << ": " << b.host.problems().front();
    }
}

TEST(RenderLight, NightDarkensPlainElementsLightsLuminousOnesAndKeepsBrightOnes) {
    Bench b;
    GaugeInstance& g = b.add("Night_Gauge");
    cairo_surface_t* day = b.draw(g);
    for (int x : {8, 24, 40}) EXPECT_EQ(rgb(day, x, 8), 0xFFFFFFu) << x;
    b.renderer.set_night(true);
    cairo_surface_t* night = b.renderer.gauge_picture(g);
    Rgba luminous = pixel(night, 8, 8), plain = pixel(night, 24, 8), bright = pixel(night, 40, 8);
    EXPECT_EQ(rgb(night, 40, 8), 0xFFFFFFu) << "bright elements keep their colours";
    EXPECT_GT(luminous.r, 200);
    EXPECT_LT(plain.r, 80);
    EXPECT_LT(plain.g, 80);
    EXPECT_GT(luminous.r + luminous.g, 3 * (plain.r + plain.g));
    EXPECT_GT(bright.b, luminous.b) << "the panel light is warm";
}

TEST(RenderString, TextDrawnInItsBoxWithItsColours) {
    Bench b;
    GaugeInstance& g = b.add("String_Gauge");
    cairo_surface_t* s = b.draw(g, {{TOKEN_A, 88.8}});
    // Box (10, 4, 100 x 20): background 0x402010 (blue 0x40) where no text is.
    EXPECT_EQ(rgb(s, 11, 5), 0x102040u);
    EXPECT_EQ(rgb(s, 9, 5), 0x505050u) << "outside the box";
    int red = 0, red_left = 0;
    for (int y = 4; y < 24; ++y)
        for (int x = 10; x < 110; ++x) {
            Rgba p = pixel(s, x, y);
            if (p.r > 200 && p.g < 80) {
                ++red;
                if (x < 45) ++red_left;
            }
        }
    EXPECT_GT(red, 40) << "text colour 0x0000FF is red";
    EXPECT_EQ(red_left, 0) << "\"   88.8\" centred: its figures lie in the right half and middle";
    // The label's box has a black background with flag 0x1: the face shows around its text.
    EXPECT_EQ(rgb(s, 108, 40), 0x505050u);
    int white = 0;
    for (int y = 26; y < 42; ++y)
        for (int x = 10; x < 40; ++x)
            if (pixel(s, x, y).r > 200 && pixel(s, x, y).b > 200) ++white;
    EXPECT_GT(white, 20) << "left-aligned label text";
}

TEST(RenderText, ModuleTextBecomesUtf8AndFacesMapToInstalledFamilies) {
    EXPECT_EQ(host::text_to_utf8("12\xB0" "C"), "12\xC2\xB0" "C");
    EXPECT_EQ(host::text_to_utf8("\x80 1\n2"), "\xE2\x82\xAC 1 2");
    EXPECT_EQ(host::font_family_for("Arial"), "Liberation Sans");
    EXPECT_EQ(host::font_family_for("Courier New"), "Liberation Mono");
    EXPECT_EQ(host::font_family_for("DejaVu Sans"), "DejaVu Sans");
}

// ---- problems -----------------------------------------------------------------------------

TEST(RenderProblems, MissingOrTooSmallBitmapsAreReportedOnceAndNotDrawn) {
    Bench b;
    GaugeInstance& g = b.add("Broken_Gauge");
    cairo_surface_t* s = b.draw(g, {{TOKEN_A, 0.5}, {TOKEN_B, 1.0}});
    const std::vector<std::string> expected = {
        "Broken_Gauge: element 2 (static image, bitmap 699): bitmap 699 is not among the module's resources",
        "Broken_Gauge: element 3 (static image, bitmap 689): bitmap 689 cannot be drawn: bitmap of 32 bits",
        "Broken_Gauge: element 4 (needle, bitmap 691): needle bitmap 691 (8 x 4) does not contain its pivot (20, 2)",
        "Broken_Gauge: element 5 (moving image, bitmap 692): strip bitmap 692 (10 x 10) is smaller than its window 693",
        "Broken_Gauge: element 6 (sprite, bitmap 694): bitmap 695 is not among the module's resources",
        "Broken_Gauge: element 7 (icon, bitmap 696): image 1: bitmap 697 is not among the module's resources",
    };
    std::vector<std::string> problems = b.host.problems();
    ASSERT_EQ(problems.size(), expected.size()) << ::testing::PrintToString(problems);
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(problems[i].rfind(expected[i], 0), 0u) << problems[i];

    // Nothing of the broken elements is drawn; the element in front is.
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            bool front = x >= 30 && x < 38 && y >= 30 && y < 38;
            uint32_t c = rgb(s, x, y);
            if (front) EXPECT_EQ(c, 0xFFFFFFu) << x << "," << y;
            else if (c != 0x303030u) ADD_FAILURE() << "broken element drawn at " << x << "," << y;
        }
    // Icon image 1 is missing: nothing drawn and nothing more reported.
    s = b.draw(g, {{TOKEN_B, 1.0}});
    EXPECT_EQ(rgb(s, 5, 35), 0x303030u);
    EXPECT_EQ(b.host.problems().size(), expected.size()) << "each problem is reported once";
    // Image 0 is there.
    s = b.draw(g, {{TOKEN_B, 0.0}});
    EXPECT_EQ(rgb(s, 5, 35), 0x00C000u);
}

TEST(RenderProblems, PanelNamingAnUnknownGaugeOrModuleGivesItsLine) {
    for (const char* line : {"gauge01=RenderFixture!No_Such_Gauge, 0, 0", "gauge01=NoSuchModule!Gauge, 0, 0"}) {
        Host h;
        h.add_module_dir(FIXTURE_DIR);
        std::string text = std::string("[Window00]\ngauge00=RenderFixture!Static_Gauge, 0, 0\n") + line + "\n";
        try {
            h.load_panel(host::parse_panel_config(text, "panel.cfg"));
            ADD_FAILURE() << "no error for " << line;
        } catch (const host::PanelConfigError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("panel.cfg:3: ", 0), 0u) << e.what();
        }
    }
}

// ---- caching and services ------------------------------------------------------------------

TEST(RenderCache, RedrawsOnlyWhenWhatTheElementsShowChanges) {
    Bench b;
    GaugeInstance& g = b.add("Needle_Gauge");
    b.draw(g, {{TOKEN_A, 10.0}});
    EXPECT_EQ(b.renderer.gauges_drawn(), 1u);
    b.draw(g, {{TOKEN_A, 10.0}});
    EXPECT_EQ(b.renderer.gauges_drawn(), 1u) << "nothing changed";
    cairo_surface_t* s = b.draw(g, {{TOKEN_A, 50.0}});
    EXPECT_EQ(b.renderer.gauges_drawn(), 2u);
    EXPECT_LT(angle_between(direction_deg(tip_offset(s)), 0.0), 3.0) << "the new value is drawn";
    b.renderer.set_night(true);
    b.renderer.gauge_picture(g);
    EXPECT_EQ(b.renderer.gauges_drawn(), 3u) << "the light changed";
}

TEST(RenderCache, PictureRedrawnWhereItChangedMatchesAFreshOne) {
    // Each step changes some values; the kept picture, redrawn only where
    // elements changed, must equal a picture drawn whole by a new renderer.
    const double a_values[] = {0, 13.5, 13.5, 95, 180, 181, 2.5, 2.5, 3, 1, -4, 44.4, 150, 120};
    const double b_values[] = {0, 0, 3, 3, -7, 12.25, 1, 0, 0, 1, 1, 5, 0, 0};
    for (const char* name : {"Needle_Gauge", "Sprite_Gauge", "Slider_Gauge", "Moving_Gauge",
                             "Icon_Gauge", "Hidden_Gauge", "String_Gauge", "Broken_Gauge"}) {
        SCOPED_TRACE(name);
        Bench b;
        GaugeInstance& g = b.add(name);
        for (size_t step = 0; step < std::size(a_values); ++step) {
            cairo_surface_t* kept = b.draw(g, {{TOKEN_A, a_values[step]}, {TOKEN_B, b_values[step]},
                                               {TOKEN_HIDE, double(step % 3 == 1)}});
            Renderer fresh(b.host);
            EXPECT_EQ(all_pixels(kept), all_pixels(fresh.gauge_picture(g))) << "step " << step;
        }
    }
}

TEST(RenderServices, DrawServicesBracketEveryDrawingOfAVersion800Gauge) {
    Bench b;
    GaugeInstance& g = b.add("Static_Gauge");
    b.host.install_all();
    b.host.frame();
    for (int round = 0; round < 2; ++round) {  // the second time from the kept picture
        size_t before = b.host.model().log().size();
        b.renderer.gauge_picture(g);
        const auto& log = b.host.model().log();
        ASSERT_EQ(log.size(), before + 2);
        EXPECT_EQ(log[before].id, EVENT_SERVICE_BASE + PANEL_SERVICE_PRE_DRAW);
        EXPECT_EQ(log[before + 1].id, EVENT_SERVICE_BASE + PANEL_SERVICE_POST_DRAW);
    }
}

// ---- panels ----------------------------------------------------------------------------------

TEST(RenderPanel, WindowsPlaceAndScaleTheirGauges) {
    Host h;
    h.add_module_dir(FIXTURE_DIR);
    Renderer r(h);
    const char* text =
        "[Window00]\n"
        "size_mm=200,100\n"
        "position=0,0\n"
        "background_color=10,20,30\n"
        "gauge00=RenderFixture!Static_Gauge, 10, 20, 126\n"  // twice its 63 x 47: height 94
        "gauge01=RenderFixture!Icon_Gauge, 150, 0\n"          // default width 30 mm: 30 x 15
        "[Window01]\n"
        "size_mm=40,20\n"
        "position=200,0\n"
        "visible=0\n"
        "ident=5\n"
        "background_color=200,0,0\n"
        "gauge00=RenderFixture!Hidden_Gauge, 0, 0, 40, 20\n";
    h.load_panel(host::parse_panel_config(text, "panel.cfg"));
    h.vars().set_number(TOKEN_A, 1.0);  // the icon shows its green image
    h.install_all();
    h.frame();

    EXPECT_EQ(r.panel_size(*h.find_instance("Static_Gauge")), (host::PixelSize{126, 94}));
    host::GaugeLine huge;
    huge.width = 900000;  // the configuration allows it; the picture is cut down
    std::string error;
    GaugeInstance* big = h.add_gauge("RenderFixture", "Icon_Gauge", huge, 9, &error);
    ASSERT_NE(big, nullptr) << error;
    EXPECT_EQ(r.panel_size(*big), (host::PixelSize{4096, 4096}));
    EXPECT_EQ(r.panel_size(*h.find_instance("Icon_Gauge")), (host::PixelSize{30, 15}));

    host::Surface panel = r.panel_picture();
    ASSERT_TRUE(panel);
    EXPECT_EQ(cairo_image_surface_get_width(panel.get()), 200) << "the hidden window is left out";
    EXPECT_EQ(cairo_image_surface_get_height(panel.get()), 100);
    EXPECT_EQ(rgb(panel.get(), 5, 5), 0x0A141Eu) << "window background";
    // Static_Gauge's yellow frame (6, 8) in gauge pixels, scaled twice, from (10, 20).
    EXPECT_TRUE(near_rgb(panel.get(), 10 + 13, 20 + 17, 0xE0C020));
    EXPECT_TRUE(near_rgb(panel.get(), 10 + 72 + 14, 20 + 16 + 14, 0x000000)) << "the unkeyed black centre";
    // Icon_Gauge at half size: its image (20, 5, 20 x 20) lands at (160, 2.5, 10 x 10).
    EXPECT_TRUE(near_rgb(panel.get(), 165, 8, 0x00C000));

    h.toggle_window(5);  // a toggle button opens the second window
    panel = r.panel_picture();
    EXPECT_EQ(cairo_image_surface_get_width(panel.get()), 240);
    EXPECT_TRUE(near_rgb(panel.get(), 200 + 20, 10, 0x00C000)) << "Hidden_Gauge's green square, shown";

    host::Surface one = r.panel_picture(1);
    ASSERT_TRUE(one);
    EXPECT_EQ(cairo_image_surface_get_width(one.get()), 40);
    EXPECT_FALSE(r.panel_picture(7)) << "no such window";
    EXPECT_TRUE(h.problems().empty()) << h.problems().front();
}

TEST(RenderPanel, WindowBackgroundBitmapFillsTheWindowAndAMissingOneIsReportedWithItsLine) {
    Host h;
    h.add_module_dir(FIXTURE_DIR);
    Renderer r(h);
    const std::string text = std::string(
        "[Window00]\n"
        "size_mm=50,40\n"
        "background_color=0,0,255\n"
        "file=") + FIXTURE_DIR + "/fixture_641.bmp\n"  // 20 x 20 red, stretched
        "[Window01]\n"
        "size_mm=30,30\n"
        "background_color=0,0,255\n"
        "file=no_such_background.bmp\n";
    h.load_panel(host::parse_panel_config(text, "dir/panel.cfg"));
    host::Surface red = r.panel_picture(0);
    ASSERT_TRUE(red);
    EXPECT_EQ(rgb(red.get(), 1, 1), 0xFF0000u);
    EXPECT_EQ(rgb(red.get(), 48, 38), 0xFF0000u);
    EXPECT_TRUE(h.problems().empty()) << h.problems().front();

    host::Surface blue = r.panel_picture(1);
    ASSERT_TRUE(blue);
    EXPECT_EQ(rgb(blue.get(), 15, 15), 0x0000FFu) << "the colour stays where the bitmap is missing";
    ASSERT_EQ(h.problems().size(), 1u);
    EXPECT_EQ(h.problems()[0].rfind("dir/panel.cfg:5: window background dir/no_such_background.bmp", 0), 0u)
        << h.problems()[0];
    r.panel_picture(1);
    EXPECT_EQ(h.problems().size(), 1u) << "reported once";
}

// ---- the command line --------------------------------------------------------------------------

int run(const std::string& args) {
    std::string cmd = std::string(BIN_DIR) + "/panel-host " + args + " >/dev/null 2>&1";
    int st = std::system(cmd.c_str());
    return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

TEST(RenderCli, WritesTheGaugeOrPanelPictureAndRefusesUnknownWindows) {
    const std::string dir = ::testing::TempDir();
    const std::string modules = std::string(" --modules ") + FIXTURE_DIR;
    const std::string gauge_png = dir + "needle.png";
    std::remove(gauge_png.c_str());
    ASSERT_EQ(run("render --gauge RenderFixture!Needle_Gauge --set 1000=50" + modules + " -o " + gauge_png), 0);
    host::Surface picture(cairo_image_surface_create_from_png(gauge_png.c_str()));
    ASSERT_EQ(cairo_surface_status(picture.get()), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(picture.get()), 81);
    EXPECT_LT(angle_between(direction_deg(tip_offset(picture.get())), 0.0), 3.0);

    const std::string panel = dir + "render_cli.cfg";
    std::ofstream(panel) << "[Window00]\nsize_mm=100,60\ngauge00=RenderFixture!Slider_Gauge, 0, 0\n";
    const std::string panel_png = dir + "panel.png";
    EXPECT_EQ(run("render --panel " + panel + modules + " --night -o " + panel_png), 0);
    host::Surface whole(cairo_image_surface_create_from_png(panel_png.c_str()));
    ASSERT_EQ(cairo_surface_status(whole.get()), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(whole.get()), 100);
    EXPECT_EQ(run("render --panel " + panel + modules + " --window 3 -o " + panel_png), 2);
    EXPECT_EQ(run("render --panel " + panel + modules), 2) << "no -o";
    EXPECT_EQ(run("render --gauge RenderFixture!Nope" + modules + " -o " + panel_png), 2);
}

}  // namespace
