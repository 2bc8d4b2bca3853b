// Shared by the click-sound tests: RIFF files built in the test, the module's
// generated WAVE files, and a fixture that gives every test a clean stand-in
// platform (one host window, one module handle, sound on).
#pragma once

#include <gtest/gtest.h>

#include <stdint.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "module/panel_state.h"
#include "platform/stand_in.h"
#include "services/sound.h"

namespace sound_test {

using Bytes = std::vector<uint8_t>;

inline void put32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
inline void put16(Bytes& b, uint16_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
inline void put_id(Bytes& b, const char* id) { b.insert(b.end(), id, id + 4); }

struct Chunk {
    const char* id;
    Bytes data;
    uint32_t claimed_size = UINT32_MAX;  // the size written in the header, if not the real one
};

// A chunk with its header and its pad byte.
inline Bytes chunk_bytes(const Chunk& c) {
    Bytes b;
    put_id(b, c.id);
    put32(b, c.claimed_size != UINT32_MAX ? c.claimed_size : static_cast<uint32_t>(c.data.size()));
    b.insert(b.end(), c.data.begin(), c.data.end());
    if (c.data.size() % 2 != 0) b.push_back(0);
    return b;
}

// "RIFF" <size> <form> <chunks...>
inline Bytes riff(const char* form, const std::vector<Chunk>& chunks, const char* tag = "RIFF") {
    Bytes body;
    put_id(body, form);
    for (const Chunk& c : chunks) {
        Bytes b = chunk_bytes(c);
        body.insert(body.end(), b.begin(), b.end());
    }
    Bytes file;
    put_id(file, tag);
    put32(file, static_cast<uint32_t>(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

// The 16-byte PCM format record.
inline Bytes pcm_format(uint16_t channels, uint32_t rate, uint16_t bits) {
    Bytes b;
    uint16_t align = static_cast<uint16_t>(channels * bits / 8);
    put16(b, WAVE_FORMAT_PCM);
    put16(b, channels);
    put32(b, rate);
    put32(b, rate * align);
    put16(b, align);
    put16(b, bits);
    return b;
}

// Sample bytes that differ from each other, so a copy at the wrong place shows.
inline Bytes samples(size_t n) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(i * 7 + 3);
    return b;
}

inline Chunk list_chunk() { return Chunk{"LIST", Bytes{'I', 'N', 'F', 'O', 'I', 'N', 'A', 'M', 3, 0, 0, 0, 'a', 'b', 0, 0}}; }

// The WAVE file the art generator writes for resource `id`; empty if it is missing.
inline Bytes module_wave_file(int id) {
    std::ifstream in(std::string(MODULE_DIR) + "/korvane_wave_" + std::to_string(id) + ".wav",
                     std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The bytes of the first chunk `id` inside a RIFF file, found independently of
// the code under test.
inline Bytes chunk_data(const Bytes& file, const char* id) {
    size_t at = 12;
    while (at + 8 <= file.size()) {
        uint32_t size = uint32_t(file[at + 4]) | uint32_t(file[at + 5]) << 8 |
                        uint32_t(file[at + 6]) << 16 | uint32_t(file[at + 7]) << 24;
        if (std::equal(id, id + 4, file.begin() + static_cast<long>(at)))
            return Bytes(file.begin() + static_cast<long>(at + 8),
                         file.begin() + static_cast<long>(std::min<size_t>(at + 8 + size, file.size())));
        at += 8 + size + (size & 1);
    }
    return {};
}

inline std::vector<STAND_IN_SOUND_CALL> sound_calls(STAND_IN_CALL kind) {
    std::vector<STAND_IN_SOUND_CALL> out;
    const STAND_IN_SOUND_CALL* all = stand_in_sound_calls();
    for (size_t i = 0; i < stand_in_sound_call_count(); ++i)
        if (all[i].call == kind) out.push_back(all[i]);
    return out;
}

inline size_t dead_calls() {
    size_t n = 0;
    const STAND_IN_SOUND_CALL* all = stand_in_sound_calls();
    for (size_t i = 0; i < stand_in_sound_call_count(); ++i) n += all[i].dead ? 1 : 0;
    return n;
}

// Every test starts with sound on, a host window of class FS98MAIN found through
// an executable named fs9.exe, and no resources; objects that earlier tests in
// the same process left alive are counted out by the baseline.
class SoundFixture : public ::testing::Test {
protected:
    void SetUp() override {
        stand_in_reset();
        stand_in_clear_windows();
        stand_in_clear_resources(module_handle());
        stand_in_set_executable_path("C:\\Flight Simulator 9\\fs9.exe");
        window_ = stand_in_add_window("FS98MAIN");
        sound_enabled = 1;
        baseline_ = stand_in_counts();
    }
    void TearDown() override {
        stand_in_clear_resources(module_handle());
        stand_in_set_executable_path(nullptr);
        stand_in_reset();
        sound_enabled = 1;
    }

    static void* module_handle() {
        static int module_marker;
        return &module_marker;
    }
    static HMODULE module() { return static_cast<HMODULE>(module_handle()); }
    static uintptr_t module_value() { return reinterpret_cast<uintptr_t>(module_handle()); }

    void add_wave(uint32_t id, const Bytes& file) {
        stand_in_add_resource(module_handle(), "WAVE", id, file.data(), file.size());
    }

    // Objects and blocks alive now beyond those alive when the test began.
    STAND_IN_COUNTS added() const {
        STAND_IN_COUNTS now = stand_in_counts();
        return STAND_IN_COUNTS{now.devices - baseline_.devices, now.buffers - baseline_.buffers,
                               now.locked_buffers - baseline_.locked_buffers,
                               now.memory_files - baseline_.memory_files,
                               now.memory_blocks - baseline_.memory_blocks,
                               now.bad_frees - baseline_.bad_frees};
    }

    HWND window_ = nullptr;
    STAND_IN_COUNTS baseline_{};
};

}  // namespace sound_test
