// From a drawn picture to the bitmap the host draws: transparency, palette and
// the Windows BMP file.
//
// The host draws pure black (0, 0, 0) as transparent. A drawing leaves the
// places where the panel must show through untouched (alpha 0); everything it
// paints is paint. `to_paint` makes that rule exact: pixels less than half
// covered become pure black, every other pixel becomes opaque paint with each
// channel raised to at least PAINT_MIN (8), so that no paint is ever black, not
// even after a 16-bit colour conversion. `quantize` keeps palette entry 0 for
// pure black and maps paint only onto entries 1 to 255.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace art {

inline constexpr uint8_t PAINT_MIN = 8;

struct Rgb8 {
    uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb8&, const Rgb8&) = default;
};

// Straight (not premultiplied) RGBA, rows top to bottom.
struct Image {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;

    Image() = default;
    Image(int w, int h) : width(w), height(h), rgba(size_t(w) * size_t(h) * 4, 0) {}
    uint8_t* at(int x, int y) { return &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4]; }
    const uint8_t* at(int x, int y) const { return &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4]; }
};

// 8-bit palette picture; palette[0] is pure black, the transparent colour.
struct Indexed {
    int width = 0, height = 0;
    std::array<Rgb8, 256> palette{};
    std::vector<uint8_t> index;  // rows top to bottom
};

// Alpha below half: transparent (0, 0, 0, 0). Otherwise opaque, each channel
// at least PAINT_MIN.
Image to_paint(const Image& drawn);

// Reduces a `to_paint` picture to 256 colours with libimagequant. Entry 0 is
// pure black and only transparent pixels use it; entries 1..255 are paint, each
// channel at least PAINT_MIN.
Indexed quantize(const Image& paint);

// Windows BMP files (14-byte file header, 40-byte info header, rows bottom-up,
// each padded to four bytes). 8-bit files carry all 256 palette entries.
std::vector<uint8_t> encode_bmp8(const Indexed& picture);
std::vector<uint8_t> encode_bmp24(const Image& paint);

// A decoded BMP file or DIB (a bitmap resource is a BMP without its file
// header): uncompressed 8-bit and 24-bit pictures, either row order.
struct DecodedBmp {
    int width = 0, height = 0;
    int bits = 0;
    std::vector<Rgb8> palette;     // 8-bit pictures: the entries the file carries
    std::vector<uint8_t> index;    // 8-bit pictures: rows top to bottom
    std::vector<Rgb8> pixels;      // every picture: rows top to bottom

    const Rgb8& pixel(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};
std::optional<DecodedBmp> decode_bmp(std::span<const uint8_t> bytes, std::string* error);

bool write_file(const std::string& path, std::span<const uint8_t> bytes);
std::optional<std::vector<uint8_t>> read_file(const std::string& path);

}  // namespace art
