#include "host/render.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <fontconfig/fontconfig.h>

#include "host/legacy_records.h"

namespace host {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kMaxIconImages = 64;       // icons declaring more are checked this far
constexpr uint32_t kDefaultWindowRgb = 0x1C1C1C;
// Largest side of a window, a panel or a gauge on its panel, in pixels: larger
// sizes in a panel configuration are cut down to it (4096 x 4096 is 64 MiB).
constexpr int kMaxPictureSide = 4096;

// Windows text-drawing flags a string element carries.
enum : uint32_t {
    TEXT_CENTRE = 0x1,
    TEXT_RIGHT = 0x2,
    TEXT_VCENTRE = 0x4,
    TEXT_BOTTOM = 0x8,
    TEXT_NO_CLIP = 0x100,
};

// Font weights from 600 up are drawn bold.
constexpr uint32_t kBoldWeight = 600;

double radians(double deg) { return deg * kPi / 180.0; }

cairo_filter_t filter_for(uint32_t flags) {
    return (flags & IMAGE_BILINEAR_COLOR) != 0 ? CAIRO_FILTER_BILINEAR : CAIRO_FILTER_NEAREST;
}

void set_source_rgb(cairo_t* cr, uint32_t rgb) {
    cairo_set_source_rgb(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                         (rgb & 0xFF) / 255.0);
}

// Paints `surface` with its top-left corner at the current origin plus (x, y).
void paint_surface(cairo_t* cr, cairo_surface_t* surface, double x, double y, cairo_filter_t filter) {
    cairo_set_source_surface(cr, surface, x, y);
    cairo_pattern_set_filter(cairo_get_source(cr), filter);
    cairo_paint(cr);
}

PixelSize surface_size(cairo_surface_t* s) {
    return {cairo_image_surface_get_width(s), cairo_image_surface_get_height(s)};
}

// Two states look the same when drawing them gives the same picture.
bool looks_same(const ElementState& a, const ElementState& b) {
    return a.kind == b.kind && a.image_id == b.image_id && a.flags == b.flags &&
           a.hidden == b.hidden && a.angle_deg == b.angle_deg && a.icon_index == b.icon_index &&
           a.shift_x == b.shift_x && a.shift_y == b.shift_y &&
           a.sprite_rotation_deg == b.sprite_rotation_deg && a.fraction_x == b.fraction_x &&
           a.fraction_y == b.fraction_y && a.text == b.text;
}

int clamp_side(double v) {
    if (!(v >= 1.0)) return 1;
    return int(std::min(std::lround(v), long(kMaxPictureSide)));
}

// Cairo and fontconfig keep font caches for the life of the process; they are
// released at exit so that leak checks see only real leaks.
void release_font_caches() {
    cairo_debug_reset_static_data();
    FcFini();
}

std::string directory_of(const std::string& path) {
    auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace

// ---- text -----------------------------------------------------------------------------------

std::string text_to_utf8(const std::string& text) {
    // Code page 1252 at 0x80..0x9F; the rest of the upper half is Latin-1.
    static const uint16_t cp1252[32] = {
        0x20AC, 0x0020, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x0020, 0x017D, 0x0020,
        0x0020, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x0020, 0x017E, 0x0178,
    };
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        uint32_t cp = c < 0x20 || c == 0x7F ? 0x20 : c >= 0x80 && c < 0xA0 ? cp1252[c - 0x80] : c;
        if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x800) {
            out += char(0xC0 | (cp >> 6));
            out += char(0x80 | (cp & 0x3F));
        } else {
            out += char(0xE0 | (cp >> 12));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::string font_family_for(const std::string& face) {
    static const std::pair<const char*, const char*> substitutes[] = {
        {"arial", "Liberation Sans"},
        {"helvetica", "Liberation Sans"},
        {"courier new", "Liberation Mono"},
        {"courier", "Liberation Mono"},
        {"times new roman", "Liberation Serif"},
    };
    std::string lower = face;
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    for (const auto& [name, family] : substitutes)
        if (lower == name) return family;
    return face.empty() ? std::string("Liberation Sans") : face;
}

bool write_png(cairo_surface_t* picture, const std::string& path, std::string* error) {
    cairo_status_t st = cairo_surface_write_to_png(picture, path.c_str());
    if (st == CAIRO_STATUS_SUCCESS) return true;
    if (error != nullptr) *error = "cannot write " + path + ": " + cairo_status_to_string(st);
    return false;
}

// ---- per-gauge state ------------------------------------------------------------------------

struct Renderer::ElementCheck {
    bool drawable = true;  // its bitmaps are there, large enough for what it does
    int images = 0;        // icons: the number of images the record declares
};

struct Renderer::GaugeCache {
    const GAUGEHDR* header = nullptr;
    const LoadedModule* module = nullptr;
    bool checked = false;
    std::vector<int32_t> checked_ids;  // the elements' bitmap ids when they were checked
    std::vector<ElementCheck> checks;
    PixelSize native;
    Surface picture;
    bool picture_valid = false;
    bool picture_night = false;
    std::vector<ElementState> shown;  // what the picture shows
    bool picture_before_update = false;
    uint64_t picture_version = 0;     // counts the pictures drawn

    // The picture scaled to its size on the panel, kept while both stay the same.
    Surface scaled;
    PixelSize scaled_size;
    uint64_t scaled_version = 0;
};

void Renderer::Box::add(double ax0, double ay0, double ax1, double ay1) {
    if (!(ax1 > ax0) || !(ay1 > ay0)) return;
    // Far beyond any gauge: keeps the conversion to int defined.
    auto whole = [](double v, bool up) {
        v = std::clamp(v, -1e6, 1e6);
        return int(up ? std::ceil(v) : std::floor(v));
    };
    Box b{whole(ax0, false), whole(ay0, false), whole(ax1, true), whole(ay1, true)};
    if (empty()) {
        *this = b;
        return;
    }
    x0 = std::min(x0, b.x0);
    y0 = std::min(y0, b.y0);
    x1 = std::max(x1, b.x1);
    y1 = std::max(y1, b.y1);
}

void Renderer::Box::clip(PixelSize size) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, size.width);
    y1 = std::min(y1, size.height);
}

Renderer::Renderer(Host& host) : host_(host) {
    static const bool registered = std::atexit(release_font_caches) == 0;
    (void)registered;
}
Renderer::~Renderer() = default;

void Renderer::set_night(bool night) { night_ = night; }

void Renderer::use_resources(const LoadedModule& module, const ResourceSet& resources) {
    resources_[&module] = &resources;
    caches_.clear();
}

const ResourceSet& Renderer::resources_of(const LoadedModule& module) const {
    auto it = resources_.find(&module);
    return it != resources_.end() ? *it->second : module.resources();
}

void Renderer::report_once(const std::string& problem) {
    if (reported_.insert(problem).second) host_.report(problem);
}

Renderer::GaugeCache& Renderer::cache(GaugeInstance& gauge) {
    std::unique_ptr<GaugeCache>& c = caches_[&gauge];
    // An instance at the same address after the host removed the old one starts afresh.
    if (!c || c->header != gauge.header || c->module != gauge.module) {
        c = std::make_unique<GaugeCache>();
        c->header = gauge.header;
        c->module = gauge.module;
    }
    // Install options may point an element at another bitmap (the toggle
    // buttons' faces): such a gauge is checked and drawn afresh.
    bool same_ids = c->checked_ids.size() == gauge.chain.size();
    for (size_t i = 0; same_ids && i < gauge.chain.size(); ++i)
        same_ids = c->checked_ids[i] == gauge.chain[i]->image_id;
    if (!c->checked || !same_ids) {
        c->checked_ids.clear();
        for (const ELEMENT_HEADER* e : gauge.chain) c->checked_ids.push_back(e->image_id);
        c->picture.reset();
        c->picture_valid = false;
        check_elements(gauge, *c);
    }
    return *c;
}

// Checks once per instance that every element's bitmaps exist and are large
// enough for what the element does; works out the gauge's native size.
void Renderer::check_elements(GaugeInstance& gauge, GaugeCache& c) {
    c.checked = true;
    c.checks.assign(gauge.chain.size(), ElementCheck{});
    const ResourceSet& res = resources_of(*gauge.module);
    const bool v800 = gauge.header->gauge_header_version == GAUGE_HEADER_VERSION_800;

    for (size_t i = 0; i < gauge.chain.size(); ++i) {
        const ELEMENT_HEADER* e = gauge.chain[i];
        ElementCheck& check = c.checks[i];
        auto problem = [&](const std::string& text) {
            report_once(element_label(gauge, i) + ": " + text);
            check.drawable = false;
        };
        auto need = [&](int32_t id) -> const Bitmap* {
            std::string why;
            const Bitmap* bm = bitmaps_.bitmap(res, id, &why);
            if (bm == nullptr) problem(why + " (module " + gauge.module->name() + ")");
            return bm;
        };
        switch (e->element_type) {
        case ELEMENT_STATIC_IMAGE:
        case ELEMENT_SLIDER:
            need(e->image_id);
            break;
        case ELEMENT_NEEDLE:
            if (const Bitmap* bm = need(e->image_id)) {
                // The pivot may lie on the bitmap's right or bottom edge (the
                // bank index of Artificial_Horizon turns about (70, 7) of its 70 x 14).
                if (e->ofs.x < 0 || e->ofs.y < 0 || e->ofs.x > bm->width || e->ofs.y > bm->height)
                    problem("needle bitmap " + std::to_string(e->image_id) + " (" +
                            std::to_string(bm->width) + " x " + std::to_string(bm->height) +
                            ") does not contain its pivot (" + std::to_string(e->ofs.x) + ", " +
                            std::to_string(e->ofs.y) + ")");
            }
            break;
        case ELEMENT_STRING:
            if (v800) {
                const STRING* s = reinterpret_cast<const STRING*>(e);
                if (s->img_size.x <= 0 || s->img_size.y <= 0) problem("text box of no size");
            }
            break;
        case ELEMENT_ICON: {
            int images = v800 ? reinterpret_cast<const ICON*>(e)->num_icons
                              : reinterpret_cast<const LEGACY_ICON*>(e)->num_icons;
            check.images = std::clamp(images, 0, kMaxIconImages);
            // A missing image leaves only that image undrawn: the check goes on.
            for (int k = 0; k < check.images; ++k) {
                std::string why;
                if (bitmaps_.bitmap(res, e->image_id + k, &why) == nullptr)
                    report_once(element_label(gauge, i) + ": image " + std::to_string(k) + ": " +
                                why + " (module " + gauge.module->name() + ")");
            }
            break;
        }
        case ELEMENT_MOVING_IMAGE: {
            const Bitmap* strip = need(e->image_id);
            const Bitmap* window = need(e->image_id + 1);
            if (strip != nullptr && window != nullptr &&
                (strip->width < window->width || strip->height < window->height))
                problem("strip bitmap " + std::to_string(e->image_id) + " (" +
                        std::to_string(strip->width) + " x " + std::to_string(strip->height) +
                        ") is smaller than its window " + std::to_string(e->image_id + 1) + " (" +
                        std::to_string(window->width) + " x " + std::to_string(window->height) + ")");
            break;
        }
        case ELEMENT_SPRITE:
            need(e->image_id);
            need(e->image_id + 1);
            break;
        default:
            check.drawable = false;  // the host reported the unknown kind when it loaded the gauge
            break;
        }
    }

    // Native size: the background bitmap's, else the extent of what the elements draw.
    c.native = {};
    if (!gauge.chain.empty() && gauge.chain[0]->image_id >= 0) {
        if (const Bitmap* bg = bitmaps_.bitmap(res, gauge.chain[0]->image_id))
            c.native = {bg->width, bg->height};
    }
    if (c.native.width == 0) {
        int w = 0, h = 0;
        for (const ELEMENT_HEADER* e : gauge.chain) {
            const Bitmap* bm = e->image_id >= 0 ? bitmaps_.bitmap(res, e->image_id) : nullptr;
            if (bm == nullptr || e->element_type == ELEMENT_NEEDLE) continue;
            w = std::max(w, e->position.x + bm->width);
            h = std::max(h, e->position.y + bm->height);
        }
        c.native = {std::clamp(w, 1, kMaxBitmapSide), std::clamp(h, 1, kMaxBitmapSide)};
        report_once(gauge.name() + ": no background bitmap to size the gauge; drawn " +
                    std::to_string(c.native.width) + " x " + std::to_string(c.native.height));
    }
}

PixelSize Renderer::native_size(GaugeInstance& gauge) { return cache(gauge).native; }

PixelSize Renderer::panel_size(GaugeInstance& gauge) {
    PixelSize native = native_size(gauge);
    double width = gauge.line.width > 0 ? gauge.line.width : double(gauge.header->size_x_mm);
    if (!(width > 0)) width = native.width / kPixelsPerMm;
    double height = gauge.line.height > 0 ? gauge.line.height
                                          : width * native.height / double(native.width);
    return {clamp_side(width * kPixelsPerMm), clamp_side(height * kPixelsPerMm)};
}

// ---- drawing one gauge -----------------------------------------------------------------------

// Where an element showing `st` draws, in whole gauge pixels with a margin for
// filtering; empty when it draws nothing. Hidden elements draw nothing.
Renderer::Box Renderer::element_box(GaugeInstance& gauge, size_t i, const ElementState& st) {
    constexpr double kMargin = 2.0;
    const ELEMENT_HEADER& e = *gauge.chain[i];
    const GaugeCache& c = *caches_[&gauge];
    Box box;
    if (st.hidden || !c.checks[i].drawable) return box;
    const ResourceSet& res = resources_of(*gauge.module);
    auto size_of = [&](int64_t id) -> std::optional<PixelSize> {
        if (id < 0 || id > INT32_MAX) return std::nullopt;
        const Bitmap* bm = bitmaps_.bitmap(res, int32_t(id));
        if (bm == nullptr) return std::nullopt;
        return PixelSize{bm->width, bm->height};
    };
    auto rect = [&](double x, double y, PixelSize s) {
        box.add(x - kMargin, y - kMargin, x + s.width + kMargin, y + s.height + kMargin);
    };
    switch (e.element_type) {
    case ELEMENT_STATIC_IMAGE:
        if (auto s = size_of(e.image_id)) rect(e.position.x, e.position.y, *s);
        break;
    case ELEMENT_SLIDER:
        if (auto s = size_of(e.image_id)) rect(e.position.x + st.shift_x, e.position.y + st.shift_y, *s);
        break;
    case ELEMENT_ICON:
        if (st.icon_index >= 0)
            if (auto s = size_of(int64_t(e.image_id) + st.icon_index)) rect(e.position.x, e.position.y, *s);
        break;
    case ELEMENT_NEEDLE:
        if (auto s = size_of(e.image_id)) {
            // The bitmap's corners turned about the pivot.
            double a = radians(st.angle_deg), ca = std::cos(a), sa = std::sin(a);
            for (double cx : {-double(e.ofs.x), double(s->width - e.ofs.x)})
                for (double cy : {-double(e.ofs.y), double(s->height - e.ofs.y)}) {
                    double x = e.position.x + cx * ca - cy * sa, y = e.position.y + cx * sa + cy * ca;
                    box.add(x - kMargin, y - kMargin, x + kMargin, y + kMargin);
                }
        }
        break;
    case ELEMENT_MOVING_IMAGE:
    case ELEMENT_SPRITE:  // both are seen only through their window
        if (auto s = size_of(int64_t(e.image_id) + 1)) rect(e.position.x, e.position.y, *s);
        break;
    case ELEMENT_STRING:
        if (gauge.header->gauge_header_version == GAUGE_HEADER_VERSION_800) {
            const STRING& str = reinterpret_cast<const STRING&>(e);
            if ((str.draw_text_flags & TEXT_NO_CLIP) != 0)
                box.add(0, 0, c.native.width, c.native.height);
            else
                rect(e.position.x, e.position.y, {str.img_size.x, str.img_size.y});
        }
        break;
    default:
        break;
    }
    return box;
}

cairo_surface_t* Renderer::gauge_picture(GaugeInstance& gauge) {
    GaugeCache& c = cache(gauge);
    const bool v800 = gauge.header->gauge_header_version == GAUGE_HEADER_VERSION_800;
    if (v800) host_.service(gauge, PANEL_SERVICE_PRE_DRAW);

    // Only the part of the picture that changed is drawn again: the places where
    // each changed element was and now is. A new picture, a change of light or a
    // picture made before the first update is drawn whole.
    const bool whole = !c.picture_valid || c.picture_night != night_ || c.picture_before_update ||
                       c.shown.size() != gauge.elements.size() || gauge.updates == 0;
    Box dirty;
    bool changed = whole;
    if (!whole) {
        for (size_t i = 0; i < gauge.elements.size(); ++i) {
            if (looks_same(c.shown[i], gauge.elements[i])) continue;
            changed = true;
            dirty.add(element_box(gauge, i, c.shown[i]));
            dirty.add(element_box(gauge, i, gauge.elements[i]));
        }
        dirty.clip(c.native);
    }
    if (whole || !dirty.empty()) {
        if (!c.picture) c.picture = make_surface(CAIRO_FORMAT_ARGB32, c.native.width, c.native.height);
        Context cr = make_context(c.picture.get());
        if (!whole) {
            cairo_rectangle(cr.get(), dirty.x0, dirty.y0, dirty.x1 - dirty.x0, dirty.y1 - dirty.y0);
            cairo_clip(cr.get());
        }
        cairo_set_operator(cr.get(), CAIRO_OPERATOR_CLEAR);
        cairo_paint(cr.get());
        cairo_set_operator(cr.get(), CAIRO_OPERATOR_OVER);
        draw_gauge(cr.get(), gauge, c);
        cairo_surface_flush(c.picture.get());
        c.picture_night = night_;
        c.picture_valid = true;
        c.picture_before_update = gauge.updates == 0;
        ++c.picture_version;
        ++gauges_drawn_;
    }
    if (changed) c.shown = gauge.elements;

    if (v800) host_.service(gauge, PANEL_SERVICE_POST_DRAW);
    return c.picture.get();
}

void Renderer::draw_gauge(cairo_t* cr, GaugeInstance& gauge, GaugeCache& c) {
    for (size_t i = 0; i < gauge.chain.size() && i < gauge.elements.size(); ++i)
        draw_element(cr, gauge, i, c.checks[i]);
}

void Renderer::draw_element(cairo_t* cr, GaugeInstance& gauge, size_t i, const ElementCheck& check) {
    const ELEMENT_HEADER& e = *gauge.chain[i];
    const ElementState& st = gauge.elements[i];
    // Before its first update an element shows its record's flags.
    const uint32_t flags = gauge.updates > 0 ? st.flags : e.image_flags;
    const bool hidden = gauge.updates > 0 ? st.hidden : (e.image_flags & IMAGE_HIDDEN) != 0;
    if (hidden || !check.drawable) return;

    const ResourceSet& res = resources_of(*gauge.module);
    const bool keyed = (flags & IMAGE_USE_TRANSPARENCY) != 0;
    const Tone tone = tone_for(flags, night_);
    const cairo_filter_t filter = filter_for(flags);
    auto image = [&](int32_t id) { return bitmaps_.image(res, id, keyed, tone); };
    CairoSaved saved(cr);

    switch (e.element_type) {
    case ELEMENT_STATIC_IMAGE:
        if (cairo_surface_t* s = image(e.image_id)) paint_surface(cr, s, e.position.x, e.position.y, filter);
        break;
    case ELEMENT_SLIDER:
        if (cairo_surface_t* s = image(e.image_id))
            paint_surface(cr, s, e.position.x + st.shift_x, e.position.y + st.shift_y, filter);
        break;
    case ELEMENT_ICON: {
        if (st.icon_index < 0) break;
        // Past the declared images the next ids are drawn when the module holds
        // them, and nothing otherwise; image() is null for an id it lacks.
        int64_t id = int64_t(e.image_id) + st.icon_index;
        if (id > INT32_MAX) break;
        if (cairo_surface_t* s = image(int32_t(id))) paint_surface(cr, s, e.position.x, e.position.y, filter);
        break;
    }
    case ELEMENT_NEEDLE: {
        cairo_surface_t* s = image(e.image_id);
        if (s == nullptr) break;
        cairo_translate(cr, e.position.x, e.position.y);
        cairo_rotate(cr, radians(st.angle_deg));  // clockwise on the screen
        paint_surface(cr, s, -e.ofs.x, -e.ofs.y, filter);
        break;
    }
    case ELEMENT_MOVING_IMAGE: {
        cairo_surface_t* strip = image(e.image_id);
        cairo_surface_t* window = bitmaps_.mask(res, e.image_id + 1);
        if (strip == nullptr || window == nullptr) break;
        PixelSize ss = surface_size(strip), ws = surface_size(window);
        // One end of the strip under the window at fraction 0, the other at 1.
        double x = e.position.x - st.fraction_x * (ss.width - ws.width);
        double y = e.position.y - st.fraction_y * (ss.height - ws.height);
        cairo_set_source_surface(cr, strip, x, y);
        cairo_pattern_set_filter(cairo_get_source(cr), filter);
        cairo_mask_surface(cr, window, e.position.x, e.position.y);
        break;
    }
    case ELEMENT_SPRITE: {
        cairo_surface_t* sprite = image(e.image_id);
        cairo_surface_t* window = bitmaps_.mask(res, e.image_id + 1);
        if (sprite == nullptr || window == nullptr) break;
        PixelSize ss = surface_size(sprite);
        double sx = 1.0, sy = 1.0;
        if (gauge.header->gauge_header_version == GAUGE_HEADER_VERSION_800) {
            const SPRITE& s = reinterpret_cast<const SPRITE&>(e);
            if (std::isfinite(s.texture_scale_x) && s.texture_scale_x > 0) sx = s.texture_scale_x;
            if (std::isfinite(s.texture_scale_y) && s.texture_scale_y > 0) sy = s.texture_scale_y;
        }
        // The image's centre on the offset point, turned about it (anticlockwise
        // for positive), shifted along the image's own axes.
        cairo_matrix_t outer;
        cairo_get_matrix(cr, &outer);
        cairo_translate(cr, e.ofs.x, e.ofs.y);
        cairo_rotate(cr, -radians(st.sprite_rotation_deg));
        cairo_translate(cr, st.shift_x, st.shift_y);
        cairo_scale(cr, sx, sy);
        cairo_set_source_surface(cr, sprite, -ss.width / 2.0, -ss.height / 2.0);
        cairo_pattern_set_filter(cairo_get_source(cr), filter);
        cairo_set_matrix(cr, &outer);
        cairo_mask_surface(cr, window, e.position.x, e.position.y);
        break;
    }
    case ELEMENT_STRING:
        if (gauge.header->gauge_header_version == GAUGE_HEADER_VERSION_800)
            draw_string(cr, st, reinterpret_cast<const STRING&>(e));
        break;
    default:
        break;
    }
}

void Renderer::draw_string(cairo_t* cr, const ElementState& st, const STRING& s) {
    const ELEMENT_HEADER& e = s.header;
    const uint32_t flags = st.flags;
    const bool keyed = (flags & IMAGE_USE_TRANSPARENCY) != 0;
    const Tone tone = tone_for(flags, night_);
    const double x = e.position.x, y = e.position.y;
    const double w = s.img_size.x, h = s.img_size.y;

    if (!(keyed && s.bg_color == 0)) {
        set_source_rgb(cr, apply_tone(rgb_from_colorref(s.bg_color), tone));
        cairo_rectangle(cr, x, y, w, h);
        cairo_fill(cr);
    }
    if (st.text.empty() || (keyed && s.fg_color == 0)) return;

    std::string face(s.font_name, strnlen(s.font_name, sizeof s.font_name));
    const std::string family = font_family_for(face);
    cairo_select_font_face(cr, family.c_str(), CAIRO_FONT_SLANT_NORMAL,
                           s.font_weight >= kBoldWeight ? CAIRO_FONT_WEIGHT_BOLD
                                                        : CAIRO_FONT_WEIGHT_NORMAL);
    FontOptions options(cairo_font_options_create());
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options.get());

    // The box height is the font's cell height (ascent and descent), as a
    // Windows font of that height.
    constexpr double kProbe = 100.0;
    cairo_set_font_size(cr, kProbe);
    cairo_font_extents_t probe;
    cairo_font_extents(cr, &probe);
    double cell = probe.ascent + probe.descent;
    if (!(cell > 0)) return;
    double size = kProbe * h / cell;
    cairo_set_font_size(cr, size);
    double ascent = probe.ascent * size / kProbe, descent = probe.descent * size / kProbe;

    const std::string text = text_to_utf8(st.text);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    double tx = x;
    if ((s.draw_text_flags & TEXT_CENTRE) != 0)
        tx = x + (w - ext.x_advance) / 2;
    else if ((s.draw_text_flags & TEXT_RIGHT) != 0)
        tx = x + w - ext.x_advance;
    double baseline = y + ascent;
    if ((s.draw_text_flags & TEXT_VCENTRE) != 0)
        baseline = y + (h - (ascent + descent)) / 2 + ascent;
    else if ((s.draw_text_flags & TEXT_BOTTOM) != 0)
        baseline = y + h - descent;

    if ((s.draw_text_flags & TEXT_NO_CLIP) == 0) {
        cairo_rectangle(cr, x, y, w, h);
        cairo_clip(cr);
    }
    set_source_rgb(cr, apply_tone(rgb_from_colorref(s.fg_color), tone));
    cairo_move_to(cr, tx, baseline);
    cairo_show_text(cr, text.c_str());
}

// ---- panel windows ---------------------------------------------------------------------------

PixelSize Renderer::window_size(const PanelWindow& window) {
    if (window.size_x > 0 && window.size_y > 0)
        return {clamp_side(window.size_x * kPixelsPerMm), clamp_side(window.size_y * kPixelsPerMm)};
    // No size given: large enough for its gauges.
    int w = 1, h = 1;
    for (const auto& g : host_.instances()) {
        if (g->window != window.number) continue;
        PixelSize s = panel_size(*g);
        w = std::max(w, clamp_side((g->line.x + s.width / kPixelsPerMm) * kPixelsPerMm));
        h = std::max(h, clamp_side((g->line.y + s.height / kPixelsPerMm) * kPixelsPerMm));
    }
    return {w, h};
}

void Renderer::draw_window(cairo_t* cr, const PanelWindow& window, PixelSize size) {
    const Tone tone = night_ ? Tone::dark : Tone::day;
    set_source_rgb(cr, apply_tone(window.background_color.value_or(kDefaultWindowRgb), tone));
    cairo_paint(cr);

    if (!window.background_file.empty()) {
        std::string path = window.background_file;
        if (path[0] != '/') path = directory_of(host_.panel().path) + "/" + path;
        std::string key = path + (night_ ? "#night" : "#day");
        auto it = window_backgrounds_.find(key);
        if (it == window_backgrounds_.end()) {
            Surface picture;
            std::string why;
            auto bytes = read_file(path);
            auto bm = bytes ? decode_bmp_file(*bytes, &why) : std::nullopt;
            if (!bytes) why = "cannot read the file";
            if (bm) {
                picture = make_surface(CAIRO_FORMAT_RGB24, bm->width, bm->height);
                cairo_surface_flush(picture.get());
                unsigned char* data = cairo_image_surface_get_data(picture.get());
                int stride = cairo_image_surface_get_stride(picture.get());
                for (int y = 0; y < bm->height; ++y)
                    for (int x = 0; x < bm->width; ++x)
                        reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride))[x] =
                            0xFF000000u | apply_tone(bm->at(x, y), tone);
                cairo_surface_mark_dirty(picture.get());
            } else {
                report_once(host_.panel().path + ":" + std::to_string(window.line) +
                            ": window background " + path + ": " + why);
            }
            it = window_backgrounds_.emplace(key, std::move(picture)).first;
        }
        if (it->second) {
            PixelSize bs = surface_size(it->second.get());
            CairoSaved saved(cr);
            cairo_scale(cr, double(size.width) / bs.width, double(size.height) / bs.height);
            paint_surface(cr, it->second.get(), 0, 0, CAIRO_FILTER_GOOD);
        }
    }

    for (const auto& g : host_.instances()) {
        if (g->window != window.number) continue;
        cairo_surface_t* picture = panel_picture_of(*g);
        paint_surface(cr, picture, std::round(g->line.x * kPixelsPerMm),
                      std::round(g->line.y * kPixelsPerMm), CAIRO_FILTER_NEAREST);
    }
}

// The gauge's picture at its panel size: scaled from its native pixels with
// filtering when the sizes differ, and kept until the picture changes.
// Bilinear filtering is exact for scales down to one half (at one half it
// averages each 2 x 2 block); smaller scales first halve the picture as often
// as needed.
cairo_surface_t* Renderer::panel_picture_of(GaugeInstance& gauge) {
    cairo_surface_t* picture = gauge_picture(gauge);
    GaugeCache& c = cache(gauge);
    PixelSize shown = panel_size(gauge);
    if (shown == c.native) return picture;
    if (c.scaled && c.scaled_size == shown && c.scaled_version == c.picture_version) return c.scaled.get();

    Surface halved;
    PixelSize from = c.native;
    while (from.width >= 2 * shown.width && from.height >= 2 * shown.height) {
        PixelSize half{(from.width + 1) / 2, (from.height + 1) / 2};
        Surface next = make_surface(CAIRO_FORMAT_ARGB32, half.width, half.height);
        Context hc = make_context(next.get());
        cairo_set_operator(hc.get(), CAIRO_OPERATOR_SOURCE);
        cairo_scale(hc.get(), 0.5, 0.5);
        paint_surface(hc.get(), picture, 0, 0, CAIRO_FILTER_BILINEAR);
        halved = std::move(next);
        picture = halved.get();
        from = half;
    }
    if (!c.scaled || c.scaled_size != shown) {
        c.scaled = make_surface(CAIRO_FORMAT_ARGB32, shown.width, shown.height);
        c.scaled_size = shown;
    }
    Context cr = make_context(c.scaled.get());
    cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
    cairo_scale(cr.get(), double(shown.width) / from.width, double(shown.height) / from.height);
    paint_surface(cr.get(), picture, 0, 0, CAIRO_FILTER_BILINEAR);
    cairo_surface_flush(c.scaled.get());
    c.scaled_version = c.picture_version;
    return c.scaled.get();
}

Surface Renderer::window_picture(int window_number) {
    for (const PanelWindow& w : host_.panel().windows) {
        if (w.number != window_number) continue;
        PixelSize size = window_size(w);
        Surface picture = make_surface(CAIRO_FORMAT_RGB24, size.width, size.height);
        Context cr = make_context(picture.get());
        draw_window(cr.get(), w, size);
        cairo_surface_flush(picture.get());
        return picture;
    }
    return nullptr;
}

Surface Renderer::panel_picture(std::optional<int> window_number) {
    if (window_number) return window_picture(*window_number);
    struct Placed {
        const PanelWindow* window;
        PixelSize size;
    };
    std::vector<Placed> shown;
    int left = 0, top = 0, right = 1, bottom = 1;
    for (const PanelWindow& w : host_.panel().windows) {
        auto vis = w.ident >= 0 ? host_.window_visible().find(w.ident) : host_.window_visible().end();
        bool visible = vis != host_.window_visible().end() ? vis->second : w.visible;
        if (!visible) continue;
        PixelSize size = window_size(w);
        shown.push_back({&w, size});
        left = std::min(left, w.position_x);
        top = std::min(top, w.position_y);
        right = std::max(right, w.position_x + size.width);
        bottom = std::max(bottom, w.position_y + size.height);
    }
    Surface picture = make_surface(CAIRO_FORMAT_RGB24, clamp_side(right - left), clamp_side(bottom - top));
    Context cr = make_context(picture.get());
    cairo_set_source_rgb(cr.get(), 0, 0, 0);
    cairo_paint(cr.get());
    for (const Placed& p : shown) {
        CairoSaved saved(cr.get());
        cairo_translate(cr.get(), p.window->position_x - left, p.window->position_y - top);
        cairo_rectangle(cr.get(), 0, 0, p.size.width, p.size.height);
        cairo_clip(cr.get());
        draw_window(cr.get(), *p.window, p.size);
    }
    cairo_surface_flush(picture.get());
    return picture;
}

}  // namespace host
