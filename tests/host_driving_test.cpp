// How the host drives a gauge: the order of services, parameter text, clicks
// that call a mouse function or send a key event, and calls the host does not
// provide. The gauge is a small module linked into the test.
#include <gtest/gtest.h>

#include <vector>

#include "host/host.h"
#include "module/gauge_builders.h"

namespace {

std::vector<uint32_t> g_services;
std::vector<std::string> g_parameters;
uintptr_t g_install_extra = 0;
MOUSE_CLICK g_click{};
uint32_t g_click_flags = 0;
double g_seen_source = 0;
PANELS* g_table = nullptr;

void FSAPI probe_service(GAUGEHDR* gauge, uint32_t service, uintptr_t extra) {
    g_services.push_back(service);
    if (service == PANEL_SERVICE_PRE_INSTALL) {
        g_install_extra = extra;
        g_parameters.push_back(gauge->parameters ? gauge->parameters : "(null)");
    }
}

int32_t FSAPI probe_click(MOUSE_CLICK* click, uint32_t flags) {
    g_click = *click;
    g_click_flags = flags;
    g_table->trigger_key_event(0x10188, 7);
    return 0;
}

double FSAPI probe_needle(NEEDLE* n) {
    g_seen_source = n->source.var_value.n;
    MODULE_VAR v{};
    v.id = 23;
    g_table->lookup_var(&v);
    return double(v.var_value.u);  // an integer token through lookup_var
}

extern GAUGEHDR probe_gauge;
namespace {
extern NEEDLE probe_needle_element;
ELEMENT_HEADER* probe_after_1[] = {&probe_needle_element.header, nullptr};
constinit STATIC_IMAGE probe_face = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 1, {0, 0}, {0, 0}, &probe_gauge, probe_after_1,
                             nullptr, 0x3),
};
constinit NEEDLE probe_needle_element = {
    .header = element_header(ELEMENT_NEEDLE, 2, {50, 50}, {5, 5}, &probe_gauge, nullptr, nullptr, 0x3),
    .source = token_source(61),
    .update_cb = probe_needle,
};
ELEMENT_HEADER* probe_elements[] = {&probe_face.header, nullptr};
MOUSERECT probe_mouse[] = {
    mouse_parent({0, 0, 0, 0}),
    mouse_parent({20, 20, 60, 60}),
    mouse_child_function({10, 10, 20, 20}, CURSOR_HAND, MOUSE_LEFTSINGLE, probe_click),
    mouse_child_event({10, 40, 20, 20}, CURSOR_HAND, MOUSE_RIGHTSINGLE, 0x10189),
    mouse_end(),
    mouse_end(),
    mouse_list_end(),
};
}  // namespace
constinit GAUGEHDR probe_gauge = gauge_header("Probe", 50, probe_elements, probe_mouse, probe_service);

IMPORT_TABLE probe_imports = {{IMPORT_TABLE_PANELS_ID, nullptr}, {0, nullptr}};
void FSAPI probe_init() {}
LINKAGE<1> probe_linkage = {{0x13, probe_init, probe_init, 0, 0, 0x900}, {&probe_gauge, nullptr}};

class HostDriving : public ::testing::Test {
protected:
    void SetUp() override {
        g_services.clear();
        g_parameters.clear();
        std::string error;
        module_ = host_.attach_module("Probe", &probe_linkage.head, &probe_imports, {}, &error);
        ASSERT_NE(module_, nullptr) << error;
        g_table = probe_imports.panels.table;
        ASSERT_EQ(g_table, &host_.table());
    }
    host::GaugeInstance* add(const std::string& params, bool has_params = true) {
        host::GaugeLine line;
        line.parameters = params;
        line.has_parameters = has_params;
        std::string error;
        host::GaugeInstance* g = host_.add_gauge("Probe", "Probe", line, 0, &error);
        EXPECT_NE(g, nullptr) << error;
        return g;
    }

    host::Host host_;
    host::LoadedModule* module_ = nullptr;
};

TEST_F(HostDriving, ServicesComeInTheSimulatorsOrder) {
    add("a1");
    host_.install_all();
    EXPECT_EQ(g_install_extra, module_->resource_handle());
    host_.frame();
    host_.frame();
    host_.remove_all();
    const std::vector<uint32_t> expected = {2, 3, 4, 5, 14, 6, 7, 6, 7, 12, 13};
    EXPECT_EQ(g_services, expected);
}

TEST_F(HostDriving, EachInstanceIsHandedItsOwnParameterText) {
    add("o50 t75");
    add("", false);
    add("b160");
    host_.install_all();
    EXPECT_EQ(g_parameters, (std::vector<std::string>{"o50 t75", "", "b160"}));
}

TEST_F(HostDriving, ValueCallbacksSeeRefreshedSourcesAndIntegerTokens) {
    host::GaugeInstance* g = add("");
    host_.install_all();
    host_.vars().set_number(61, 123.5);
    host_.vars().set_unsigned(23, 0x1812);
    host_.frame();
    EXPECT_EQ(g_seen_source, 123.5);
    EXPECT_EQ(g->elements[1].value, double(0x1812));
    EXPECT_NEAR(g->elements[1].angle_deg, host::normalize_deg(0x1812), 1e-9)
        << "a needle without a table turns by its value in degrees";
}

TEST_F(HostDriving, ClickCallsTheMouseFunctionWithTheAreaRelativePoint) {
    host::GaugeInstance* g = add("");
    host_.install_all();
    host::ClickResult r = host_.click(*g, 35, 33, MOUSE_LEFTSINGLE);
    ASSERT_TRUE(r.hit);
    EXPECT_EQ(g_click.x, 5);
    EXPECT_EQ(g_click.y, 3);
    EXPECT_EQ(g_click.gauge, &probe_gauge);
    EXPECT_EQ(g_click.rect, &probe_mouse[2]);
    EXPECT_EQ(g_click_flags, MOUSE_LEFTSINGLE);
    ASSERT_EQ(r.events.size(), 1u);
    EXPECT_EQ(r.events[0].id, 0x10188u);
    EXPECT_EQ(r.events[0].value, 7u);
}

TEST_F(HostDriving, AreaWithAnEventMakesTheHostSendIt) {
    host::GaugeInstance* g = add("");
    host_.install_all();
    EXPECT_FALSE(host_.click(*g, 35, 65, MOUSE_LEFTSINGLE).hit) << "answers the right button only";
    host::ClickResult r = host_.click(*g, 35, 65, MOUSE_RIGHTSINGLE);
    ASSERT_TRUE(r.hit);
    ASSERT_EQ(r.events.size(), 1u);
    EXPECT_EQ(r.events[0].id, 0x10189u);
    EXPECT_EQ(r.events[0].value, 0u);
    EXPECT_FALSE(host_.click(*g, 5, 5, MOUSE_LEFTSINGLE).hit);
}

TEST_F(HostDriving, EveryTableEntryIsAFunctionAndUnknownOnesAreReported) {
    EXPECT_TRUE(host_.problems().empty());
    g_table->unused_a4[0]();  // entry +0xA4
    ASSERT_EQ(host_.problems().size(), 1u);
    EXPECT_NE(host_.problems()[0].find("+0xA4"), std::string::npos) << host_.problems()[0];
    const char* text = nullptr;
    EXPECT_EQ(g_table->execute_calculator_code("(A:ATC ID,string)", nullptr, nullptr, &text), 1);
    EXPECT_STREQ(text, "D-IKOR");
}

}  // namespace
