// Mouse areas and tooltips as the host reads them from a gauge's mouse list.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "host/mouse.h"
#include "module/gauge_builders.h"

namespace {

MOUSE_CLICK g_last_click;
uint32_t g_last_flags = 0;
int g_calls = 0;

int32_t FSAPI record_click(MOUSE_CLICK* click, uint32_t flags) {
    g_last_click = *click;
    g_last_flags = flags;
    ++g_calls;
    return 0;
}

double g_number = 118.125;
const char* g_text = "on";
double FSAPI arg_number(double, uint32_t, const char*, MODULE_VAR*, GAUGEHDR*) { return g_number; }
const char* FSAPI arg_text(double, uint32_t, const char*, MODULE_VAR*, GAUGEHDR*) { return g_text; }
const char* FSAPI arg_band(double, uint32_t, const char*, MODULE_VAR*, GAUGEHDR*) { return "410-850"; }

const TOOLTIP_ARG args[] = {tooltip_number(arg_number), tooltip_text(arg_text), tooltip_text(arg_band)};

MOUSERECT nested[] = {
    mouse_parent({0, 0, 0, 0}, 0x3170),                              // 0 whole gauge
    mouse_parent({100, 50, 200, 100}),                               // 1 at (100, 50)
    mouse_tooltip_format("Band selector (%3!s! KHz)", args, 3),      // 2
    mouse_child_function({10, 10, 50, 20}, CURSOR_HAND, MOUSE_LEFTSINGLE, record_click),  // 3: (110,60)-(160,80)
    mouse_child_event({10, 40, 50, 20}, CURSOR_HAND, 0xa0200000, 0x1024A),                // 4: (110,90)-(160,110)
    mouse_end(),
    mouse_parent({0, 300, 50, 50}),                                  // 6
    mouse_tooltip_text("Just a text"),
    mouse_end(),
    mouse_end(),
    mouse_list_end(),
};

TEST(MouseLayout, ChildBoxesAreRelativeToTheirParent) {
    host::MouseLayout layout = host::layout_mouse_rects(nested, 400, 400);
    EXPECT_TRUE(layout.problems.empty());
    const host::MouseArea* a = host::find_child_area(layout, 110, 60, MOUSE_LEFTSINGLE);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->rect, &nested[3]);
    EXPECT_EQ(host::find_child_area(layout, 109, 60, MOUSE_LEFTSINGLE), nullptr);
    EXPECT_EQ(host::find_child_area(layout, 160, 60, MOUSE_LEFTSINGLE), nullptr) << "right edge excluded";
    EXPECT_EQ(host::find_child_area(layout, 110, 60, MOUSE_RIGHTSINGLE), nullptr)
        << "a left-click area does not answer the right button";
    const host::MouseArea* b = host::find_child_area(layout, 159, 109, MOUSE_RIGHTSINGLE);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->rect->event_id, 0x1024Au);
}

TEST(MouseLayout, BrokenListsAreReported) {
    MOUSERECT unbalanced[] = {mouse_parent({0, 0, 0, 0}), mouse_list_end()};
    MOUSERECT stray_end[] = {mouse_end(), mouse_list_end()};
    MOUSERECT orphan_child[] = {mouse_child_event({0, 0, 1, 1}, CURSOR_HAND, MOUSE_LEFTSINGLE, 1),
                                mouse_list_end()};
    MOUSERECT negative[] = {mouse_parent({0, 0, 0, 0}), mouse_parent({0, 0, -1, 5}), mouse_end(),
                            mouse_end(), mouse_list_end()};
    for (const MOUSERECT* list : {+unbalanced, +stray_end, +orphan_child, +negative})
        EXPECT_FALSE(host::layout_mouse_rects(list, 10, 10).problems.empty());
    EXPECT_FALSE(host::layout_mouse_rects(nullptr, 10, 10).problems.empty());
}

TEST(Tooltip, InnermostAreaWithATooltipWins) {
    host::MouseLayout layout = host::layout_mouse_rects(nested, 400, 400);
    auto inner = host::find_tooltip(layout, 120, 70);
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->tooltip, &nested[2]);
    auto outer = host::find_tooltip(layout, 5, 5);
    ASSERT_TRUE(outer);
    EXPECT_EQ(outer->tooltip, nullptr);
    EXPECT_EQ(outer->help_id, 0x3170u);
    auto text = host::find_tooltip(layout, 10, 310);
    ASSERT_TRUE(text);
    EXPECT_STREQ(text->tooltip->action.text, "Just a text");
}

TEST(Tooltip, FormatsInsertsFromTheirArguments) {
    struct Case {
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {"Band selector (%3!s! KHz)", "Band selector (410-850 KHz)"},  // only argument 3 named
        {"Communications Radio COM1 - %1!07.3f! MHz", "Communications Radio COM1 - 118.125 MHz"},
        {"COM1 main switch (%2!s!)", "COM1 main switch (on)"},
        {"%1!d! and %2!s!", "118 and on"},
        {"100%% sure", "100% sure"},
        {"%4!s! is not there", "%4!s! is not there"},      // no fourth argument
        {"%1!n! is refused", "%1!n! is refused"},          // not a safe conversion
        {"%1!999f! is refused", "%1!999f! is refused"},    // width too large
        {"%1!s no end", "%1!s no end"},
        {"trailing %", "trailing %"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(host::format_tooltip(c.format, args, 3, nullptr), c.expected) << c.format;
}

TEST(Tooltip, NonFiniteNumbersAndNullTextsAreSafe) {
    const double saved = g_number;
    const char* saved_text = g_text;
    g_text = nullptr;
    for (double v : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                     -1e300}) {
        g_number = v;
        std::string s = host::format_tooltip("%1!d! %1!u! %1!07.3f! [%2!s!]", args, 3, nullptr);
        EXPECT_NE(s.find("[]"), std::string::npos) << s;
    }
    g_number = saved;
    g_text = saved_text;
}

}  // namespace
