#include "host/bitmap.h"

#include <cstdlib>

namespace host {

namespace {

constexpr uint32_t kInfoHeaderMin = 40;    // BITMAPINFOHEADER; V4 and V5 headers are longer
constexpr uint32_t kInfoHeaderMax = 124;
constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kCompressionNone = 0;

uint16_t u16(std::span<const uint8_t> b, size_t at) { return uint16_t(b[at] | (b[at + 1] << 8)); }
uint32_t u32(std::span<const uint8_t> b, size_t at) {
    return uint32_t(b[at]) | (uint32_t(b[at + 1]) << 8) | (uint32_t(b[at + 2]) << 16) |
           (uint32_t(b[at + 3]) << 24);
}

std::optional<Bitmap> fail(std::string* error, const std::string& message) {
    if (error != nullptr) *error = message;
    return std::nullopt;
}

// `pixel_offset`: where the rows start within `dib`, or 0 when they follow the palette.
std::optional<Bitmap> decode(std::span<const uint8_t> dib, size_t pixel_offset, std::string* error) {
    if (dib.size() < kInfoHeaderMin) return fail(error, "bitmap shorter than its info header");
    uint32_t header_size = u32(dib, 0);
    if (header_size < kInfoHeaderMin || header_size > kInfoHeaderMax || header_size > dib.size())
        return fail(error, "bitmap info header of unsupported size " + std::to_string(header_size));
    int32_t width = int32_t(u32(dib, 4));
    int32_t height = int32_t(u32(dib, 8));
    uint16_t planes = u16(dib, 12);
    uint16_t bits = u16(dib, 14);
    uint32_t compression = u32(dib, 16);
    uint32_t colours_used = u32(dib, 32);

    if (planes != 1) return fail(error, "bitmap with " + std::to_string(planes) + " planes");
    if (bits != 8 && bits != 24)
        return fail(error, "bitmap of " + std::to_string(bits) + " bits per pixel (8 or 24 expected)");
    if (compression != kCompressionNone) return fail(error, "compressed bitmap");
    bool top_down = height < 0;
    // Widen before negating: INT32_MIN has no positive counterpart.
    int64_t rows = top_down ? -int64_t(height) : int64_t(height);
    if (width <= 0 || rows <= 0 || width > kMaxBitmapSide || rows > kMaxBitmapSide)
        return fail(error, "bitmap of unsupported size " + std::to_string(width) + " x " +
                               std::to_string(rows));

    size_t palette_entries = 0;
    if (bits == 8) {
        if (colours_used > 256) return fail(error, "bitmap palette of more than 256 colours");
        palette_entries = colours_used == 0 ? 256 : colours_used;
    }
    size_t palette_at = header_size;
    size_t palette_end = palette_at + palette_entries * 4;
    if (palette_end > dib.size()) return fail(error, "bitmap palette runs past its data");
    std::vector<uint32_t> palette(palette_entries);
    for (size_t i = 0; i < palette_entries; ++i) {
        size_t p = palette_at + i * 4;  // blue, green, red, reserved
        palette[i] = (uint32_t(dib[p + 2]) << 16) | (uint32_t(dib[p + 1]) << 8) | dib[p];
    }

    size_t row_bytes = (size_t(width) * bits / 8 + 3) & ~size_t(3);
    size_t rows_at = pixel_offset != 0 ? pixel_offset : palette_end;
    if (rows_at < palette_end && pixel_offset != 0)
        return fail(error, "bitmap pixels overlap its headers");
    if (rows_at > dib.size() || dib.size() - rows_at < row_bytes * size_t(rows))
        return fail(error, "bitmap pixel rows run past its data");

    Bitmap bm;
    bm.width = width;
    bm.height = int(rows);
    bm.bits = bits;
    bm.pixels.resize(size_t(width) * size_t(rows));
    for (int y = 0; y < bm.height; ++y) {
        size_t stored_row = top_down ? size_t(y) : size_t(bm.height - 1 - y);
        const uint8_t* src = dib.data() + rows_at + stored_row * row_bytes;
        uint32_t* dst = bm.pixels.data() + size_t(y) * size_t(width);
        if (bits == 8) {
            for (int x = 0; x < width; ++x) {
                if (src[x] >= palette.size())
                    return fail(error, "bitmap pixel uses palette entry " + std::to_string(src[x]) +
                                           " of " + std::to_string(palette.size()));
                dst[x] = palette[src[x]];
            }
        } else {
            for (int x = 0; x < width; ++x) {
                const uint8_t* p = src + size_t(x) * 3;  // blue, green, red
                dst[x] = (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
            }
        }
    }
    return bm;
}

}  // namespace

std::optional<Bitmap> decode_dib(std::span<const uint8_t> dib, std::string* error) {
    return decode(dib, 0, error);
}

std::optional<Bitmap> decode_bmp_file(std::span<const uint8_t> file, std::string* error) {
    if (file.size() < kFileHeaderSize || file[0] != 'B' || file[1] != 'M')
        return fail(error, "not a BMP file");
    uint32_t offset = u32(file, 10);
    if (offset < kFileHeaderSize || offset > file.size())
        return fail(error, "BMP file's pixel offset lies outside the file");
    return decode(file.subspan(kFileHeaderSize), offset - kFileHeaderSize, error);
}

}  // namespace host
