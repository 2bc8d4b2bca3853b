#include "art/toolkit.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace art {

namespace {

constexpr double DEG = M_PI / 180.0;
// More marks than any dial carries: a step that would give more is a mistake.
constexpr double MAX_MARKS = 10000;

struct PatternFree {
    void operator()(cairo_pattern_t* p) const { cairo_pattern_destroy(p); }
};
using Pattern = std::unique_ptr<cairo_pattern_t, PatternFree>;

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb scaled(Rgb a, double k) {
    return {std::clamp(a.r * k, 0.0, 1.0), std::clamp(a.g * k, 0.0, 1.0), std::clamp(a.b * k, 0.0, 1.0)};
}
void add_stop(cairo_pattern_t* p, double at, Rgb c) {
    cairo_pattern_add_color_stop_rgb(p, at, c.r, c.g, c.b);
}

const char* family(Font f) { return f == Font::Mono || f == Font::MonoBold ? "Liberation Mono" : "Liberation Sans"; }
bool bold(Font f) { return f == Font::SansBold || f == Font::MonoBold; }

void select_font(cairo_t* cr, const TextStyle& style) {
    cairo_select_font_face(cr, family(style.font), CAIRO_FONT_SLANT_NORMAL,
                           bold(style.font) ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, style.size_px);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

void circle(cairo_t* cr, Point c, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, c.x, c.y, r, 0, 2 * M_PI);
}

void rounded_rect(cairo_t* cr, Rect a, double r) {
    r = std::min({r, a.w / 2, a.h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, a.x + a.w - r, a.y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, a.x + a.w - r, a.y + a.h - r, r, 0, M_PI / 2);
    cairo_arc(cr, a.x + r, a.y + a.h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, a.x + r, a.y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

std::string format_value(double value, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", std::clamp(decimals, 0, 6), value);
    return buf;
}

}  // namespace

void set_colour(cairo_t* cr, Rgb c) { cairo_set_source_rgb(cr, c.r, c.g, c.b); }

Point polar(Point centre, double radius, double angle_deg) {
    return {centre.x + radius * std::cos(angle_deg * DEG), centre.y + radius * std::sin(angle_deg * DEG)};
}

// ---- canvas ----------------------------------------------------------------------------------

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS || cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
        cairo_destroy(cr_);
        cairo_surface_destroy(surface_);
        throw ArtError("cannot make a " + std::to_string(width) + " x " + std::to_string(height) + " canvas");
    }
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

Image Canvas::image() const {
    cairo_surface_flush(surface_);
    Image out(width_, height_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    int stride = cairo_image_surface_get_stride(surface_);
    for (int y = 0; y < height_; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(stride));
        for (int x = 0; x < width_; ++x) {
            uint32_t p = row[x];  // premultiplied ARGB in a native word
            uint32_t a = p >> 24;
            uint8_t* q = out.at(x, y);
            q[3] = uint8_t(a);
            if (a == 0) continue;
            for (int c = 0; c < 3; ++c) {
                uint32_t v = (p >> (16 - 8 * c)) & 0xFF;
                q[c] = uint8_t(std::min<uint32_t>(255, (v * 255 + a / 2) / a));
            }
        }
    }
    return out;
}

// ---- text --------------------------------------------------------------------------------------

double text_width(cairo_t* cr, std::string_view s, const TextStyle& style) {
    cairo_save(cr);
    select_font(cr, style);
    std::string str(s);
    cairo_text_extents_t e;
    cairo_text_extents(cr, str.c_str(), &e);
    cairo_restore(cr);
    return e.x_advance;
}

double digit_height(cairo_t* cr, const TextStyle& style) {
    cairo_save(cr);
    select_font(cr, style);
    cairo_text_extents_t e;
    cairo_text_extents(cr, "0", &e);
    cairo_restore(cr);
    return e.height;
}

void text(cairo_t* cr, std::string_view s, Point centre, const TextStyle& style, double angle_deg) {
    cairo_save(cr);
    select_font(cr, style);
    std::string str(s);
    cairo_text_extents_t e, digit;
    cairo_text_extents(cr, str.c_str(), &e);
    cairo_text_extents(cr, "0", &digit);
    cairo_translate(cr, centre.x, centre.y);
    cairo_rotate(cr, angle_deg * DEG);
    cairo_move_to(cr, -e.x_advance / 2, -digit.y_bearing / 2);
    set_colour(cr, style.ink);
    cairo_show_text(cr, str.c_str());
    cairo_restore(cr);
}

std::optional<std::string> font_problem() {
    if (!FcInit()) return "fontconfig cannot start";
    for (const char* wanted : {"Liberation Sans", "Liberation Mono"}) {
        FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(wanted));
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        std::string found;
        FcChar8* name = nullptr;
        if (match && FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch)
            found = reinterpret_cast<const char*>(name);
        if (match) FcPatternDestroy(match);
        FcPatternDestroy(pattern);
        if (found != wanted)
            return std::string("font \"") + wanted + "\" is not installed (fontconfig gives \"" + found +
                   "\"); install fonts-liberation2";
    }
    return std::nullopt;
}

void release_font_caches() {
    cairo_debug_reset_static_data();
    FcFini();
}

// ---- dial scales --------------------------------------------------------------------------

// One graduation at an angle (degrees clockwise from 3 o'clock) from the pivot.
static void stroke_mark(cairo_t* cr, Point pivot, double angle_deg, const TickStyle& style) {
    Point outer = polar(pivot, style.outer_radius, angle_deg);
    Point inner = polar(pivot, style.outer_radius - style.length, angle_deg);
    cairo_save(cr);
    set_colour(cr, style.ink);
    cairo_set_line_width(cr, style.width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_move_to(cr, outer.x, outer.y);
    cairo_line_to(cr, inner.x, inner.y);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void tick_at(cairo_t* cr, const DialScale& scale, double value, const TickStyle& style) {
    stroke_mark(cr, scale.pivot, scale.angle_deg(value), style);
}

void ticks(cairo_t* cr, const DialScale& scale, double from, double to, double step,
           const TickStyle& style, double skip_every) {
    if (!(step > 0) || !std::isfinite(from) || !std::isfinite(to) || (to - from) / step > MAX_MARKS)
        throw ArtError(scale.where + ": ticks from " + format_value(from, 3) + " to " + format_value(to, 3) +
                       " by " + format_value(step, 3) + " cannot be drawn");
    const double eps = step * 1e-6;
    long count = long(std::floor((to - from) / step + 1e-6));
    for (long i = 0; i <= count; ++i) {
        double value = from + double(i) * step;
        if (skip_every > 0 && std::fabs(std::remainder(value, skip_every)) < eps) continue;
        tick_at(cr, scale, value, style);
    }
}

void row_marks(cairo_t* cr, const DialScale& scale, double from, double to, const TickStyle& style) {
    const host::NeedleTable& t = scale.table;
    double lo = std::min(from, to), hi = std::max(from, to);
    for (size_t i = 0; i < t.size(); ++i) {
        const host::NeedleRow& r = t.row(i);
        if (r.value < lo || r.value > hi) continue;
        if (i > 0 && t.row(i - 1).x == r.x && t.row(i - 1).y == r.y) continue;
        stroke_mark(cr, scale.pivot, t.row_angle_unwound(i), style);
    }
}

void figure_at(cairo_t* cr, const DialScale& scale, double value, std::string_view label,
               double outer_radius, const TextStyle& style) {
    double a = scale.angle_deg(value) * DEG;
    double half_w = text_width(cr, label, style) / 2, half_h = digit_height(cr, style) / 2;
    double reach = std::fabs(std::cos(a)) * half_w + std::fabs(std::sin(a)) * half_h;
    text(cr, label, scale.at(value, outer_radius - reach), style);
}

void figures(cairo_t* cr, const DialScale& scale, std::initializer_list<double> values,
             double outer_radius, const TextStyle& style, int decimals) {
    for (double v : values) figure_at(cr, scale, v, format_value(v, decimals), outer_radius, style);
}

void arc(cairo_t* cr, const DialScale& scale, double from, double to, double radius, double width, Rgb ink) {
    double a0 = scale.angle_deg(from) * DEG, a1 = scale.angle_deg(to) * DEG;
    cairo_save(cr);
    set_colour(cr, ink);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_new_path(cr);
    if (a1 >= a0)
        cairo_arc(cr, scale.pivot.x, scale.pivot.y, radius, a0, a1);
    else
        cairo_arc_negative(cr, scale.pivot.x, scale.pivot.y, radius, a0, a1);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void dots(cairo_t* cr, const DialScale& scale, std::initializer_list<double> values, double radius,
          double dot_radius, Rgb ink) {
    cairo_save(cr);
    set_colour(cr, ink);
    cairo_new_path(cr);
    for (double v : values) circle(cr, scale.at(v, radius), dot_radius);
    cairo_fill(cr);
    cairo_restore(cr);
}

// ---- faces, bezels, plates ------------------------------------------------------------------

void dial_face(cairo_t* cr, Point centre, double radius, Rgb paint) {
    cairo_save(cr);
    Pattern sheen(cairo_pattern_create_radial(centre.x, centre.y - radius * 0.35, 0, centre.x, centre.y, radius));
    add_stop(sheen.get(), 0.0, scaled(paint, 1.25));
    add_stop(sheen.get(), 0.8, paint);
    add_stop(sheen.get(), 1.0, colour::face_rim);
    cairo_set_source(cr, sheen.get());
    cairo_new_path(cr);
    circle(cr, centre, radius);
    cairo_fill(cr);
    cairo_restore(cr);
}

void flat_face(cairo_t* cr, Rect area, Rgb paint) {
    cairo_save(cr);
    set_colour(cr, paint);
    cairo_rectangle(cr, area.x, area.y, area.w, area.h);
    cairo_fill(cr);
    cairo_restore(cr);
}

void screw_head(cairo_t* cr, Point centre, double radius, double slot_deg) {
    cairo_save(cr);
    Pattern head(cairo_pattern_create_radial(centre.x - radius * 0.3, centre.y - radius * 0.3, 0, centre.x,
                                             centre.y, radius));
    add_stop(head.get(), 0.0, scaled(colour::screw, 1.35));
    add_stop(head.get(), 1.0, scaled(colour::screw, 0.55));
    cairo_set_source(cr, head.get());
    cairo_new_path(cr);
    circle(cr, centre, radius);
    cairo_fill_preserve(cr);
    set_colour(cr, colour::face_rim);
    cairo_set_line_width(cr, std::max(1.0, radius * 0.12));
    cairo_stroke(cr);
    Point a = polar(centre, radius * 0.8, slot_deg), b = polar(centre, radius * 0.8, slot_deg + 180);
    set_colour(cr, rgb8(20, 20, 20));
    cairo_set_line_width(cr, std::max(1.5, radius * 0.28));
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void bezel_ring(cairo_t* cr, Point centre, const BezelStyle& style) {
    cairo_save(cr);
    double ro = style.outer_radius, ri = style.inner_radius;
    Pattern metal(cairo_pattern_create_linear(centre.x - ro, centre.y - ro, centre.x + ro, centre.y + ro));
    add_stop(metal.get(), 0.0, colour::bezel_light);
    add_stop(metal.get(), 0.45, colour::bezel);
    add_stop(metal.get(), 1.0, scaled(colour::bezel, 0.6));
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_new_path(cr);
    circle(cr, centre, ro);
    circle(cr, centre, ri);
    cairo_set_source(cr, metal.get());
    cairo_fill(cr);
    // A dark lip inside the ring and a highlight on its outer edge.
    cairo_set_line_width(cr, 2.0);
    set_colour(cr, scaled(colour::bezel, 0.5));
    cairo_new_path(cr);
    circle(cr, centre, ri + 1.0);
    cairo_stroke(cr);
    set_colour(cr, mix(colour::bezel, colour::bezel_light, 0.6));
    cairo_set_line_width(cr, 1.5);
    cairo_new_path(cr);
    circle(cr, centre, ro - 1.0);
    cairo_stroke(cr);
    cairo_restore(cr);
    double at = style.screw_circle > 0 ? style.screw_circle : (ro + ri) / 2;
    for (int i = 0; i < style.screws; ++i) {
        double a = style.first_screw_deg + 360.0 * i / style.screws;
        screw_head(cr, polar(centre, at, a), style.screw_radius, a + 30);
    }
}

void plate(cairo_t* cr, Rect area, std::string_view label, const TextStyle& style, Rgb paint, bool screws) {
    cairo_save(cr);
    Pattern face(cairo_pattern_create_linear(area.x, area.y, area.x, area.y + area.h));
    add_stop(face.get(), 0.0, scaled(paint, 1.3));
    add_stop(face.get(), 1.0, scaled(paint, 0.8));
    cairo_new_path(cr);
    rounded_rect(cr, area, std::min(area.w, area.h) * 0.15);
    cairo_set_source(cr, face.get());
    cairo_fill_preserve(cr);
    set_colour(cr, mix(paint, colour::bezel_light, 0.5));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_restore(cr);
    double screw_r = std::min(area.h * 0.2, 6.0);
    if (screws) {
        screw_head(cr, {area.x + area.h * 0.45, area.y + area.h / 2}, screw_r, 20);
        screw_head(cr, {area.x + area.w - area.h * 0.45, area.y + area.h / 2}, screw_r, 70);
    }
    if (!label.empty()) text(cr, label, {area.x + area.w / 2, area.y + area.h / 2}, style);
}

// ---- needles ----------------------------------------------------------------------------------

void needle(cairo_t* cr, Point pivot, const NeedleStyle& s) {
    cairo_save(cr);
    cairo_translate(cr, pivot.x, pivot.y);
    // Counterweight: a bar to the left ending in a round weight.
    set_colour(cr, s.paint);
    cairo_new_path(cr);
    cairo_rectangle(cr, -s.tail * 0.7, -s.width * 0.35, s.tail * 0.7, s.width * 0.7);
    circle(cr, {-s.tail + s.tail_width / 2, 0}, s.tail_width / 2);
    cairo_fill(cr);
    // Pointer: tapering from the hub to a sharp tip.
    auto pointer = [&] {
        cairo_new_path(cr);
        cairo_move_to(cr, 0, -s.width / 2);
        cairo_line_to(cr, s.length * 0.86, -s.width * 0.3);
        cairo_line_to(cr, s.length, 0);
        cairo_line_to(cr, s.length * 0.86, s.width * 0.3);
        cairo_line_to(cr, 0, s.width / 2);
        cairo_close_path(cr);
    };
    pointer();
    cairo_fill(cr);
    // Luminous paint on the outer part, inside a thin painted edge.
    cairo_save(cr);
    cairo_rectangle(cr, s.length * s.luminous_from, -s.width, s.length, 2 * s.width);
    cairo_clip(cr);
    cairo_save(cr);
    double inset = std::max(0.0, 1.0 - 2.0 / s.width);
    cairo_translate(cr, s.length * 0.08, 0);
    cairo_scale(cr, 0.9, inset);
    pointer();
    cairo_restore(cr);
    set_colour(cr, s.lume);
    cairo_fill(cr);
    cairo_restore(cr);
    // Hub with a screw-like centre.
    Pattern hub(cairo_pattern_create_radial(-s.hub_radius * 0.3, -s.hub_radius * 0.3, 0, 0, 0, s.hub_radius));
    add_stop(hub.get(), 0.0, scaled(s.hub, 2.2));
    add_stop(hub.get(), 1.0, s.hub);
    cairo_set_source(cr, hub.get());
    cairo_new_path(cr);
    circle(cr, {0, 0}, s.hub_radius);
    cairo_fill(cr);
    set_colour(cr, colour::screw);
    cairo_new_path(cr);
    circle(cr, {0, 0}, s.hub_radius * 0.35);
    cairo_fill(cr);
    cairo_restore(cr);
}

// ---- controls ---------------------------------------------------------------------------------

void knob(cairo_t* cr, Point centre, double radius, int ridges, std::optional<double> pointer_deg, Rgb paint) {
    cairo_save(cr);
    cairo_new_path(cr);
    int n = std::clamp(ridges, 0, 720);
    if (n < 3) {
        circle(cr, centre, radius);
    } else {
        for (int i = 0; i < 2 * n; ++i) {
            Point p = polar(centre, i % 2 == 0 ? radius : radius * 0.92, 180.0 * i / n);
            if (i == 0) cairo_move_to(cr, p.x, p.y);
            else cairo_line_to(cr, p.x, p.y);
        }
        cairo_close_path(cr);
    }
    Pattern side(cairo_pattern_create_linear(centre.x - radius, centre.y - radius, centre.x + radius,
                                             centre.y + radius));
    add_stop(side.get(), 0.0, scaled(paint, 2.4));
    add_stop(side.get(), 1.0, scaled(paint, 0.7));
    cairo_set_source(cr, side.get());
    cairo_fill(cr);
    Pattern top(cairo_pattern_create_radial(centre.x - radius * 0.25, centre.y - radius * 0.25, 0, centre.x,
                                            centre.y, radius * 0.75));
    add_stop(top.get(), 0.0, scaled(paint, 1.9));
    add_stop(top.get(), 1.0, paint);
    cairo_set_source(cr, top.get());
    cairo_new_path(cr);
    circle(cr, centre, radius * 0.75);
    cairo_fill(cr);
    if (pointer_deg) {
        Point a = polar(centre, radius * 0.2, *pointer_deg), b = polar(centre, radius * 0.7, *pointer_deg);
        set_colour(cr, colour::figure);
        cairo_set_line_width(cr, std::max(2.0, radius * 0.14));
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(cr, a.x, a.y);
        cairo_line_to(cr, b.x, b.y);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void toggle_switch(cairo_t* cr, Point centre, double size, bool up) {
    cairo_save(cr);
    // Hexagon nut.
    cairo_new_path(cr);
    for (int i = 0; i < 6; ++i) {
        Point p = polar(centre, size * 0.32, 30 + 60.0 * i);
        if (i == 0) cairo_move_to(cr, p.x, p.y);
        else cairo_line_to(cr, p.x, p.y);
    }
    cairo_close_path(cr);
    Pattern nut(cairo_pattern_create_linear(centre.x, centre.y - size * 0.3, centre.x, centre.y + size * 0.3));
    add_stop(nut.get(), 0.0, scaled(colour::screw, 1.2));
    add_stop(nut.get(), 1.0, scaled(colour::screw, 0.5));
    cairo_set_source(cr, nut.get());
    cairo_fill(cr);
    // Lever: a tapered rod with a ball end.
    double dir = up ? -1.0 : 1.0;
    Point tip{centre.x, centre.y + dir * size * 0.5};
    cairo_new_path(cr);
    cairo_move_to(cr, centre.x - size * 0.09, centre.y);
    cairo_line_to(cr, tip.x - size * 0.05, tip.y);
    cairo_line_to(cr, tip.x + size * 0.05, tip.y);
    cairo_line_to(cr, centre.x + size * 0.09, centre.y);
    cairo_close_path(cr);
    set_colour(cr, rgb8(176, 174, 168));
    cairo_fill(cr);
    Pattern ball(cairo_pattern_create_radial(tip.x - size * 0.04, tip.y - size * 0.04, 0, tip.x, tip.y, size * 0.12));
    add_stop(ball.get(), 0.0, rgb8(235, 233, 228));
    add_stop(ball.get(), 1.0, rgb8(110, 108, 104));
    cairo_set_source(cr, ball.get());
    cairo_new_path(cr);
    circle(cr, tip, size * 0.12);
    cairo_fill(cr);
    cairo_restore(cr);
}

void rotary_switch(cairo_t* cr, Point centre, double radius, double angle_deg) {
    cairo_save(cr);
    set_colour(cr, colour::bezel);
    cairo_new_path(cr);
    circle(cr, centre, radius);
    cairo_fill(cr);
    cairo_translate(cr, centre.x, centre.y);
    cairo_rotate(cr, angle_deg * DEG);
    Pattern bar(cairo_pattern_create_linear(0, -radius * 0.25, 0, radius * 0.25));
    add_stop(bar.get(), 0.0, scaled(colour::knob, 2.6));
    add_stop(bar.get(), 1.0, scaled(colour::knob, 0.8));
    cairo_set_source(cr, bar.get());
    cairo_new_path(cr);
    rounded_rect(cr, {-radius * 0.9, -radius * 0.24, radius * 1.8, radius * 0.48}, radius * 0.2);
    cairo_fill(cr);
    set_colour(cr, colour::figure);
    cairo_set_line_width(cr, std::max(2.0, radius * 0.1));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, radius * 0.25, 0);
    cairo_line_to(cr, radius * 0.8, 0);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void lamp(cairo_t* cr, Point centre, double radius, Rgb glass, bool lit) {
    cairo_save(cr);
    set_colour(cr, colour::bezel);
    cairo_new_path(cr);
    circle(cr, centre, radius);
    cairo_fill(cr);
    set_colour(cr, colour::bezel_light);
    cairo_set_line_width(cr, std::max(1.0, radius * 0.08));
    cairo_new_path(cr);
    circle(cr, centre, radius * 0.9);
    cairo_stroke(cr);
    double r = radius * 0.76;
    Pattern lens(cairo_pattern_create_radial(centre.x - r * 0.2, centre.y - r * 0.2, 0, centre.x, centre.y, r));
    if (lit) {
        add_stop(lens.get(), 0.0, mix(glass, colour::white, 0.8));
        add_stop(lens.get(), 0.5, mix(glass, colour::white, 0.25));
        add_stop(lens.get(), 1.0, glass);
    } else {
        add_stop(lens.get(), 0.0, scaled(glass, 0.5));
        add_stop(lens.get(), 1.0, scaled(glass, 0.22));
    }
    cairo_set_source(cr, lens.get());
    cairo_new_path(cr);
    circle(cr, centre, r);
    cairo_fill(cr);
    // A small reflection on the glass.
    cairo_set_source_rgba(cr, 1, 1, 1, lit ? 0.5 : 0.25);
    cairo_new_path(cr);
    circle(cr, {centre.x - r * 0.35, centre.y - r * 0.35}, r * 0.18);
    cairo_fill(cr);
    cairo_restore(cr);
}

// ---- drums and strips -------------------------------------------------------------------------

void strip(cairo_t* cr, Rect area, std::initializer_list<std::string_view> labels, const StripStyle& style) {
    flat_face(cr, area, style.paper);
    cairo_save(cr);
    cairo_rectangle(cr, area.x, area.y, area.w, area.h);
    cairo_clip(cr);  // labels past the end of the strip are cut at its edge
    int i = 0;
    for (std::string_view label : labels) {
        double along = style.first_centre + i * style.spacing;
        Point c = style.vertical ? Point{area.x + area.w / 2, area.y + along}
                                 : Point{area.x + along, area.y + area.h / 2};
        text(cr, label, c, style.text);
        ++i;
    }
    cairo_restore(cr);
}

void digit_strip(cairo_t* cr, Rect area, const StripStyle& style) {
    strip(cr, area, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0"}, style);
}

void drum_shading(cairo_t* cr, Rect w, bool vertical) {
    cairo_save(cr);
    Pattern shade(vertical ? cairo_pattern_create_linear(0, w.y, 0, w.y + w.h)
                           : cairo_pattern_create_linear(w.x, 0, w.x + w.w, 0));
    cairo_pattern_add_color_stop_rgba(shade.get(), 0.0, 0, 0, 0, 0.7);
    cairo_pattern_add_color_stop_rgba(shade.get(), 0.3, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(shade.get(), 0.7, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(shade.get(), 1.0, 0, 0, 0, 0.7);
    cairo_set_source(cr, shade.get());
    cairo_rectangle(cr, w.x, w.y, w.w, w.h);
    cairo_fill(cr);
    cairo_restore(cr);
}

// ---- windows ----------------------------------------------------------------------------------

void window_rect(cairo_t* cr, Rect area) {
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    set_colour(cr, colour::white);
    cairo_rectangle(cr, area.x, area.y, area.w, area.h);
    cairo_fill(cr);
    cairo_restore(cr);
}

void window_circle(cairo_t* cr, Point centre, double radius) {
    cairo_save(cr);
    set_colour(cr, colour::white);
    cairo_new_path(cr);
    circle(cr, centre, radius);
    cairo_fill(cr);
    cairo_restore(cr);
}

}  // namespace art
