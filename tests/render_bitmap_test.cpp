// Decoding the bitmap resources the host draws: 8-bit palette and 24-bit DIBs,
// both row orders, padded rows; damaged or unsupported data gives an error.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host/bitmap.h"

namespace {

void put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

// An info header and palette; the caller appends the rows.
std::vector<uint8_t> dib_header(int32_t width, int32_t height, uint16_t bits, uint32_t palette_size,
                                uint32_t compression = 0) {
    std::vector<uint8_t> b;
    put32(b, 40);
    put32(b, uint32_t(width));
    put32(b, uint32_t(height));
    put16(b, 1);
    put16(b, bits);
    put32(b, compression);
    put32(b, 0);
    put32(b, 0);
    put32(b, 0);
    put32(b, palette_size);
    put32(b, 0);
    return b;
}

// 3 x 2 pixels, 8 bits: palette red, green, blue; rows padded from 3 to 4 bytes.
std::vector<uint8_t> small_8bit(bool top_down) {
    std::vector<uint8_t> b = dib_header(3, top_down ? -2 : 2, 8, 3);
    put32(b, 0x00FF0000);  // red   (stored blue, green, red, 0)
    put32(b, 0x0000FF00);  // green
    put32(b, 0x000000FF);  // blue
    const uint8_t top[4] = {0, 1, 2, 0xEE}, bottom[4] = {2, 2, 1, 0xEE};
    const uint8_t* first = top_down ? top : bottom;
    const uint8_t* second = top_down ? bottom : top;
    b.insert(b.end(), first, first + 4);
    b.insert(b.end(), second, second + 4);
    return b;
}

TEST(DecodeDib, EightBitRowsInEitherOrderWithPadding) {
    for (bool top_down : {false, true}) {
        std::string error;
        auto bm = host::decode_dib(small_8bit(top_down), &error);
        ASSERT_TRUE(bm) << error;
        EXPECT_EQ(bm->width, 3);
        EXPECT_EQ(bm->height, 2);
        EXPECT_EQ(bm->bits, 8);
        const std::vector<uint32_t> expected = {0xFF0000, 0x00FF00, 0x0000FF,
                                                0x0000FF, 0x0000FF, 0x00FF00};
        EXPECT_EQ(bm->pixels, expected) << (top_down ? "top-down" : "bottom-up");
    }
}

TEST(DecodeDib, TwentyFourBitRowsAreBlueGreenRedPadded) {
    std::vector<uint8_t> b = dib_header(1, 2, 24, 0);
    // Bottom row first: one pixel (3 bytes) and one byte of padding per row.
    const uint8_t rows[8] = {0x30, 0x20, 0x10, 0, 0x03, 0x02, 0x01, 0};
    b.insert(b.end(), rows, rows + 8);
    std::string error;
    auto bm = host::decode_dib(b, &error);
    ASSERT_TRUE(bm) << error;
    EXPECT_EQ(bm->pixels, (std::vector<uint32_t>{0x010203, 0x102030}));
}

TEST(DecodeDib, BmpFileUsesItsPixelOffset) {
    std::vector<uint8_t> dib = small_8bit(false);
    std::vector<uint8_t> file = {'B', 'M'};
    put32(file, uint32_t(14 + dib.size() + 2));
    put32(file, 0);
    put32(file, 14 + 40 + 12 + 2);  // two spare bytes between palette and pixels
    std::vector<uint8_t> body(dib.begin(), dib.begin() + 52);
    body.push_back(0);
    body.push_back(0);
    body.insert(body.end(), dib.begin() + 52, dib.end());
    file.insert(file.end(), body.begin(), body.end());
    std::string error;
    auto bm = host::decode_bmp_file(file, &error);
    ASSERT_TRUE(bm) << error;
    EXPECT_EQ(bm->at(0, 0), 0xFF0000u);
    EXPECT_EQ(bm->at(2, 1), 0x00FF00u);
}

TEST(DecodeDib, DamagedOrUnsupportedDataIsAnErrorNotACrash) {
    std::vector<uint8_t> good = small_8bit(false);
    auto with = [&](size_t at, uint32_t value) {
        std::vector<uint8_t> b = good;
        for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(value >> (8 * i));
        return b;
    };
    std::vector<uint8_t> bad_index = good;
    bad_index[52] = 7;  // palette has 3 entries
    std::vector<uint8_t> four_bit = good;
    four_bit[14] = 4;
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        const char* error;
    } cases[] = {
        {"empty", {}, "shorter than its info header"},
        {"truncated rows", std::vector<uint8_t>(good.begin(), good.end() - 1), "rows run past"},
        {"truncated palette", std::vector<uint8_t>(good.begin(), good.begin() + 50), "palette runs past"},
        {"header size", with(0, 1000), "info header of unsupported size"},
        {"width 0", with(4, 0), "unsupported size"},
        {"negative width", with(4, uint32_t(-3)), "unsupported size"},
        {"most negative height", with(8, 0x80000000u), "unsupported size"},
        {"huge", with(4, 100000), "unsupported size"},
        {"compressed", with(16, 1), "compressed"},
        {"4 bits", four_bit, "4 bits per pixel"},
        {"palette index", bad_index, "palette entry 7 of 3"},
        {"palette too large", with(32, 257), "more than 256"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(host::decode_dib(c.bytes, &error)) << c.what;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.what << ": " << error;
    }
    std::string error;
    EXPECT_FALSE(host::decode_bmp_file(std::vector<uint8_t>{'B', 'M', 0}, &error));
    EXPECT_FALSE(host::decode_bmp_file(good, &error)) << "a DIB is not a file";
}

}  // namespace
