// The click-sound life cycle that every sound-using gauge follows: one device and
// one buffer per gauge, shared by all its instances, released with the last one.
#include <gtest/gtest.h>

#include <string>

#include "tests/sound_test_support.h"

namespace {

using namespace sound_test;

class LifeCycleTest : public SoundFixture {
protected:
    void SetUp() override {
        SoundFixture::SetUp();
        add_wave(30, riff("WAVE", {{"fmt ", pcm_format(1, 22050, 16)}, {"data", samples(400)},
                                   list_chunk()}));
        add_wave(10, riff("WAVE", {{"fmt ", pcm_format(1, 22050, 16)}, {"data", samples(300)}}));
    }
    CLICK_SOUND sound_ = {};
};

TEST_F(LifeCycleTest, InstallKeepsTheModuleAndWindowAndOpensAndLoads) {
    click_sound_install(&sound_, 30, module_value());
    EXPECT_EQ(sound_.module, module());
    EXPECT_EQ(sound_.window, window_);
    ASSERT_NE(sound_.device, nullptr);
    ASSERT_NE(sound_.buffer, nullptr);
    auto level = sound_calls(STAND_IN_SOUND_COOPERATIVE_LEVEL);
    ASSERT_EQ(level.size(), 1u);
    EXPECT_EQ(level[0].args[0], reinterpret_cast<uintptr_t>(window_));
    EXPECT_EQ(level[0].args[1], 1u);  // normal level

    EXPECT_EQ(click_sound_play(&sound_), 1);
    click_sound_remove(&sound_);
    EXPECT_EQ(sound_.device, nullptr);
    EXPECT_EQ(sound_.buffer, nullptr);
    // The buffer goes before the device that made it.
    auto releases_buffer = sound_calls(STAND_IN_BUFFER_RELEASE);
    auto releases_device = sound_calls(STAND_IN_SOUND_RELEASE);
    ASSERT_EQ(releases_buffer.size(), 1u);
    ASSERT_EQ(releases_device.size(), 1u);
    EXPECT_EQ(dead_calls(), 0u);
    EXPECT_EQ(added().devices, 0u);
    EXPECT_EQ(added().buffers, 0u);
}

// Two instances of one gauge (the gauge on two panel windows), installed and
// removed in every order, with a click after every step. 'I' installs an
// instance, 'R' removes one, 'P' clicks.
struct InstanceOrder {
    const char* steps;
};

const InstanceOrder instance_orders[] = {
    {"IPIPRPRP"},    // the first one installed goes first
    {"IIPRRP"},
    {"IPRPIPRP"},    // one after the other
    {"IIRIPRRP"},    // a third instance while one is still there
    {"RPIPRRP"},     // removals without an install are ignored
};

void PrintTo(const InstanceOrder& c, std::ostream* os) { *os << c.steps; }

class InstanceOrderTest : public LifeCycleTest,
                          public ::testing::WithParamInterface<InstanceOrder> {};

TEST_P(InstanceOrderTest, OneDeviceAndBufferWhileAnyInstanceLivesNoneAfter) {
    const std::string steps = GetParam().steps;
    int live = 0;
    size_t expected_plays = 0;
    size_t expected_opens = 0;
    for (size_t i = 0; i < steps.size(); ++i) {
        const std::string at = steps.substr(0, i + 1);
        switch (steps[i]) {
        case 'I':
            if (live++ == 0) ++expected_opens;
            click_sound_install(&sound_, 30, module_value());
            break;
        case 'R':
            if (live > 0) --live;
            click_sound_remove(&sound_);
            break;
        case 'P':
            if (live > 0) ++expected_plays;
            EXPECT_EQ(click_sound_play(&sound_), live > 0 ? 1 : 0) << at;
            break;
        }
        STAND_IN_COUNTS a = added();
        EXPECT_EQ(a.devices, live > 0 ? 1u : 0u) << at;
        EXPECT_EQ(a.buffers, live > 0 ? 1u : 0u) << at;
        EXPECT_EQ(sound_.buffer != nullptr, live > 0) << at;
        EXPECT_EQ(sound_.installs, static_cast<uint32_t>(live)) << at;
    }
    EXPECT_EQ(sound_calls(STAND_IN_SOUND_CREATE).size(), expected_opens);
    EXPECT_EQ(sound_calls(STAND_IN_BUFFER_PLAY).size(), expected_plays);
    EXPECT_EQ(dead_calls(), 0u) << "no call on a released device or buffer";
    EXPECT_EQ(sound_enabled, 1);
}

INSTANTIATE_TEST_SUITE_P(Orders, InstanceOrderTest, ::testing::ValuesIn(instance_orders));

TEST_F(LifeCycleTest, GaugesKeepTheirOwnSounds) {
    CLICK_SOUND other = {};
    click_sound_install(&sound_, 30, module_value());
    click_sound_install(&other, 10, module_value());
    ASSERT_NE(other.buffer, sound_.buffer);
    click_sound_remove(&sound_);
    EXPECT_EQ(click_sound_play(&other), 1) << "removing one gauge leaves the other's click";
    click_sound_remove(&other);
    EXPECT_EQ(added().devices, 0u);
    EXPECT_EQ(added().buffers, 0u);
    EXPECT_EQ(dead_calls(), 0u);
}

TEST_F(LifeCycleTest, AfterSoundWentOffInstallsOpenADeviceAndDoNothingElse) {
    CLICK_SOUND broken = {};
    click_sound_install(&broken, 20, module_value());  // the module has no WAVE 20 here
    ASSERT_EQ(sound_enabled, 0);
    stand_in_reset();

    click_sound_install(&sound_, 30, module_value());
    EXPECT_EQ(sound_calls(STAND_IN_SOUND_CREATE).size(), 1u) << "a device is still opened";
    EXPECT_EQ(sound_calls(STAND_IN_SOUND_COOPERATIVE_LEVEL).size(), 1u);
    EXPECT_TRUE(sound_calls(STAND_IN_SOUND_CREATE_BUFFER).empty()) << "nothing is loaded";
    EXPECT_NE(sound_.device, nullptr);
    EXPECT_EQ(sound_.buffer, nullptr);

    size_t calls = stand_in_sound_call_count();
    EXPECT_EQ(click_sound_play(&sound_), 0);
    click_sound_remove(&sound_);
    click_sound_remove(&broken);
    EXPECT_EQ(stand_in_sound_call_count(), calls) << "nothing is played or released";
    EXPECT_NE(sound_.device, nullptr) << "the slot keeps its device";
    EXPECT_EQ(sound_enabled, 0);
}

TEST_F(LifeCycleTest, AGaugeRecreatedAfterSoundWentOffReusesTheDeviceItLeftBehind) {
    click_sound_install(&sound_, 30, module_value());
    stand_in_fail(STAND_IN_BUFFER_PLAY, 0, 1, DSERR_BUFFERLOST);
    EXPECT_EQ(click_sound_play(&sound_), 0);
    ASSERT_EQ(sound_enabled, 0);
    click_sound_remove(&sound_);
    IDirectSound* left = sound_.device;
    ASSERT_NE(left, nullptr);
    stand_in_reset();

    // The panel is opened again: the gauge's slot still holds its device, so no
    // second device is opened over it and lost.
    for (int reopen = 0; reopen < 3; ++reopen) {
        click_sound_install(&sound_, 30, module_value());
        click_sound_remove(&sound_);
    }
    EXPECT_EQ(sound_.device, left);
    EXPECT_TRUE(sound_calls(STAND_IN_SOUND_CREATE).empty());
    EXPECT_EQ(added().devices, 1u) << "the one device left in the slot, and no other";
    EXPECT_EQ(added().buffers, 0u);
}

}  // namespace
