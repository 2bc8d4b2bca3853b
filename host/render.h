// Drawing gauges and panels with Cairo. Evaluation (host/evaluate.h) works out
// what each element shows; this draws it: it reads the instance's ElementState
// and the element records, and nothing else of the gauge.
//
// A gauge is drawn at its native size — the size of its background bitmap, the
// bitmap of its first element — onto a transparent picture that is kept until
// one of its elements shows something else. A panel window scales each gauge
// picture to the size its panel configuration line gives and draws it over the
// window's background.
//
// Problems (a bitmap the module lacks, one too small for its element, a
// window background that cannot be read) are reported through Host::report
// once each, and the element concerned is not drawn.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/render_bitmaps.h"
#include "host/render_cairo.h"

namespace host {

struct PixelSize {
    int width = 0, height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// Panel window units (size_mm and the gauge lines) are millimetres; a picture
// of the panel has this many pixels per millimetre.
inline constexpr double kPixelsPerMm = 1.0;

class Renderer {
public:
    explicit Renderer(Host& host);
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // Night: the panel is dark, luminous elements are lit by the panel light.
    void set_night(bool night);
    bool night() const { return night_; }

    // Draws the gauges of `module` from `resources` (which must outlive the
    // renderer) instead of the module's own; the pictures already made are dropped.
    void use_resources(const LoadedModule& module, const ResourceSet& resources);

    // The gauge's own size in pixels: its background bitmap's. Without a
    // usable background, the extent of the bitmaps of its other elements.
    PixelSize native_size(GaugeInstance& gauge);
    // The size its panel line gives: the line's width, or the gauge's default
    // width in millimetres; the line's height, or the height that keeps the
    // background bitmap's aspect.
    PixelSize panel_size(GaugeInstance& gauge);

    // The gauge drawn at its native size, kept until its elements change.
    // Services 10 and 11 are sent before and after.
    cairo_surface_t* gauge_picture(GaugeInstance& gauge);

    // A panel window of the host's panel, at its size, with its background and
    // every gauge that the panel places in it.
    Surface window_picture(int window_number);
    // Every visible window at its position, later windows in front; or the one
    // window asked for.
    Surface panel_picture(std::optional<int> window_number = std::nullopt);

    // Pictures redrawn since the renderer was made (for tests of the caching).
    uint64_t gauges_drawn() const { return gauges_drawn_; }

private:
    struct ElementCheck;
    struct GaugeCache;

    // A rectangle of gauge pixels, x0 and y0 inside, x1 and y1 just outside.
    struct Box {
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        bool empty() const { return x1 <= x0 || y1 <= y0; }
        void add(double ax0, double ay0, double ax1, double ay1);
        void add(const Box& b) {
            if (!b.empty()) add(b.x0, b.y0, b.x1, b.y1);
        }
        void clip(PixelSize size);
    };
    Box element_box(GaugeInstance& gauge, size_t i, const ElementState& st);

    GaugeCache& cache(GaugeInstance& gauge);
    const ResourceSet& resources_of(const LoadedModule& module) const;
    void check_elements(GaugeInstance& gauge, GaugeCache& c);
    void draw_gauge(cairo_t* cr, GaugeInstance& gauge, GaugeCache& c);
    void draw_element(cairo_t* cr, GaugeInstance& gauge, size_t i, const ElementCheck& check);
    void draw_string(cairo_t* cr, const ElementState& st, const STRING& s);
    void draw_window(cairo_t* cr, const PanelWindow& window, PixelSize size);
    cairo_surface_t* panel_picture_of(GaugeInstance& gauge);
    PixelSize window_size(const PanelWindow& window);
    void report_once(const std::string& problem);

    Host& host_;
    bool night_ = false;
    BitmapStore bitmaps_;
    std::map<const LoadedModule*, const ResourceSet*> resources_;
    std::map<const GaugeInstance*, std::unique_ptr<GaugeCache>> caches_;
    std::map<std::string, Surface> window_backgrounds_;
    std::set<std::string> reported_;
    uint64_t gauges_drawn_ = 0;
};

// Text of a string element as Cairo wants it: the module's single-byte text
// (Windows code page 1252) as UTF-8, control characters as spaces.
std::string text_to_utf8(const std::string& text);

// The font family drawn for a face a module names: the metric-compatible
// Liberation families for the Windows faces, otherwise the name itself.
std::string font_family_for(const std::string& face);

// Writes a picture as a PNG file; false with `*error` on failure.
bool write_png(cairo_surface_t* picture, const std::string& path, std::string* error);

}  // namespace host
