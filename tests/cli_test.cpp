// panel-host on the command line: its outputs and its answers to bad input.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

struct Outcome {
    int status = -1;
    std::string out;  // stdout and stderr together
};

Outcome run(const std::string& args) {
    std::string cmd = std::string(BIN_DIR) + "/panel-host " + args + " 2>&1";
    Outcome r;
    FILE* p = popen(cmd.c_str(), "r");
    if (p == nullptr) return r;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

std::string write_panel(const std::string& name, const std::string& text) {
    std::string path = ::testing::TempDir() + name;
    std::ofstream(path) << text;
    return path;
}

const std::string kModules = std::string(" --modules ") + MODULE_DIR;

TEST(Cli, ListShowsGaugesInListOrderWithDefaultWidths) {
    Outcome r = run("list " + std::string(MODULE_DIR) + "/Korvane.so");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Airspeed 100\n"), std::string::npos) << r.out;
    Outcome by_name = run("list Korvane" + kModules);
    EXPECT_EQ(by_name.out, r.out);
}

TEST(Cli, FramePrintsEveryElementAsJson) {
    std::string panel = write_panel("frame.cfg", "[Window00]\ngauge00=Korvane!Airspeed, 0, 0\n");
    Outcome r = run("frame --panel " + panel + " --set 61=0 --frames 2" + kModules);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.rfind("{\"gauges\":[{\"window\":0,\"module\":\"Korvane\",\"gauge\":\"Airspeed\"", 0), 0u)
        << r.out;
    EXPECT_NE(r.out.find("{\"index\":3,\"kind\":\"needle\",\"bitmap\":310,\"hidden\":false,\"value\":0,"
                         "\"angle\":90}"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"problems\":[]"), std::string::npos);
}

TEST(Cli, TooltipAndClickOnAGaugeWithoutChildAreas) {
    std::string panel = write_panel("tip.cfg", "[Window00]\ngauge00=Korvane!Airspeed, 0, 0\n");
    Outcome tip = run("tooltip --panel " + panel + " --gauge Airspeed --at 150,200" + kModules);
    ASSERT_EQ(tip.status, 0) << tip.out;
    EXPECT_EQ(tip.out, "Airspeed indicator (knots)\n");
    Outcome click = run("click --panel " + panel + " --gauge Airspeed --at 150,200" + kModules);
    ASSERT_EQ(click.status, 0) << click.out;
    EXPECT_NE(click.out.find("\"hit\":false,\"events\":[],\"variables\":{}"), std::string::npos)
        << click.out;
}

TEST(Cli, BadInputGivesAClearMessageAndNonZeroExit) {
    std::string good = write_panel("good.cfg", "[Window00]\ngauge00=Korvane!Airspeed, 0, 0\n");
    std::string unknown_gauge =
        write_panel("ug.cfg", "[Window00]\nsize_mm=10,10\ngauge00=Korvane!Nope, 0, 0\n");
    std::string unknown_module = write_panel("um.cfg", "[Window00]\ngauge00=Nowhere!Airspeed, 0, 0\n");
    std::string malformed = write_panel("bad.cfg", "[Window00]\n\n\ngauge00=Korvane!Airspeed\n");
    struct Case {
        std::string args;
        std::string message;
    };
    const Case cases[] = {
        {"list /nonexistent/Korvane.so", "cannot load /nonexistent/Korvane.so"},
        {"list Nowhere" + kModules, "module 'Nowhere' not found"},
        {"frame --panel " + unknown_gauge + kModules, unknown_gauge + ":3: module 'Korvane' has no gauge 'Nope'"},
        {"frame --panel " + unknown_module + kModules, unknown_module + ":2: module 'Nowhere' not found"},
        {"frame --panel " + malformed + kModules, malformed + ":4: gauge line needs"},
        {"frame --panel /nonexistent.cfg", "cannot read panel configuration"},
        {"frame --panel " + good + " --set 61" + kModules, "--set: expected TOKEN=VALUE"},
        {"frame --panel " + good + " --set 23=-4" + kModules, "token 23 takes an unsigned 32-bit integer"},
        {"frame --panel " + good + " --set 61=fast" + kModules, "token 61 takes a number"},
        {"frame --panel " + good + " --frames -1" + kModules, "--frames takes an integer"},
        {"frame --panel " + good + " --bogus" + kModules, "unknown option --bogus"},
        {"frame", "--panel FILE is required"},
        {"click --panel " + good + " --gauge Airspeed --at 1" + kModules, "--at takes X,Y"},
        {"click --panel " + good + " --gauge Altimeter_X --at 1,1" + kModules, "the panel holds no gauge 'Altimeter_X'"},
        {"fly", "unknown command 'fly'"},
        {"", "usage: panel-host"},
    };
    for (const Case& c : cases) {
        Outcome r = run(c.args);
        EXPECT_NE(r.status, 0) << c.args;
        EXPECT_NE(r.status, -1) << "crashed: " << c.args;
        EXPECT_NE(r.out.find("panel-host: " + c.message), std::string::npos) << c.args << "\n" << r.out;
    }
}

}  // namespace
