#include "host/render_bitmaps.h"

#include <algorithm>
#include <cstring>

#include "module/gauge_model.h"

namespace host {

namespace {

// Channel factors in 1/256: the dark panel keeps a fifth of each colour with a
// blue cast; the panel light is warm and leaves paint nearly as bright as by day.
struct ToneFactors {
    uint32_t r, g, b;
};
constexpr ToneFactors kToneFactors[kToneCount] = {
    {256, 256, 256},  // day
    {46, 50, 66},     // dark
    {250, 228, 170},  // lit
};
static_assert(sizeof(kToneFactors) / sizeof(kToneFactors[0]) == kToneCount);

constexpr uint32_t kBlack = 0x000000;

}  // namespace

Tone tone_for(uint32_t draw_flags, bool night) {
    if (!night || (draw_flags & IMAGE_USE_BRIGHT) != 0) return Tone::day;
    return (draw_flags & IMAGE_USE_LUMINOUS) != 0 ? Tone::lit : Tone::dark;
}

uint32_t apply_tone(uint32_t rgb, Tone tone) {
    const ToneFactors& f = kToneFactors[static_cast<int>(tone)];
    uint32_t r = ((rgb >> 16) & 0xFF) * f.r >> 8;
    uint32_t g = ((rgb >> 8) & 0xFF) * f.g >> 8;
    uint32_t b = (rgb & 0xFF) * f.b >> 8;
    return (std::min(r, 255u) << 16) | (std::min(g, 255u) << 8) | std::min(b, 255u);
}

BitmapStore::Entry& BitmapStore::entry(const ResourceSet& resources, int32_t id) {
    Entry& e = entries_[{&resources, id}];
    if (e.decoded) return e;
    e.decoded = true;
    const Resource* r = id < 0 ? nullptr : resources.find("BITMAP", uint32_t(id));
    if (r == nullptr) {
        e.error = "bitmap " + std::to_string(id) + " is not among the module's resources";
        return e;
    }
    std::string why;
    e.bitmap = decode_dib(r->bytes, &why);
    if (!e.bitmap) e.error = "bitmap " + std::to_string(id) + " cannot be drawn: " + why;
    return e;
}

const Bitmap* BitmapStore::bitmap(const ResourceSet& resources, int32_t id, std::string* error) {
    Entry& e = entry(resources, id);
    if (!e.bitmap) {
        if (error != nullptr) *error = e.error;
        return nullptr;
    }
    return &*e.bitmap;
}

cairo_surface_t* BitmapStore::image(const ResourceSet& resources, int32_t id, bool keyed, Tone tone) {
    Entry& e = entry(resources, id);
    if (!e.bitmap) return nullptr;
    Surface& s = e.images[keyed ? 1 : 0][static_cast<int>(tone)];
    if (s) return s.get();
    const Bitmap& bm = *e.bitmap;
    s = make_surface(keyed ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24, bm.width, bm.height);
    cairo_surface_flush(s.get());
    unsigned char* data = cairo_image_surface_get_data(s.get());
    int stride = cairo_image_surface_get_stride(s.get());
    for (int y = 0; y < bm.height; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride));
        for (int x = 0; x < bm.width; ++x) {
            uint32_t rgb = bm.at(x, y);
            // Keying looks at the colour as stored, before the light changes it.
            row[x] = keyed && rgb == kBlack ? 0u : 0xFF000000u | apply_tone(rgb, tone);
        }
    }
    cairo_surface_mark_dirty(s.get());
    return s.get();
}

cairo_surface_t* BitmapStore::mask(const ResourceSet& resources, int32_t id) {
    Entry& e = entry(resources, id);
    if (!e.bitmap) return nullptr;
    if (e.mask) return e.mask.get();
    const Bitmap& bm = *e.bitmap;
    e.mask = make_surface(CAIRO_FORMAT_A8, bm.width, bm.height);
    cairo_surface_flush(e.mask.get());
    unsigned char* data = cairo_image_surface_get_data(e.mask.get());
    int stride = cairo_image_surface_get_stride(e.mask.get());
    for (int y = 0; y < bm.height; ++y) {
        unsigned char* row = data + size_t(y) * size_t(stride);
        for (int x = 0; x < bm.width; ++x) {
            uint32_t rgb = bm.at(x, y);
            // Luminance: white shows fully, black not at all, greys in between.
            row[x] = uint8_t((((rgb >> 16) & 0xFF) * 77 + ((rgb >> 8) & 0xFF) * 150 +
                              (rgb & 0xFF) * 29) >> 8);
        }
    }
    cairo_surface_mark_dirty(e.mask.get());
    return e.mask.get();
}

void BitmapStore::forget(const ResourceSet& resources) {
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (it->first.first == &resources)
            it = entries_.erase(it);
        else
            ++it;
    }
}

}  // namespace host
