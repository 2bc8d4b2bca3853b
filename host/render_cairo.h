// Owning handles for Cairo objects: each destroys its object when it goes.
#pragma once

#include <cairo.h>

#include <memory>

namespace host {

struct CairoSurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct CairoContextDeleter {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
struct CairoPatternDeleter {
    void operator()(cairo_pattern_t* p) const { cairo_pattern_destroy(p); }
};
struct CairoFontOptionsDeleter {
    void operator()(cairo_font_options_t* o) const { cairo_font_options_destroy(o); }
};

using Surface = std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, CairoContextDeleter>;
using Pattern = std::unique_ptr<cairo_pattern_t, CairoPatternDeleter>;
using FontOptions = std::unique_ptr<cairo_font_options_t, CairoFontOptionsDeleter>;

inline Surface make_surface(cairo_format_t format, int width, int height) {
    return Surface(cairo_image_surface_create(format, width, height));
}
inline Context make_context(cairo_surface_t* target) { return Context(cairo_create(target)); }

// Keeps the context's state (matrix, source, clip, operator) for one scope.
class CairoSaved {
public:
    explicit CairoSaved(cairo_t* cr) : cr_(cr) { cairo_save(cr_); }
    ~CairoSaved() { cairo_restore(cr_); }
    CairoSaved(const CairoSaved&) = delete;
    CairoSaved& operator=(const CairoSaved&) = delete;

private:
    cairo_t* cr_;
};

}  // namespace host
