// The click sounds as the build wrote them: formats, exact data sizes and chunk
// orders that the sound service's reader depends on; and the resource scripts
// naming every file the generator writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "art/bitmap.h"
#include "art/registry.h"
#include "art/sounds.h"
#include "art/wave.h"

namespace {

uint16_t u16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }
uint32_t u32(const std::vector<uint8_t>& b, size_t at) { return u16(b, at) | uint32_t(u16(b, at + 2)) << 16; }

struct Expected {
    int id;
    uint16_t bits;
    uint32_t data_bytes;
    std::vector<std::string> chunks;
};
const Expected expected[] = {
    {10, 16, 3828, {"fmt ", "data"}},
    {20, 8, 10304, {"LIST", "fmt ", "data"}},
    {30, 16, 6014, {"fmt ", "data", "LIST"}},
};

TEST(ClickSounds, WrittenFilesHaveExactFormatsSizesAndChunkOrder) {
    for (const Expected& e : expected) {
        std::string path = std::string(MODULE_DIR) + "/" + art::wave_file_name(e.id);
        SCOPED_TRACE(path);
        auto file = art::read_file(path);
        ASSERT_TRUE(file) << "not written by art-gen";
        std::string error;
        auto riff = art::riff_chunks(*file, &error);
        ASSERT_TRUE(riff) << error;
        EXPECT_EQ(riff->form, "WAVE");
        EXPECT_EQ(u32(*file, 4), file->size() - 8);  // the RIFF chunk is the whole file
        std::vector<std::string> ids;
        for (const art::RiffChunk& c : riff->chunks) ids.push_back(c.id);
        EXPECT_EQ(ids, e.chunks);

        auto chunk = [&](const char* id) {
            return *std::find_if(riff->chunks.begin(), riff->chunks.end(),
                                 [&](const art::RiffChunk& c) { return c.id == id; });
        };
        art::RiffChunk fmt = chunk("fmt ");
        ASSERT_GE(fmt.size, 16u);
        EXPECT_EQ(u16(*file, fmt.offset), 1);       // PCM
        EXPECT_EQ(u16(*file, fmt.offset + 2), 1);   // mono
        EXPECT_EQ(u32(*file, fmt.offset + 4), 22050u);
        EXPECT_EQ(u32(*file, fmt.offset + 8), 22050u * e.bits / 8);  // bytes per second
        EXPECT_EQ(u16(*file, fmt.offset + 12), e.bits / 8);          // block
        EXPECT_EQ(u16(*file, fmt.offset + 14), e.bits);
        if (fmt.size >= 18) {
            EXPECT_EQ(u16(*file, fmt.offset + 16), 0);  // no extra bytes
        }
        EXPECT_EQ(chunk("data").size, e.data_bytes);
    }
}

// A click: loud somewhere, silent at its end (no click of its own when cut off).
TEST(ClickSounds, EachSoundIsAudibleAndEndsAtRest) {
    for (const art::SoundFile& s : art::korvane_sounds()) {
        SCOPED_TRACE("WAVE " + std::to_string(s.id));
        auto riff = art::riff_chunks(s.bytes, nullptr);
        ASSERT_TRUE(riff);
        auto data = std::find_if(riff->chunks.begin(), riff->chunks.end(),
                                 [](const art::RiffChunk& c) { return c.id == "data"; });
        ASSERT_NE(data, riff->chunks.end());
        bool eight_bit = s.id == 20;
        std::vector<double> samples;
        for (size_t at = data->offset; at < data->offset + data->size; at += eight_bit ? 1 : 2)
            samples.push_back(eight_bit ? (s.bytes[at] - 128) / 128.0 : int16_t(u16(s.bytes, at)) / 32768.0);
        double peak = 0;
        for (double v : samples) peak = std::max(peak, std::fabs(v));
        EXPECT_GT(peak, 0.5);
        EXPECT_LT(peak, 0.95);  // no clipping
        EXPECT_LT(std::fabs(samples.back()), 0.02);
    }
}

TEST(ClickSounds, DamagedRiffFilesAreRefused) {
    std::vector<uint8_t> good = art::korvane_sounds().front().bytes;
    for (size_t n : {size_t(0), size_t(11), size_t(30), good.size() - 1}) {
        std::vector<uint8_t> cut(good.begin(), good.begin() + long(n));
        std::string error;
        EXPECT_FALSE(art::riff_chunks(cut, &error)) << n;
    }
    std::vector<uint8_t> long_chunk = good;
    long_chunk[16] = 0xFF;  // "fmt " claims more than the file holds
    long_chunk[17] = 0xFF;
    EXPECT_FALSE(art::riff_chunks(long_chunk, nullptr));
}

// ---- the resource scripts --------------------------------------------------------------

struct ScriptLine {
    int id;
    std::string type, file;
    bool operator<(const ScriptLine& o) const {
        return std::tie(id, type, file) < std::tie(o.id, o.type, o.file);
    }
};

std::set<ScriptLine> script_lines(const std::string& path) {
    std::ifstream in(path);
    EXPECT_TRUE(in) << path;
    std::set<ScriptLine> out;
    std::regex line(R"(^\s*(\d+)\s+(BITMAP|WAVE)\s+"([^"]*)\")");
    std::string text;
    while (std::getline(in, text)) {
        std::smatch m;
        if (std::regex_search(text, m, line)) out.insert({std::stoi(m[1]), m[2], m[3]});
    }
    return out;
}

TEST(ResourceScripts, NameEveryGeneratedFileAndOnlyGeneratedFiles) {
    std::set<ScriptLine> korvane = script_lines(SOURCE_DIR "/resources/korvane.rc");
    std::set<ScriptLine> sollwick = script_lines(SOURCE_DIR "/resources/sollwick.rc");
    for (const art::ArtEntry& row : art::art_registry()) {
        const auto& script = std::string(row.module) == "Korvane" ? korvane : sollwick;
        EXPECT_TRUE(script.count({row.id, "BITMAP", art::bitmap_file_name(row)}))
            << row.module << " bitmap " << row.id << " is drawn but not in the resource script";
    }
    for (const art::SoundFile& s : art::korvane_sounds())
        EXPECT_TRUE(korvane.count({s.id, "WAVE", art::wave_file_name(s.id)})) << "WAVE " << s.id;
    // And no line names a file that art-gen does not write (a stale file left
    // in the module directory would otherwise go into the module unnoticed).
    std::set<ScriptLine> generated_korvane, generated_sollwick;
    for (const art::ArtEntry& row : art::art_registry())
        (std::string(row.module) == "Korvane" ? generated_korvane : generated_sollwick)
            .insert({row.id, "BITMAP", art::bitmap_file_name(row)});
    for (const art::SoundFile& s : art::korvane_sounds())
        generated_korvane.insert({s.id, "WAVE", art::wave_file_name(s.id)});
    for (auto [script, generated] : {std::pair{&korvane, &generated_korvane}, {&sollwick, &generated_sollwick}})
        for (const ScriptLine& l : *script)
            EXPECT_TRUE(generated->count(l)) << l.id << " " << l.type << " \"" << l.file << "\": not generated";
}

TEST(ResourceScripts, ModuleDirectoryHoldsCurrentCopies) {
    for (auto [source, copy] : {std::pair{"/resources/korvane.rc", "/Korvane.rc"},
                                std::pair{"/resources/sollwick.rc", "/Sollwick.rc"}}) {
        auto a = art::read_file(std::string(SOURCE_DIR) + source);
        auto b = art::read_file(std::string(MODULE_DIR) + copy);
        ASSERT_TRUE(a && b) << copy;
        EXPECT_EQ(*a, *b) << copy;
    }
}

}  // namespace
