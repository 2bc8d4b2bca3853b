#include "art/bitmap.h"

#include <libimagequant.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

namespace art {

namespace {

constexpr uint8_t HALF_COVERED = 128;
constexpr uint32_t BMP_FILE_HEADER = 14;
constexpr uint32_t BMP_INFO_HEADER = 40;
constexpr int32_t PIXELS_PER_METRE = 2835;  // 72 dpi

uint8_t lift(uint8_t channel) { return std::max(channel, PAINT_MIN); }

struct LiqAttrFree { void operator()(liq_attr* p) const { liq_attr_destroy(p); } };
struct LiqImageFree { void operator()(liq_image* p) const { liq_image_destroy(p); } };
struct LiqResultFree { void operator()(liq_result* p) const { liq_result_destroy(p); } };

void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

size_t row_stride(int width, int bits) { return ((size_t(width) * size_t(bits) + 31) / 32) * 4; }

void put_headers(std::vector<uint8_t>& out, int width, int height, int bits, uint32_t colours) {
    uint32_t image_size = uint32_t(row_stride(width, bits) * size_t(height));
    uint32_t pixels_at = BMP_FILE_HEADER + BMP_INFO_HEADER + colours * 4;
    out.push_back('B');
    out.push_back('M');
    put32(out, pixels_at + image_size);
    put32(out, 0);
    put32(out, pixels_at);
    put32(out, BMP_INFO_HEADER);
    put32(out, uint32_t(width));
    put32(out, uint32_t(height));  // positive: rows bottom-up
    put16(out, 1);
    put16(out, uint16_t(bits));
    put32(out, 0);  // uncompressed
    put32(out, image_size);
    put32(out, uint32_t(PIXELS_PER_METRE));
    put32(out, uint32_t(PIXELS_PER_METRE));
    put32(out, colours);
    put32(out, 0);
}

}  // namespace

Image to_paint(const Image& drawn) {
    Image out(drawn.width, drawn.height);
    for (int y = 0; y < drawn.height; ++y) {
        for (int x = 0; x < drawn.width; ++x) {
            const uint8_t* p = drawn.at(x, y);
            uint8_t* q = out.at(x, y);
            if (p[3] < HALF_COVERED) continue;  // stays (0, 0, 0, 0)
            q[0] = lift(p[0]);
            q[1] = lift(p[1]);
            q[2] = lift(p[2]);
            q[3] = 255;
        }
    }
    return out;
}

Indexed quantize(const Image& paint) {
    Indexed out;
    out.width = paint.width;
    out.height = paint.height;
    out.index.assign(size_t(paint.width) * size_t(paint.height), 0);
    if (out.index.empty()) return out;

    std::unique_ptr<liq_attr, LiqAttrFree> attr(liq_attr_create());
    if (!attr) throw std::runtime_error("libimagequant: no memory");
    liq_set_max_colors(attr.get(), 255);  // entry 0 stays black
    liq_set_speed(attr.get(), 3);
    std::unique_ptr<liq_image, LiqImageFree> image(
        liq_image_create_rgba(attr.get(), paint.rgba.data(), paint.width, paint.height, 0));
    if (!image) throw std::runtime_error("libimagequant: cannot take the picture");
    liq_result* raw_result = nullptr;
    if (liq_image_quantize(image.get(), attr.get(), &raw_result) != LIQ_OK)
        throw std::runtime_error("libimagequant: quantisation failed");
    std::unique_ptr<liq_result, LiqResultFree> result(raw_result);
    liq_set_dithering_level(result.get(), 0.5f);
    std::vector<uint8_t> remapped(out.index.size());
    if (liq_write_remapped_image(result.get(), image.get(), remapped.data(), remapped.size()) != LIQ_OK)
        throw std::runtime_error("libimagequant: remapping failed");
    const liq_palette* found = liq_get_palette(result.get());

    // Our palette: 0 black, then libimagequant's opaque entries.
    std::array<uint8_t, 256> ours{};  // libimagequant entry -> our entry (0: transparent)
    std::vector<int> opaque;          // our entries holding paint
    int next = 1;
    for (unsigned i = 0; i < found->count && i < 256; ++i) {
        const liq_color& c = found->entries[i];
        if (c.a < HALF_COVERED) continue;
        out.palette[size_t(next)] = {lift(c.r), lift(c.g), lift(c.b)};
        ours[i] = uint8_t(next);
        opaque.push_back(next);
        ++next;
    }

    if (opaque.empty()) {
        // Paint that libimagequant folded into its transparent entry still
        // gets an entry of its own.
        for (size_t i = 0; i < remapped.size(); ++i) {
            const uint8_t* p = &paint.rgba[i * 4];
            if (p[3] < HALF_COVERED) continue;
            out.palette[1] = {lift(p[0]), lift(p[1]), lift(p[2])};
            opaque.push_back(1);
            break;
        }
    }

    auto nearest_paint = [&](const uint8_t* p) {
        int best = opaque.front();
        long best_d = -1;
        for (int e : opaque) {
            const Rgb8& c = out.palette[size_t(e)];
            long dr = long(c.r) - p[0], dg = long(c.g) - p[1], db = long(c.b) - p[2];
            long d = dr * dr + dg * dg + db * db;
            if (best_d < 0 || d < best_d) {
                best_d = d;
                best = e;
            }
        }
        return best;
    };

    for (size_t i = 0; i < remapped.size(); ++i) {
        const uint8_t* p = &paint.rgba[i * 4];
        bool transparent = p[3] < HALF_COVERED;
        uint8_t e = remapped[i] < found->count ? ours[remapped[i]] : 0;
        if (transparent) {
            e = 0;
        } else if (e == 0) {  // (opaque is not empty: this pixel is paint)
            e = uint8_t(nearest_paint(p));  // never let paint fall onto black
        }
        out.index[i] = e;
    }
    return out;
}

std::vector<uint8_t> encode_bmp8(const Indexed& picture) {
    std::vector<uint8_t> out;
    put_headers(out, picture.width, picture.height, 8, 256);
    for (const Rgb8& c : picture.palette) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    size_t stride = row_stride(picture.width, 8);
    for (int y = picture.height - 1; y >= 0; --y) {
        size_t start = out.size();
        const uint8_t* row = &picture.index[size_t(y) * size_t(picture.width)];
        out.insert(out.end(), row, row + picture.width);
        out.resize(start + stride, 0);
    }
    return out;
}

std::vector<uint8_t> encode_bmp24(const Image& paint) {
    std::vector<uint8_t> out;
    put_headers(out, paint.width, paint.height, 24, 0);
    size_t stride = row_stride(paint.width, 24);
    for (int y = paint.height - 1; y >= 0; --y) {
        size_t start = out.size();
        for (int x = 0; x < paint.width; ++x) {
            const uint8_t* p = paint.at(x, y);
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
        }
        out.resize(start + stride, 0);
    }
    return out;
}

std::optional<DecodedBmp> decode_bmp(std::span<const uint8_t> bytes, std::string* error) {
    auto fail = [&](const char* why) -> std::optional<DecodedBmp> {
        if (error) *error = why;
        return std::nullopt;
    };
    auto u16 = [&](size_t at) { return uint32_t(bytes[at] | bytes[at + 1] << 8); };
    auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };

    size_t info = 0;
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') info = BMP_FILE_HEADER;
    if (bytes.size() < info + BMP_INFO_HEADER) return fail("bitmap header is truncated");
    uint32_t info_size = u32(info);
    if (info_size < BMP_INFO_HEADER || info_size > bytes.size() - info) return fail("unknown bitmap header");
    int32_t width = int32_t(u32(info + 4));
    int32_t height = int32_t(u32(info + 8));
    uint32_t bits = u16(info + 14);
    uint32_t compression = u32(info + 16);
    uint32_t colours = u32(info + 32);
    if (compression != 0) return fail("compressed bitmaps are not read");
    if (bits != 8 && bits != 24) return fail("only 8-bit and 24-bit bitmaps are read");
    if (width <= 0 || width > 1 << 15 || height == 0 || height < -(1 << 15) || height > 1 << 15)
        return fail("bitmap size out of range");
    bool bottom_up = height > 0;
    int h = bottom_up ? height : -height;

    DecodedBmp out;
    out.width = width;
    out.height = h;
    out.bits = int(bits);
    size_t at = info + info_size;
    if (bits == 8) {
        if (colours == 0) colours = 256;
        if (colours > 256) return fail("bitmap palette too large");
        if (bytes.size() - at < size_t(colours) * 4) return fail("bitmap palette is truncated");
        for (uint32_t i = 0; i < colours; ++i, at += 4) out.palette.push_back({bytes[at + 2], bytes[at + 1], bytes[at]});
    }
    if (info == BMP_FILE_HEADER) {
        uint32_t pixels_at = u32(10);
        if (pixels_at < at || pixels_at > bytes.size()) return fail("bitmap pixel offset out of range");
        at = pixels_at;
    }
    size_t stride = row_stride(width, int(bits));
    if ((bytes.size() - at) / stride < size_t(h)) return fail("bitmap pixels are truncated");
    out.pixels.resize(size_t(width) * size_t(h));
    if (bits == 8) out.index.resize(size_t(width) * size_t(h));
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = &bytes[at + size_t(bottom_up ? h - 1 - y : y) * stride];
        for (int x = 0; x < width; ++x) {
            Rgb8& px = out.pixels[size_t(y) * size_t(width) + size_t(x)];
            if (bits == 8) {
                uint8_t e = row[x];
                out.index[size_t(y) * size_t(width) + size_t(x)] = e;
                if (e >= out.palette.size()) return fail("bitmap pixel outside its palette");
                px = out.palette[e];
            } else {
                px = {row[x * 3 + 2], row[x * 3 + 1], row[x * 3]};
            }
        }
    }
    return out;
}

bool write_file(const std::string& path, std::span<const uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

std::optional<std::vector<uint8_t>> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace art
