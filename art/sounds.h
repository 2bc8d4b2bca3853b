// The click sounds of the Korvane module, synthesised: WAVE resources 10, 20
// and 30 with the exact formats and lengths the sound service expects.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace art {

struct SoundFile {
    int id;
    std::vector<uint8_t> bytes;  // the complete WAVE file
};

// 10: short click, 16-bit, 3828 data bytes. 20: switch sound, 8-bit, 10304
// data bytes, LIST before "fmt ". 30: double click, 16-bit, 6014 data bytes,
// LIST after "data". All PCM mono at 22050 samples per second.
std::vector<SoundFile> korvane_sounds();

// "korvane_wave_10.wav": the name the resource script uses.
std::string wave_file_name(int id);

}  // namespace art
