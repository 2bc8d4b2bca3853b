// Bitmap resources as the host draws them: a device-independent bitmap (the
// bytes of a BITMAP resource: info header, palette, pixel rows, no file header)
// decoded into plain RGB pixels.
//
// The bytes come from a module and are untrusted: every size is checked against
// the data before a pixel is read, and anything the host does not draw
// (compression, depths other than 8 and 24 bits, a palette index past the
// palette) is an error text, never a crash.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace host {

struct Bitmap {
    int width = 0, height = 0;
    int bits = 0;                 // 8 or 24, as stored
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, rows top to bottom

    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// Largest side the host accepts; module bitmaps are a few hundred pixels.
inline constexpr int kMaxBitmapSide = 4096;

// Decodes an uncompressed 8-bit (palette) or 24-bit DIB, bottom-up (positive
// height) or top-down (negative height); rows are padded to four bytes.
std::optional<Bitmap> decode_dib(std::span<const uint8_t> dib, std::string* error);

// The same for a BMP file: its 14-byte file header, then the DIB.
std::optional<Bitmap> decode_bmp_file(std::span<const uint8_t> file, std::string* error);

}  // namespace host
