// Pixels of rendered pictures and their comparison with the reference images in
// tests/reference/. A missing reference fails the test; run with
// UPDATE_REFERENCES=1 to write it (and look at it before committing).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/render.h"

struct Rgba {
    int r = 0, g = 0, b = 0, a = 0;
};

// A pixel of an ARGB32 or RGB24 picture, un-premultiplied.
inline Rgba pixel(cairo_surface_t* s, int x, int y) {
    cairo_surface_flush(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    uint32_t v = reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(stride))[x];
    Rgba p{int((v >> 16) & 0xFF), int((v >> 8) & 0xFF), int(v & 0xFF), int(v >> 24)};
    if (cairo_image_surface_get_format(s) == CAIRO_FORMAT_RGB24) p.a = 255;
    if (p.a > 0 && p.a < 255) {
        p.r = p.r * 255 / p.a;
        p.g = p.g * 255 / p.a;
        p.b = p.b * 255 / p.a;
    }
    return p;
}

// Compares with tests/reference/<name>.png: at most 0.5 % of the pixels may
// differ by more than 8 in a channel.
inline void expect_matches_reference(cairo_surface_t* picture, const std::string& name) {
    const std::string path = std::string(SOURCE_DIR) + "/tests/reference/" + name + ".png";
    const char* update = std::getenv("UPDATE_REFERENCES");
    if (update != nullptr && std::string(update) == "1") {
        std::string error;
        ASSERT_TRUE(host::write_png(picture, path, &error)) << error;
        std::printf("wrote reference image %s\n", path.c_str());
        return;
    }
    host::Surface ref(cairo_image_surface_create_from_png(path.c_str()));
    ASSERT_EQ(cairo_surface_status(ref.get()), CAIRO_STATUS_SUCCESS)
        << "no reference image " << path << " (run the test with UPDATE_REFERENCES=1 to write it)";
    int w = cairo_image_surface_get_width(picture), h = cairo_image_surface_get_height(picture);
    ASSERT_EQ(cairo_image_surface_get_width(ref.get()), w) << name;
    ASSERT_EQ(cairo_image_surface_get_height(ref.get()), h) << name;
    int differing = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Rgba a = pixel(picture, x, y), b = pixel(ref.get(), x, y);
            int d = std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b),
                              std::abs(a.a - b.a)});
            if (d > 8) ++differing;
        }
    EXPECT_LE(differing, w * h / 200) << name << ": " << differing << " of " << w * h
                                      << " pixels differ from " << path;
}
