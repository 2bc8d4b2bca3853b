// The bitmap pipeline: BMP files as the resource compiler and the host read
// them, and the transparency rule (pure black is the panel showing through;
// paint never becomes black), on made-up pictures and on every drawn bitmap.
#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <string>

#include "art/bitmap.h"
#include "art/registry.h"
#include "art/toolkit.h"

namespace {

using art::Image;
using art::Indexed;
using art::Rgb8;

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24);
}

class FontCaches : public ::testing::Environment {
public:
    void TearDown() override { art::release_font_caches(); }
};
const auto* const font_caches = ::testing::AddGlobalTestEnvironment(new FontCaches);

TEST(BmpFile, EightBitRoundTripKeepsSizePaletteAndRowPadding) {
    Indexed p;
    p.width = 5;  // rows padded from 5 to 8 bytes
    p.height = 3;
    for (int i = 1; i < 256; ++i) p.palette[size_t(i)] = {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2 + 8)};
    for (int i = 0; i < 15; ++i) p.index.push_back(uint8_t(i * 17));
    std::vector<uint8_t> file = art::encode_bmp8(p);

    EXPECT_EQ(file.size(), 14u + 40 + 1024 + 8 * 3);
    EXPECT_EQ(u32(file, 2), file.size());
    EXPECT_EQ(u32(file, 10), 14u + 40 + 1024);  // pixels after all 256 entries
    EXPECT_EQ(u32(file, 46), 256u);             // colours used
    std::string error;
    auto back = art::decode_bmp(file, &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(back->width, 5);
    EXPECT_EQ(back->height, 3);
    EXPECT_EQ(back->bits, 8);
    ASSERT_EQ(back->palette.size(), 256u);
    EXPECT_EQ(back->palette[0], (Rgb8{0, 0, 0}));
    EXPECT_TRUE(std::equal(p.palette.begin(), p.palette.end(), back->palette.begin()));
    EXPECT_EQ(back->index, p.index);  // top row first again after the bottom-up file

    // The same bytes without the file header, as a bitmap resource holds them.
    std::vector<uint8_t> dib(file.begin() + 14, file.end());
    auto from_dib = art::decode_bmp(dib, &error);
    ASSERT_TRUE(from_dib) << error;
    EXPECT_EQ(from_dib->index, p.index);
}

TEST(BmpFile, TwentyFourBitRoundTripKeepsEveryPixel) {
    Image im(7, 2);  // 21 bytes a row, padded to 24
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 7; ++x) {
            uint8_t* p = im.at(x, y);
            p[0] = uint8_t(10 + x * 30);
            p[1] = uint8_t(200 - y * 90);
            p[2] = uint8_t(x * y * 20 + 8);
            p[3] = 255;
        }
    std::vector<uint8_t> file = art::encode_bmp24(im);
    EXPECT_EQ(file.size(), 14u + 40 + 24 * 2);
    std::string error;
    auto back = art::decode_bmp(file, &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(back->bits, 24);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 7; ++x) {
            const uint8_t* p = im.at(x, y);
            EXPECT_EQ(back->pixel(x, y), (Rgb8{p[0], p[1], p[2]})) << x << "," << y;
        }
}

TEST(BmpFile, TruncatedOrForeignFilesAreRefused) {
    Indexed p;
    p.width = 3;
    p.height = 3;
    p.index.assign(9, 1);
    std::vector<uint8_t> file = art::encode_bmp8(p);
    for (size_t n : {size_t(0), size_t(10), size_t(53), size_t(14 + 40 + 500), file.size() - 1}) {
        std::vector<uint8_t> cut(file.begin(), file.begin() + long(n));
        std::string error;
        EXPECT_FALSE(art::decode_bmp(cut, &error)) << n;
        EXPECT_FALSE(error.empty()) << n;
    }
    std::vector<uint8_t> rle = file;
    rle[14 + 16] = 1;  // compressed
    std::string error;
    EXPECT_FALSE(art::decode_bmp(rle, &error));
}

TEST(Paint, HalfCoveredPixelsDecideAndDarkPaintIsLifted) {
    Image im(4, 1);
    auto set = [&](int x, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
        uint8_t* p = im.at(x, 0);
        p[0] = r, p[1] = g, p[2] = b, p[3] = a;
    };
    set(0, 200, 200, 200, 127);  // less than half covered: the panel shows
    set(1, 2, 100, 3, 128);      // paint: dark channels lifted
    set(2, 0, 0, 0, 255);        // black paint is still paint
    set(3, 40, 50, 60, 255);
    Image paint = art::to_paint(im);
    auto px = [&](int x) {
        const uint8_t* p = paint.at(x, 0);
        return std::vector<int>{p[0], p[1], p[2], p[3]};
    };
    EXPECT_EQ(px(0), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(px(1), (std::vector<int>{8, 100, 8, 255}));
    EXPECT_EQ(px(2), (std::vector<int>{8, 8, 8, 255}));
    EXPECT_EQ(px(3), (std::vector<int>{40, 50, 60, 255}));
}

// Checks the rule on a quantised picture: entry 0 black and used only where the
// paint picture is transparent; every entry that paint uses is at least (8, 8, 8).
void expect_transparency_rule(const Image& paint, const Indexed& q) {
    EXPECT_EQ(q.palette[0], (Rgb8{0, 0, 0}));
    size_t wrong = 0;
    for (int y = 0; y < paint.height; ++y)
        for (int x = 0; x < paint.width; ++x) {
            bool transparent = paint.at(x, y)[3] == 0;
            uint8_t e = q.index[size_t(y) * size_t(paint.width) + size_t(x)];
            if (transparent != (e == 0)) ++wrong;
            const Rgb8& c = q.palette[e];
            if (e != 0 && (c.r < art::PAINT_MIN || c.g < art::PAINT_MIN || c.b < art::PAINT_MIN)) ++wrong;
        }
    EXPECT_EQ(wrong, 0u);
}

TEST(Quantize, ManyColoursKeepBlackForTransparencyAlone) {
    // 64 x 64: a ring of transparency, near-black paint, and a gradient of
    // thousands of colours that forces the palette to be chosen.
    Image im(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            uint8_t* p = im.at(x, y);
            if (x < 4 || y < 4) continue;  // transparent
            if (x < 12) {
                p[0] = p[1] = p[2] = uint8_t(x - 4);  // 0..7: paint darker than allowed
            } else {
                p[0] = uint8_t(x * 4);
                p[1] = uint8_t(y * 4);
                p[2] = uint8_t((x * y) % 256);
            }
            p[3] = 255;
        }
    Image paint = art::to_paint(im);
    Indexed q = art::quantize(paint);
    ASSERT_EQ(q.index.size(), 64u * 64u);
    expect_transparency_rule(paint, q);
    // The gradient is still close to what was painted.
    int worst = 0;
    for (int y = 4; y < 64; ++y)
        for (int x = 12; x < 64; ++x) {
            const uint8_t* p = paint.at(x, y);
            const Rgb8& c = q.palette[q.index[size_t(y) * 64 + size_t(x)]];
            worst = std::max({worst, std::abs(c.r - p[0]), std::abs(c.g - p[1]), std::abs(c.b - p[2])});
        }
    EXPECT_LE(worst, 48);
}

TEST(Quantize, PictureWithoutTransparencyStillLeavesBlackUnused) {
    Image im(16, 16);
    for (int i = 0; i < 256; ++i) {
        uint8_t* p = im.at(i % 16, i / 16);
        p[0] = uint8_t(i);
        p[1] = uint8_t(255 - i);
        p[2] = uint8_t(i * 7);
        p[3] = 255;
    }
    Image paint = art::to_paint(im);
    expect_transparency_rule(paint, art::quantize(paint));
}

TEST(Quantize, DrawnAntialiasedEdgesFollowTheRule) {
    art::Canvas canvas(80, 60);
    art::dial_face(canvas.cr(), {40, 30}, 25);
    art::text(canvas.cr(), "88", {40, 30}, {20, art::Font::SansBold, art::colour::figure});
    art::lamp(canvas.cr(), {70, 50}, 8, art::colour::red, false);
    Image paint = art::to_paint(canvas.image());
    expect_transparency_rule(paint, art::quantize(paint));
}

// Every bitmap the build wrote: its size, its depth, and the rule.
TEST(DrawnBitmaps, EveryFileHasItsSizeDepthAndReservedBlack) {
    std::vector<art::ArtEntry> rows = art::art_registry();
    ASSERT_FALSE(art::registry_problem(rows).has_value()) << *art::registry_problem(rows);
    ASSERT_FALSE(rows.empty());
    for (const art::ArtEntry& row : rows) {
        std::string path = std::string(MODULE_DIR) + "/" + art::bitmap_file_name(row);
        SCOPED_TRACE(path);
        auto bytes = art::read_file(path);
        ASSERT_TRUE(bytes) << "not written by art-gen";
        std::string error;
        auto bmp = art::decode_bmp(*bytes, &error);
        ASSERT_TRUE(bmp) << error;
        EXPECT_EQ(bmp->width, row.width);
        EXPECT_EQ(bmp->height, row.height);
        EXPECT_EQ(bmp->bits, row.depth == art::Depth::Rgb24 ? 24 : 8);
        if (bmp->bits == 8) {
            ASSERT_EQ(bmp->palette.size(), 256u);
            EXPECT_EQ(bmp->palette[0], (Rgb8{0, 0, 0}));
        }
        // Black pixels are transparency only: every pixel either pure black or
        // paint of at least (8, 8, 8); in 8-bit files black comes only from entry 0.
        size_t wrong = 0;
        for (size_t i = 0; i < bmp->pixels.size(); ++i) {
            const Rgb8& c = bmp->pixels[i];
            bool black = c == Rgb8{0, 0, 0};
            bool paint = c.r >= art::PAINT_MIN && c.g >= art::PAINT_MIN && c.b >= art::PAINT_MIN;
            if (!black && !paint) ++wrong;
            if (bmp->bits == 8 && black != (bmp->index[i] == 0)) ++wrong;
        }
        EXPECT_EQ(wrong, 0u);
    }
}

TEST(Registry, TableMistakesAreNamed) {
    auto draw = [](cairo_t*) {};
    struct Case {
        std::vector<art::ArtEntry> rows;
        const char* expected;
    };
    const Case cases[] = {
        {{{"Korvane", 300, 10, 10, draw}, {"Korvane", 300, 10, 10, draw}}, "Korvane bitmap 300: drawn twice"},
        {{{"Other", 5, 10, 10, draw}}, "unknown module"},
        {{{"Korvane", 5, 0, 10, draw}}, "size out of range"},
        {{{"Sollwick", 5, 10, 10, nullptr}}, "no draw function"},
        {{{"Sollwick", 0, 10, 10, draw}}, "id out of range"},
    };
    for (const Case& c : cases) {
        auto problem = art::registry_problem(c.rows);
        ASSERT_TRUE(problem.has_value()) << c.expected;
        EXPECT_NE(problem->find(c.expected), std::string::npos) << *problem;
    }
    // The same id in both modules is two bitmaps.
    EXPECT_FALSE(art::registry_problem({{"Korvane", 300, 1, 1, draw}, {"Sollwick", 300, 1, 1, draw}}));
}

}  // namespace
