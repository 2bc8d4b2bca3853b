// The click-sound service on the stand-in platform: which window it finds, how it
// reads WAVE resources into DirectSound buffers, and how every failure turns
// sound off for good without leaving anything allocated.
#include <gtest/gtest.h>

#include <string.h>

#include "tests/sound_test_support.h"

namespace {

using namespace sound_test;

// ---- the host's main window ---------------------------------------------------------

struct HostNameCase {
    const char* executable;
    const char* window_class;
};

// The file name alone (no directory, no extension) picks the class; character
// 3 = '2' wins over character 0 = 'C', which wins over character 2 = '2'.
const HostNameCase host_name_cases[] = {
    {"C:\\Flight Simulator 9\\fs9.exe", "FS98MAIN"},
    {"D:\\Games\\CFS2\\CFS2.EXE", "MSCFSMAIN"},   // 3 is '2' (and 0 is 'C')
    {"C:\\Games\\FS92.exe", "MSCFSMAIN"},         // 3 is '2' without a 'C'
    {"C:\\Games\\CF22.exe", "MSCFSMAIN"},         // 3 is '2' before 2 is '2'
    {"C:\\Games\\CFS3.exe", "MSCFSMAIN"},         // 0 is 'C'
    {"C:\\Games\\C.exe", "MSCFSMAIN"},            // 0 is 'C', nothing beyond
    {"C:\\Games\\cfs2.exe", "MSCFSMAIN"},         // lower case, but 3 is '2'
    {"C:\\Games\\cfs3.exe", "FS98MAIN"},          // a lower-case 'c' is no 'C'
    {"C:\\Games\\FS2004.exe", "FS98MAIN"},        // 2 is '2'
    {"C:\\Games\\ab2.exe", "FS98MAIN"},           // 2 is '2', three characters
    {"C:\\Games\\ab.exe", "FS98MAIN"},            // too short for position 2 or 3
    {"C:\\CF22\\fs9.exe", "FS98MAIN"},            // the directory does not count
    {"C:\\Games\\ab.2.exe", "MSCFSMAIN"},         // only the last extension goes: "ab.2"
    {"C:\\sim.v2\\Cockpit", "MSCFSMAIN"},         // a dot in a directory is no extension
    {"/opt/sim/fs9.exe", "FS98MAIN"},
    {"", "FS98MAIN"},
};

void PrintTo(const HostNameCase& c, std::ostream* os) { *os << '"' << c.executable << '"'; }

class HostWindowTest : public SoundFixture, public ::testing::WithParamInterface<HostNameCase> {};

TEST_P(HostWindowTest, ExecutableNameSelectsTheWindowClass) {
    stand_in_clear_windows();
    HWND fs98 = stand_in_add_window("FS98MAIN");
    HWND cfs = stand_in_add_window("MSCFSMAIN");
    stand_in_set_executable_path(GetParam().executable);
    HWND expected = strcmp(GetParam().window_class, "FS98MAIN") == 0 ? fs98 : cfs;
    EXPECT_EQ(find_host_window(), expected) << GetParam().executable;
}

INSTANTIATE_TEST_SUITE_P(Executables, HostWindowTest, ::testing::ValuesIn(host_name_cases));

TEST_F(SoundFixture, NoWindowOfTheChosenClassFindsNothingAndOpeningThenFails) {
    stand_in_clear_windows();
    stand_in_add_window("MSCFSMAIN");  // the other family's window does not count
    HWND window = find_host_window();
    EXPECT_EQ(window, nullptr);

    IDirectSound* device = reinterpret_cast<IDirectSound*>(0x1);  // open empties the slot first
    EXPECT_EQ(sound_open(window, &device), 0);
    EXPECT_EQ(device, nullptr);
    EXPECT_EQ(sound_enabled, 0);
    EXPECT_EQ(added().devices, 0u) << "the device whose cooperative level failed is released";
}

// ---- loading the module's WAVE resources -----------------------------------------------

struct ModuleWaveCase {
    int id;
    uint32_t data_bytes;
    uint16_t bits;
};

// 10: plain; 20: a LIST chunk before "fmt "; 30: a LIST chunk after "data".
const ModuleWaveCase module_wave_cases[] = {
    {10, 3828, 16},
    {20, 10304, 8},
    {30, 6014, 16},
};

void PrintTo(const ModuleWaveCase& c, std::ostream* os) { *os << "WAVE " << c.id; }

class ModuleWaveTest : public SoundFixture, public ::testing::WithParamInterface<ModuleWaveCase> {};

TEST_P(ModuleWaveTest, LoadsTheWholeDataChunkWithItsFormat) {
    const ModuleWaveCase& c = GetParam();
    Bytes file = module_wave_file(c.id);
    ASSERT_FALSE(file.empty()) << "the art generator writes korvane_wave_" << c.id << ".wav";
    add_wave(c.id, file);

    IDirectSound* device = nullptr;
    IDirectSoundBuffer* buffer = nullptr;
    ASSERT_EQ(sound_open(find_host_window(), &device), 1);
    EXPECT_EQ(sound_load_wave(&device, &buffer, static_cast<uint16_t>(c.id), module()), c.data_bytes);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(sound_enabled, 1);

    auto created = sound_calls(STAND_IN_SOUND_CREATE_BUFFER);
    ASSERT_EQ(created.size(), 1u);
    STAND_IN_BUFFER_INFO info{};
    ASSERT_TRUE(stand_in_buffer_info(created[0].object, &info));
    EXPECT_EQ(info.description.dwSize, sizeof(DSBUFFERDESC));
    EXPECT_EQ(info.description.dwFlags, 0x80E0u);
    EXPECT_EQ(info.description.dwBufferBytes, c.data_bytes);
    EXPECT_EQ(info.format.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(info.format.nChannels, 1);
    EXPECT_EQ(info.format.nSamplesPerSec, 22050u);
    EXPECT_EQ(info.format.wBitsPerSample, c.bits);
    EXPECT_EQ(info.format.nBlockAlign, c.bits / 8);
    EXPECT_EQ(info.format.nAvgBytesPerSec, 22050u * (c.bits / 8));
    EXPECT_EQ(info.position, 0u);
    Bytes data = chunk_data(file, "data");
    ASSERT_EQ(data.size(), c.data_bytes);
    EXPECT_EQ(Bytes(info.bytes, info.bytes + c.data_bytes), data);

    // Locked whole from 0, filled, unlocked, rewound; nothing left open.
    auto lock = sound_calls(STAND_IN_BUFFER_LOCK);
    ASSERT_EQ(lock.size(), 1u);
    EXPECT_EQ(lock[0].args[0], 0u);
    EXPECT_EQ(lock[0].args[1], c.data_bytes);
    EXPECT_EQ(lock[0].args[2], 0u);
    EXPECT_EQ(sound_calls(STAND_IN_BUFFER_UNLOCK).size(), 1u);
    EXPECT_EQ(sound_calls(STAND_IN_BUFFER_SET_POSITION).size(), 1u);
    STAND_IN_COUNTS a = added();
    EXPECT_EQ(a.memory_files, 0u);
    EXPECT_EQ(a.memory_blocks, 0u);
    EXPECT_EQ(a.locked_buffers, 0u);

    sound_free_buffer(&buffer);
    sound_close(&device);
    EXPECT_EQ(added().devices, 0u);
    EXPECT_EQ(added().buffers, 0u);
}

INSTANTIATE_TEST_SUITE_P(Resources, ModuleWaveTest, ::testing::ValuesIn(module_wave_cases));

// ---- files that load, and files that turn sound off ------------------------------------

struct FileCase {
    const char* what;
    Bytes file;
    uint32_t loaded;  // 0: the file turns sound off
};

std::vector<FileCase> file_cases() {
    const Bytes fmt = pcm_format(1, 22050, 16);
    const Bytes wave = samples(100);
    return {
        {"chunks of odd size before and between are skipped with their pad byte",
         riff("WAVE", {{"junk", samples(7)}, {"fmt ", fmt}, {"odd ", samples(3)}, {"data", wave}}), 100},
        {"a format chunk of 18 bytes", riff("WAVE", {{"fmt ", [&] { Bytes f = fmt; put16(f, 0); return f; }()},
                                                     {"data", wave}}), 100},
        {"a data chunk cut short by the end of the file loads its claimed size",
         [&] { Bytes f = riff("WAVE", {{"fmt ", fmt}, {"data", wave, 180}}); return f; }(), 180},
        {"not a RIFF file", riff("WAVE", {{"fmt ", fmt}, {"data", wave}}, "RIFX"), 0},
        {"a RIFF file of another form", riff("AVI ", {{"fmt ", fmt}, {"data", wave}}), 0},
        {"no format chunk", riff("WAVE", {{"data", wave}}), 0},
        {"no data chunk", riff("WAVE", {{"fmt ", fmt}, list_chunk()}), 0},
        {"the data chunk only before the format chunk",
         riff("WAVE", {{"data", wave}, {"fmt ", fmt}}), 0},
        {"a data chunk outside the RIFF chunk",
         [&] { Bytes f = riff("WAVE", {{"fmt ", fmt}}); Bytes d = chunk_bytes({"data", wave});
               f.insert(f.end(), d.begin(), d.end()); return f; }(), 0},
        {"a file of six bytes", Bytes{'R', 'I', 'F', 'F', 4, 0}, 0},
        {"an empty file", Bytes{}, 0},
        {"a format DirectSound refuses", riff("WAVE", {{"fmt ", pcm_format(3, 22050, 16)}, {"data", wave}}), 0},
        {"an empty data chunk", riff("WAVE", {{"fmt ", fmt}, {"data", {}}}), 0},
        {"a data chunk too large for memory", riff("WAVE", {{"fmt ", fmt}, {"data", wave, 0xFFFFFFF0u}}), 0},
    };
}

class WaveFileTest : public SoundFixture, public ::testing::WithParamInterface<size_t> {};

TEST_P(WaveFileTest, LoadsOrTurnsSoundOffLeavingNothingBehind) {
    const FileCase c = file_cases()[GetParam()];
    add_wave(30, c.file);
    IDirectSound* device = nullptr;
    IDirectSoundBuffer* buffer = nullptr;
    ASSERT_EQ(sound_open(window_, &device), 1);

    EXPECT_EQ(sound_load_wave(&device, &buffer, 30, module()), c.loaded) << c.what;
    EXPECT_EQ(sound_enabled, c.loaded != 0 ? 1 : 0) << c.what;
    EXPECT_EQ(buffer != nullptr, c.loaded != 0) << c.what;
    STAND_IN_COUNTS a = added();
    EXPECT_EQ(a.memory_files, 0u) << c.what;
    EXPECT_EQ(a.memory_blocks, 0u) << c.what;
    EXPECT_EQ(a.bad_frees, 0u) << c.what;
    EXPECT_EQ(a.buffers, c.loaded != 0 ? 1u : 0u) << c.what;
    if (c.loaded != 0) {
        STAND_IN_BUFFER_INFO info{};
        ASSERT_TRUE(stand_in_buffer_info(sound_calls(STAND_IN_SOUND_CREATE_BUFFER)[0].object, &info));
        Bytes data = chunk_data(c.file, "data");
        ASSERT_LE(data.size(), c.loaded);
        // Read bytes land at the start; whatever the file lacks stays silent.
        EXPECT_EQ(Bytes(info.bytes, info.bytes + data.size()), data) << c.what;
        EXPECT_EQ(Bytes(info.bytes + data.size(), info.bytes + c.loaded), Bytes(c.loaded - data.size(), 0))
            << c.what;
    }
    sound_free_buffer(&buffer);
    sound_enabled = 1;  // so that the device can be released and the count checked
    sound_close(&device);
    EXPECT_EQ(added().devices, 0u);
    EXPECT_EQ(added().buffers, 0u);
}

INSTANTIATE_TEST_SUITE_P(Files, WaveFileTest, ::testing::Range<size_t>(0, file_cases().size()));

TEST_F(SoundFixture, MissingWaveIdTurnsSoundOffAndLeavesTheBufferSlotEmpty) {
    add_wave(10, riff("WAVE", {{"fmt ", pcm_format(1, 22050, 16)}, {"data", samples(64)}}));
    IDirectSound* device = nullptr;
    IDirectSoundBuffer* buffer = reinterpret_cast<IDirectSoundBuffer*>(0x1);
    ASSERT_EQ(sound_open(window_, &device), 1);
    EXPECT_EQ(sound_load_wave(&device, &buffer, 30, module()), 0u);
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(sound_enabled, 0);
    EXPECT_NE(device, nullptr) << "the device slot is not the loader's to empty";
    EXPECT_TRUE(sound_calls(STAND_IN_SOUND_CREATE_BUFFER).empty());
}

TEST_F(SoundFixture, ResourcesOfAnotherModuleAreNotFound) {
    int other_module = 0;
    Bytes file = riff("WAVE", {{"fmt ", pcm_format(1, 22050, 16)}, {"data", samples(64)}});
    stand_in_add_resource(&other_module, "WAVE", 30, file.data(), file.size());
    IDirectSound* device = nullptr;
    IDirectSoundBuffer* buffer = nullptr;
    ASSERT_EQ(sound_open(window_, &device), 1);
    EXPECT_EQ(sound_load_wave(&device, &buffer, 30, module()), 0u);
    EXPECT_EQ(sound_enabled, 0);
    stand_in_clear_resources(&other_module);
}

// ---- each call failing in turn ----------------------------------------------------------

struct FailureCase {
    STAND_IN_CALL call;
    uint32_t skip;        // calls of that kind that succeed first
    bool device_kept;     // the device slot still holds the device afterwards
    const char* what;
};

const FailureCase failure_cases[] = {
    {STAND_IN_SOUND_CREATE, 0, false, "DirectSoundCreate"},
    {STAND_IN_SOUND_COOPERATIVE_LEVEL, 0, false, "SetCooperativeLevel"},
    {STAND_IN_FIND_RESOURCE, 0, true, "FindResourceA"},
    {STAND_IN_LOAD_RESOURCE, 0, true, "LoadResource"},
    {STAND_IN_LOCK_RESOURCE, 0, true, "LockResource"},
    {STAND_IN_MMIO_OPEN, 0, true, "mmioOpenA"},
    {STAND_IN_MMIO_DESCEND, 0, true, "mmioDescend into RIFF WAVE"},
    {STAND_IN_MMIO_DESCEND, 1, true, "mmioDescend to fmt"},
    {STAND_IN_MMIO_READ, 0, true, "mmioRead of the format"},
    {STAND_IN_MMIO_ASCEND, 0, true, "mmioAscend out of fmt"},
    {STAND_IN_MMIO_DESCEND, 2, true, "mmioDescend to data"},
    {STAND_IN_GLOBAL_ALLOC, 0, true, "GlobalAlloc"},
    {STAND_IN_MMIO_READ, 1, true, "mmioRead of the samples"},
    {STAND_IN_SOUND_CREATE_BUFFER, 0, true, "CreateSoundBuffer"},
    {STAND_IN_BUFFER_LOCK, 0, true, "Lock"},
    {STAND_IN_BUFFER_UNLOCK, 0, true, "Unlock"},
    {STAND_IN_BUFFER_SET_POSITION, 0, true, "SetCurrentPosition"},
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.what; }

class CallFailureTest : public SoundFixture, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(CallFailureTest, TurnsSoundOffForGoodAndLeaksNothing) {
    const FailureCase& c = GetParam();
    add_wave(30, riff("WAVE", {list_chunk(), {"fmt ", pcm_format(1, 22050, 16)}, {"data", samples(200)}}));
    stand_in_fail(c.call, c.skip, 1, DSERR_INVALIDPARAM);

    CLICK_SOUND sound = {};
    click_sound_install(&sound, 30, module_value());
    EXPECT_EQ(sound_enabled, 0) << c.what;
    EXPECT_EQ(sound.buffer, nullptr) << c.what;
    EXPECT_EQ(sound.device != nullptr, c.device_kept) << c.what;
    STAND_IN_COUNTS a = added();
    EXPECT_EQ(a.devices, c.device_kept ? 1u : 0u) << c.what << ": only the device in the slot lives";
    EXPECT_EQ(a.buffers, 0u) << c.what;
    EXPECT_EQ(a.locked_buffers, 0u) << c.what;
    EXPECT_EQ(a.memory_files, 0u) << c.what;
    EXPECT_EQ(a.memory_blocks, 0u) << c.what;

    // Off for good: the click plays nothing, the removal releases nothing.
    size_t calls_before = stand_in_sound_call_count();
    EXPECT_EQ(click_sound_play(&sound), 0);
    IDirectSound* device = sound.device;
    click_sound_remove(&sound);
    EXPECT_EQ(stand_in_sound_call_count(), calls_before) << c.what;
    EXPECT_EQ(sound.device, device) << "the slot keeps its value while sound is off";
    EXPECT_EQ(sound_enabled, 0);
    EXPECT_EQ(dead_calls(), 0u);
}

INSTANTIATE_TEST_SUITE_P(EachCall, CallFailureTest, ::testing::ValuesIn(failure_cases));

// ---- playing ---------------------------------------------------------------------------------

class LoadedSoundTest : public SoundFixture {
protected:
    void SetUp() override {
        SoundFixture::SetUp();
        add_wave(30, riff("WAVE", {{"fmt ", pcm_format(1, 22050, 16)}, {"data", samples(600)}}));
        ASSERT_EQ(sound_open(window_, &device_), 1);
        ASSERT_EQ(sound_load_wave(&device_, &buffer_, 30, module()), 600u);
        stand_in_reset();
    }
    void TearDown() override {
        sound_enabled = 1;
        sound_free_buffer(&buffer_);
        sound_close(&device_);
        SoundFixture::TearDown();
    }
    IDirectSound* device_ = nullptr;
    IDirectSoundBuffer* buffer_ = nullptr;
};

TEST_F(LoadedSoundTest, AClickDuringTheLastOnePlaysAgainWithoutRewinding) {
    EXPECT_EQ(sound_play(&buffer_, 0), 1);
    EXPECT_EQ(sound_play(&buffer_, 0), 1);
    auto plays = sound_calls(STAND_IN_BUFFER_PLAY);
    ASSERT_EQ(plays.size(), 2u);
    for (const auto& p : plays) {
        EXPECT_EQ(p.args[0], 0u);  // reserved
        EXPECT_EQ(p.args[1], 0u);  // priority
        EXPECT_EQ(p.args[2], 0u);  // flags: once, no looping
    }
    EXPECT_EQ(stand_in_sound_call_count(), 2u) << "no rewind or other call between the plays";
}

TEST_F(LoadedSoundTest, FailingPlayTurnsSoundOffAndReleasesTheBuffer) {
    stand_in_fail(STAND_IN_BUFFER_PLAY, 0, 1, DSERR_BUFFERLOST);
    EXPECT_EQ(sound_play(&buffer_, 0), 0);
    EXPECT_EQ(sound_enabled, 0);
    EXPECT_EQ(buffer_, nullptr);
    EXPECT_EQ(added().buffers, 0u);
    EXPECT_EQ(sound_play(&buffer_, 0), 0);
    EXPECT_EQ(sound_calls(STAND_IN_BUFFER_PLAY).size(), 1u);
}

TEST_F(LoadedSoundTest, ANonZeroSuccessCodeCountsAsFailure) {
    stand_in_fail(STAND_IN_BUFFER_PLAY, 0, 1, S_FALSE);
    EXPECT_EQ(sound_play(&buffer_, 0), 0);
    EXPECT_EQ(sound_enabled, 0);
}

TEST_F(LoadedSoundTest, FreeAndCloseReleaseWhileSoundIsOnAndNothingOnceItIsOff) {
    IDirectSoundBuffer* buffer = buffer_;
    IDirectSound* device = device_;
    sound_enabled = 0;
    sound_free_buffer(&buffer_);
    sound_close(&device_);
    EXPECT_EQ(buffer_, buffer);
    EXPECT_EQ(device_, device);
    EXPECT_EQ(stand_in_sound_call_count(), 0u);
    EXPECT_EQ(sound_load_wave(&device_, &buffer_, 30, module()), 0u);
    EXPECT_EQ(buffer_, buffer) << "a load while sound is off leaves the buffer slot alone";

    sound_enabled = 1;
    sound_free_buffer(&buffer_);
    sound_close(&device_);
    EXPECT_EQ(buffer_, nullptr);
    EXPECT_EQ(device_, nullptr);
    EXPECT_EQ(sound_calls(STAND_IN_BUFFER_RELEASE).size(), 1u);
    EXPECT_EQ(sound_calls(STAND_IN_SOUND_RELEASE).size(), 1u);
    EXPECT_EQ(added().devices, 0u);
    EXPECT_EQ(added().buffers, 0u);
    EXPECT_EQ(dead_calls(), 0u);
}

TEST_F(SoundFixture, AnEmptySlotIsNeverPlayed) {
    IDirectSoundBuffer* buffer = nullptr;
    EXPECT_EQ(sound_play(&buffer, 0), 0);
    EXPECT_EQ(sound_enabled, 1) << "nothing failed";
    EXPECT_EQ(stand_in_sound_call_count(), 0u);
}

}  // namespace
