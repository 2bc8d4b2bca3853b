// RIFF WAVE files: writing PCM sounds with an optional LIST chunk before the
// format chunk or after the data chunk, and listing the chunks of a file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace art {

struct WaveFormat {
    uint16_t channels = 1;
    uint32_t samples_per_second = 22050;
    uint16_t bits_per_sample = 16;
};

enum class InfoPlace { None, BeforeFormat, AfterData };

// A complete WAVE file: "RIFF" <size> "WAVE", then the chunks. The format chunk
// is the 18-byte PCM WAVEFORMATEX (extra size 0), so a reader that takes the
// whole record finds a zero there. The LIST chunk, when placed, is an INFO list
// naming the sound.
std::vector<uint8_t> wave_file(const WaveFormat& format, std::span<const uint8_t> data, InfoPlace info,
                               const std::string& title);

struct RiffChunk {
    std::string id;
    size_t offset = 0;  // of the chunk's data in the file
    uint32_t size = 0;
};

// The form type and the top-level chunks of a RIFF file; nothing and `*error`
// when the file is not RIFF or a chunk runs past its end.
struct RiffFile {
    std::string form;
    std::vector<RiffChunk> chunks;
};
std::optional<RiffFile> riff_chunks(std::span<const uint8_t> file, std::string* error);

}  // namespace art
