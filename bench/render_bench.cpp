// How fast the stand-in host draws the example panel (examples/panel.cfg):
//
//   BM_PanelFrame/steady   one frame of the host and the picture of every
//                          visible window, in a steady state (only the running
//                          time moves): what is kept is reused;
//   BM_PanelFrame/moving   the same with every flight value changing each frame,
//                          so that every flight instrument is drawn afresh;
//   BM_GaugesNative        every gauge of the panel at its native size each
//                          frame, flight values changing, no window composition;
//   BM_GaugesNativeAll     the same with day and night alternating, so that every
//                          gauge is drawn afresh every frame (the worst case).
//
// The "fps" counter is frames per second of wall time on one core. Run it from a
// build without sanitizers (`make bench`).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "host/host.h"
#include "host/render.h"

namespace {

// The in-flight state of scripts/show-panel.sh.
const std::pair<uint32_t, double> kCruise[] = {
    {61, 190},     {74, 6500},   {65, 384},   {69, 12},     {70, -300},   {78, 3},
    {80, -12},     {84, 255},    {855, 260},  {39, 25},     {40, 30},     {41, -25},
    {45, 260},     {48, 47332},  {289, 5872026}, {290, 105}, {390, 2300}, {391, 2458},
    {394, 0.45},   {416, 626.67}, {417, 653.67}, {418, 12289}, {425, 1229},
};

struct Cockpit {
    host::Host host;
    host::Renderer renderer{host};

    Cockpit() {
        host.add_module_dir(MODULE_DIR);
        for (auto [token, value] : kCruise) host.vars().set_number(token, value);
        host.vars().set_unsigned(132, 3);
        host.vars().set_unsigned(167, 3);
        host.vars().set_unsigned(276, 0);
        host.vars().set_unsigned(279, 0);
        host.load_panel(host::read_panel_config(std::string(SOURCE_DIR) + "/examples/panel.cfg"));
        host.install_all();
        host.frame();
    }

    // Every flight value a little further on: each flight instrument shows something new.
    void fly(int64_t frame) {
        double t = double(frame) * 0.05;
        auto& v = host.vars();
        v.set_number(61, 190 + 20 * std::sin(t));
        v.set_number(74, 6500 + 300 * std::sin(t * 0.7));
        v.set_number(65, 384 * std::cos(t * 0.7));
        v.set_number(69, 20 * std::sin(t * 1.3));
        v.set_number(70, -300 + 100 * std::sin(t));
        v.set_number(78, 3 + 5 * std::sin(t * 0.9));
        v.set_number(80, -12 + 20 * std::sin(t * 0.8));
        v.set_number(84, std::fmod(255 + frame * 0.3, 360.0));
        v.set_number(39, 25 + 10 * std::sin(t));
        v.set_number(40, 30 * std::sin(t));
        v.set_number(41, -25 * std::cos(t));
    }
};

void BM_PanelFrame(benchmark::State& state) {
    const bool moving = state.range(0) != 0;
    Cockpit c;
    int64_t frame = 0;
    c.renderer.panel_picture();  // bitmaps decoded, pictures made once
    for (auto _ : state) {
        if (moving) c.fly(++frame);
        c.host.frame();
        host::Surface picture = c.renderer.panel_picture();
        benchmark::DoNotOptimize(picture.get());
    }
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["gauges"] = double(c.host.instances().size());
    if (!c.host.problems().empty())
        state.SetLabel(std::to_string(c.host.problems().size()) + " host problems, first: " +
                       c.host.problems().front());
}
BENCHMARK(BM_PanelFrame)->ArgName("moving")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GaugesNative(benchmark::State& state) {
    Cockpit c;
    int64_t frame = 0;
    for (const auto& g : c.host.instances()) c.renderer.gauge_picture(*g);
    for (auto _ : state) {
        c.fly(++frame);
        c.host.frame();
        for (const auto& g : c.host.instances()) benchmark::DoNotOptimize(c.renderer.gauge_picture(*g));
    }
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["gauges"] = double(c.host.instances().size());
}
BENCHMARK(BM_GaugesNative)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GaugesNativeAll(benchmark::State& state) {
    Cockpit c;
    int64_t frame = 0;
    for (const auto& g : c.host.instances()) c.renderer.gauge_picture(*g);
    c.renderer.set_night(true);
    for (const auto& g : c.host.instances()) c.renderer.gauge_picture(*g);
    for (auto _ : state) {
        c.fly(++frame);
        c.host.frame();
        c.renderer.set_night(frame % 2 == 0);
        for (const auto& g : c.host.instances()) benchmark::DoNotOptimize(c.renderer.gauge_picture(*g));
    }
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["gauges"] = double(c.host.instances().size());
}
BENCHMARK(BM_GaugesNativeAll)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
