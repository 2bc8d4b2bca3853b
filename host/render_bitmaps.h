// The bitmaps a renderer draws from: each module bitmap decoded once and kept
// as Cairo surfaces, one per way of drawing it (black keyed out or not; day,
// dark or lit by the panel light), made on first use and never per frame.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "host/bitmap.h"
#include "host/render_cairo.h"
#include "host/resources.h"

namespace host {

// How the panel light falls on an element.
enum class Tone : uint8_t {
    day,   // as painted
    dark,  // night, not luminous: the panel is dark
    lit,   // night, luminous: lit by the panel light
};
inline constexpr int kToneCount = 3;

// The tone of an element with these draw flags: by day every element is as
// painted; at night a bright element (0x4) keeps its colours, a luminous one
// (0x4000) is lit and every other one is dark.
Tone tone_for(uint32_t draw_flags, bool night);

// A colour 0x00RRGGBB as that tone shows it.
uint32_t apply_tone(uint32_t rgb, Tone tone);

// Windows colour values are 0x00BBGGRR.
inline uint32_t rgb_from_colorref(uint32_t colorref) {
    return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}

class BitmapStore {
public:
    // The decoded bitmap `id` of `resources`, or null with `*error` saying why
    // (no such bitmap, or one the host cannot decode).
    const Bitmap* bitmap(const ResourceSet& resources, int32_t id, std::string* error = nullptr);

    // The bitmap as a surface: with `keyed`, pure black (0, 0, 0) is transparent;
    // otherwise every pixel is opaque. Null when bitmap() is null.
    cairo_surface_t* image(const ResourceSet& resources, int32_t id, bool keyed, Tone tone);

    // The bitmap as a window: an alpha mask, white shows and black hides.
    cairo_surface_t* mask(const ResourceSet& resources, int32_t id);

    // Drops every decoded bitmap and surface of `resources`.
    void forget(const ResourceSet& resources);

private:
    struct Entry {
        bool decoded = false;
        std::optional<Bitmap> bitmap;
        std::string error;
        Surface images[2][kToneCount];
        Surface mask;
    };
    Entry& entry(const ResourceSet& resources, int32_t id);

    std::map<std::pair<const ResourceSet*, int32_t>, Entry> entries_;
};

}  // namespace host
