// Metric_Switch through the host: the click flips the panel's unit flag, the
// lever follows, the dual-scale instruments follow at their next update, and
// the click sounds WAVE 30 (or nothing, once sound is off).
#include <gtest/gtest.h>

#include "host/host.h"
#include "module/korvane.h"
#include "tests/sound_test_support.h"

namespace {

using namespace sound_test;

constexpr size_t kLever = 1;         // chain: plate 240, lever icon 250/251
constexpr size_t kAirspeedBritishFace = 1;
constexpr int kInsideX = 48, kInsideY = 22;

class UnitsSwitchTest : public SoundFixture {
protected:
    void SetUp() override {
        SoundFixture::SetUp();
        british_units = 0;
    }
    void TearDown() override {
        if (host_) {
            EXPECT_TRUE(host_->problems().empty()) << host_->problems().front();
            host_.reset();  // removes every gauge
        }
        british_units = 0;
        SoundFixture::TearDown();
    }

    // The module linked into the test, its WAVE 30 the generated one unless
    // `with_wave` is false.
    void start(bool with_wave = true) {
        host_ = std::make_unique<host::Host>();
        host::ResourceSet resources;
        if (with_wave) {
            wave_ = module_wave_file(30);
            ASSERT_FALSE(wave_.empty()) << "the art generator writes korvane_wave_30.wav";
            resources.add(host::Resource{"WAVE", 30, 1036, wave_});
        }
        std::string error;
        ASSERT_NE(host_->attach_module("Korvane", korvane_linkage(), &ImportTable,
                                       std::move(resources), &error), nullptr) << error;
    }
    host::GaugeInstance* add(const char* gauge, int window = 0) {
        std::string error;
        host::GaugeInstance* g = host_->add_gauge("Korvane", gauge, host::GaugeLine{}, window, &error);
        EXPECT_NE(g, nullptr) << error;
        return g;
    }
    int lever(host::GaugeInstance& g) {
        host_->update(g);
        return g.elements[kLever].icon_index;
    }

    std::unique_ptr<host::Host> host_;
    Bytes wave_;
};

TEST_F(UnitsSwitchTest, EachLeftClickFlipsTheFlagTheLeverAndTheInstruments) {
    start();
    host::GaugeInstance* sw = add("Metric_Switch");
    host::GaugeInstance* airspeed = add("Airspeed");
    host_->install_all();
    EXPECT_EQ(lever(*sw), 0) << "the module loads in metric units, image 250";

    const int expected_flags[] = {1, 0, 1};
    for (int flag : expected_flags) {
        host::ClickResult r = host_->click(*sw, kInsideX, kInsideY, MOUSE_LEFTSINGLE);
        EXPECT_TRUE(r.hit);
        EXPECT_TRUE(r.events.empty()) << "nothing goes to the host";
        EXPECT_EQ(british_units, flag);
        EXPECT_EQ(lever(*sw), flag) << "image 250 + " << flag;
        host_->update(*airspeed);
        EXPECT_EQ(airspeed->elements[kAirspeedBritishFace].icon_index, flag == 1 ? 0 : -1);
    }
}

TEST_F(UnitsSwitchTest, ARightClickDoesNothing) {
    start();
    host::GaugeInstance* sw = add("Metric_Switch");
    host_->install_all();
    stand_in_reset();
    host::ClickResult r = host_->click(*sw, kInsideX, kInsideY, MOUSE_RIGHTSINGLE);
    EXPECT_FALSE(r.hit);
    EXPECT_EQ(british_units, 0);
    EXPECT_EQ(lever(*sw), 0);
    EXPECT_TRUE(sound_calls(STAND_IN_BUFFER_PLAY).empty());
}

TEST_F(UnitsSwitchTest, TheClickPlaysWave30OnceWithoutLooping) {
    start();
    host::GaugeInstance* sw = add("Metric_Switch");
    host_->install_all();
    auto created = sound_calls(STAND_IN_SOUND_CREATE_BUFFER);
    ASSERT_EQ(created.size(), 1u);
    STAND_IN_BUFFER_INFO info{};
    ASSERT_TRUE(stand_in_buffer_info(created[0].object, &info));
    EXPECT_EQ(info.description.dwBufferBytes, 6014u);
    EXPECT_EQ(Bytes(info.bytes, info.bytes + 6014), chunk_data(wave_, "data"));

    host_->click(*sw, kInsideX, kInsideY, MOUSE_LEFTSINGLE);
    auto plays = sound_calls(STAND_IN_BUFFER_PLAY);
    ASSERT_EQ(plays.size(), 1u);
    EXPECT_EQ(plays[0].object, created[0].object);
    EXPECT_EQ(plays[0].args[2], 0u);
    EXPECT_EQ(plays[0].result, DS_OK);
}

TEST_F(UnitsSwitchTest, TwoInstancesShareTheFlagAndOneSound) {
    start();
    host::GaugeInstance* first = add("Metric_Switch", 0);
    host::GaugeInstance* second = add("Metric_Switch", 1);
    host_->install_all();
    EXPECT_EQ(sound_calls(STAND_IN_SOUND_CREATE).size(), 1u);
    EXPECT_EQ(sound_calls(STAND_IN_SOUND_CREATE_BUFFER).size(), 1u);

    host_->click(*second, kInsideX, kInsideY, MOUSE_LEFTSINGLE);
    EXPECT_EQ(lever(*first), 1);
    EXPECT_EQ(lever(*second), 1);
    host_->click(*first, kInsideX, kInsideY, MOUSE_LEFTSINGLE);
    EXPECT_EQ(lever(*first), 0);
    EXPECT_EQ(lever(*second), 0);
    EXPECT_EQ(sound_calls(STAND_IN_BUFFER_PLAY).size(), 2u);

    host_->remove_all();
    EXPECT_EQ(sound_calls(STAND_IN_BUFFER_RELEASE).size(), 1u);
    EXPECT_EQ(sound_calls(STAND_IN_SOUND_RELEASE).size(), 1u);
    EXPECT_EQ(dead_calls(), 0u);
    EXPECT_EQ(added().devices, 0u);
    EXPECT_EQ(added().buffers, 0u);
}

TEST_F(UnitsSwitchTest, WithoutItsWaveTheSwitchWorksSilently) {
    start(/*with_wave=*/false);
    host::GaugeInstance* sw = add("Metric_Switch");
    host_->install_all();
    EXPECT_EQ(sound_enabled, 0);
    host_->click(*sw, kInsideX, kInsideY, MOUSE_LEFTSINGLE);
    EXPECT_EQ(british_units, 1);
    EXPECT_EQ(lever(*sw), 1);
    EXPECT_TRUE(sound_calls(STAND_IN_BUFFER_PLAY).empty());
}

TEST_F(UnitsSwitchTest, TooltipNamesBothUnitSystems) {
    start();
    host::GaugeInstance* sw = add("Metric_Switch");
    host_->install_all();
    EXPECT_EQ(host_->tooltip(*sw, kInsideX, kInsideY),
              std::optional<std::string>("Switches between metric (german) and british units"));
}

}  // namespace
