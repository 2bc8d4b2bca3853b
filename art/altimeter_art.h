// What the two altimeters' faces share: the metric dial's geometry and the
// recess drawn around a window cut into a face.
#pragma once

#include "art/toolkit.h"

namespace art::altimeter {

inline constexpr double FACE_RADIUS = 140;
inline constexpr double TICK_OUTER = 133;  // every mark starts here and runs inwards
inline constexpr double MINOR_LENGTH = 7, MAJOR_LENGTH = 14;

// A recess around a window cut into a face: a dark edge `edge` wide with a
// lighter lower lip, and the window itself in drum paint.
inline void window_recess(cairo_t* cr, Rect w, double edge) {
    cairo_save(cr);
    set_colour(cr, colour::face_rim);
    cairo_rectangle(cr, w.x - edge, w.y - edge, w.w + 2 * edge, w.h + 2 * edge);
    cairo_fill(cr);
    set_colour(cr, colour::bezel_light);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, w.x - edge, w.y + w.h + edge - 0.5);
    cairo_line_to(cr, w.x + w.w + edge, w.y + w.h + edge - 0.5);
    cairo_stroke(cr);
    set_colour(cr, colour::drum);
    cairo_rectangle(cr, w.x, w.y, w.w, w.h);
    cairo_fill(cr);
    cairo_restore(cr);
}

}  // namespace art::altimeter
