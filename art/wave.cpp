#include "art/wave.h"

namespace art {

namespace {

constexpr uint16_t WAVE_FORMAT_PCM = 1;

void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
void put_id(std::vector<uint8_t>& out, const char* id) { out.insert(out.end(), id, id + 4); }

void put_chunk(std::vector<uint8_t>& out, const char* id, std::span<const uint8_t> body) {
    put_id(out, id);
    put32(out, uint32_t(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2 != 0) out.push_back(0);  // chunks start on even offsets
}

std::vector<uint8_t> info_list(const std::string& title) {
    std::vector<uint8_t> list;
    put_id(list, "INFO");
    std::vector<uint8_t> name(title.begin(), title.end());
    name.push_back(0);
    put_chunk(list, "INAM", name);
    return list;
}

}  // namespace

std::vector<uint8_t> wave_file(const WaveFormat& format, std::span<const uint8_t> data, InfoPlace info,
                               const std::string& title) {
    std::vector<uint8_t> fmt;
    uint16_t block = uint16_t(format.channels * ((format.bits_per_sample + 7) / 8));
    put16(fmt, WAVE_FORMAT_PCM);
    put16(fmt, format.channels);
    put32(fmt, format.samples_per_second);
    put32(fmt, format.samples_per_second * block);
    put16(fmt, block);
    put16(fmt, format.bits_per_sample);
    put16(fmt, 0);  // no extra format bytes

    std::vector<uint8_t> body;
    put_id(body, "WAVE");
    if (info == InfoPlace::BeforeFormat) put_chunk(body, "LIST", info_list(title));
    put_chunk(body, "fmt ", fmt);
    put_chunk(body, "data", data);
    if (info == InfoPlace::AfterData) put_chunk(body, "LIST", info_list(title));

    std::vector<uint8_t> out;
    put_id(out, "RIFF");
    put32(out, uint32_t(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

std::optional<RiffFile> riff_chunks(std::span<const uint8_t> file, std::string* error) {
    auto fail = [&](const char* why) -> std::optional<RiffFile> {
        if (error) *error = why;
        return std::nullopt;
    };
    auto u32 = [&](size_t at) {
        return uint32_t(file[at]) | uint32_t(file[at + 1]) << 8 | uint32_t(file[at + 2]) << 16 |
               uint32_t(file[at + 3]) << 24;
    };
    if (file.size() < 12 || std::string(file.begin(), file.begin() + 4) != "RIFF") return fail("not a RIFF file");
    uint32_t riff_size = u32(4);
    if (riff_size < 4 || riff_size > file.size() - 8) return fail("RIFF size runs past the file");
    RiffFile out;
    out.form.assign(file.begin() + 8, file.begin() + 12);
    size_t end = 8 + size_t(riff_size);
    size_t at = 12;
    while (at < end) {
        if (end - at < 8) return fail("chunk header runs past the RIFF chunk");
        RiffChunk c;
        c.id.assign(file.begin() + long(at), file.begin() + long(at + 4));
        c.size = u32(at + 4);
        c.offset = at + 8;
        if (c.size > end - c.offset) return fail("chunk runs past the RIFF chunk");
        out.chunks.push_back(c);
        at = c.offset + c.size + (c.size % 2);
    }
    return out;
}

}  // namespace art
