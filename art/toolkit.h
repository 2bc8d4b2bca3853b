// Drawing toolkit for the gauge bitmaps: period German instruments, matt black
// faces, off-white figures and graduations, luminous paint, dark bezels with
// screw heads. Everything draws with Cairo onto a Canvas whose pixels start
// transparent; see art/bitmap.h for how a canvas becomes a bitmap.
//
// HOW TO ADD THE ART OF ONE GAUGE
//   1. Write art/<gauge>_art.cpp with one draw function per bitmap and a table
//      of rows, one per bitmap (module, id, width, height, function):
//
//          #include "art/registry.h"
//          #include "art/toolkit.h"
//          namespace {
//          void draw_face(cairo_t* cr) {
//              const art::DialScale scale = art::needle_scale("Tachometer", 2);
//              art::dial_face(cr, scale.pivot, 140);
//              art::ticks(cr, scale, 500, 3000, 100, {128, 10, 2});
//              ...
//          }
//          constexpr art::ArtEntry rows[] = {
//              {"Korvane", 1200, 300, 330, draw_face},
//          };
//          }  // namespace
//          ART_GAUGE(tachometer){rows};
//
//   2. Add `X(tachometer)` to the list in art/art_list.h.
//   3. Add `1200 BITMAP "korvane_1200.bmp"` to resources/korvane.rc (Sollwick:
//      resources/sollwick.rc, files "sollwick_<id>.bmp").
//   The build runs art-gen, which writes every row as <module>_<id>.bmp into the
//   module directory: 8-bit palette, or 24-bit for rows whose depth is Rgb24.
//
// CONVENTIONS
//   - Pixels: gauge pixels of the bitmap, (0, 0) top left, y down.
//   - Angles: degrees clockwise on the screen from 3 o'clock, the needle
//     table's and Cairo's convention (straight down is 90, straight up 270).
//   - Colours: Rgb with channels 0..1; `rgb8(r, g, b)` from 0..255.
//   - Transparency: whatever is not painted stays transparent and becomes pure
//     black, which the host does not draw. Never paint black to mean "dark":
//     use colour::face or dark colours of at least (8, 8, 8); the pipeline
//     lifts any darker paint to 8 per channel anyway. Pixels less than half
//     covered count as unpainted, so edges against the panel are hard.
//   - Windows (the id+1 bitmaps of sprites and moving images) are masks: paint
//     white with window_rect / window_circle where the image shows through and
//     leave the rest unpainted (black).
//   - Fonts: Liberation Sans and Liberation Mono through fontconfig; art-gen
//     refuses to run when fontconfig resolves them to another family.
//   - Errors in the gauge definitions the art is drawn from (no such gauge or
//     element, a needle table marks cannot be placed from) throw ArtError,
//     whose text names the gauge and the element; art-gen then fails the build.
//
// DIALS ARE DRAWN FROM THE GAUGE'S OWN NEEDLE TABLES
//   needle_scale(gauge, element) reads the needle element (numbered from 1,
//   back to front, as in the gauge's element table) out of the module's own
//   definitions. Marks go where the needle points for their value:
//   - row_marks: one mark on each table row's point direction, exactly;
//   - ticks / tick_at: marks at values, at the needle's angle for each value;
//   - figures / figure_at: upright text in a value's direction, its box
//     touching a given radius on the side towards the marks;
//   - arc / dots: coloured bands and luminous dots along the scale.
//   So a face always agrees with its needle, and a changed table moves the marks.
#pragma once

#include <cairo.h>

#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "art/bitmap.h"
#include "host/needle_table.h"

namespace art {

// ---- errors ------------------------------------------------------------------------

struct ArtError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// ---- geometry and colours --------------------------------------------------------------

struct Point {
    double x = 0, y = 0;
};

struct Rect {
    double x = 0, y = 0, w = 0, h = 0;
};

struct Rgb {
    double r = 0, g = 0, b = 0;
};

constexpr Rgb rgb8(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

namespace colour {
inline constexpr Rgb face = rgb8(24, 24, 23);          // matt black dial, never pure black
inline constexpr Rgb face_rim = rgb8(15, 15, 15);      // dial edge, darkest paint in use
inline constexpr Rgb figure = rgb8(236, 232, 216);     // off-white figures and graduations
inline constexpr Rgb luminous = rgb8(200, 218, 150);   // pale green luminous paint
inline constexpr Rgb bezel = rgb8(40, 40, 42);         // dark bezel metal
inline constexpr Rgb bezel_light = rgb8(92, 92, 94);   // bezel highlight
inline constexpr Rgb screw = rgb8(128, 126, 120);      // screw heads
inline constexpr Rgb knob = rgb8(34, 33, 32);          // bakelite knobs and levers
inline constexpr Rgb plate = rgb8(30, 30, 30);         // label plates
inline constexpr Rgb drum = rgb8(22, 22, 22);          // digit drums and strips
inline constexpr Rgb red = rgb8(190, 38, 30);
inline constexpr Rgb amber = rgb8(230, 150, 30);
inline constexpr Rgb green = rgb8(60, 170, 70);
inline constexpr Rgb yellow = rgb8(222, 196, 52);
inline constexpr Rgb blue = rgb8(50, 90, 180);
inline constexpr Rgb white = rgb8(255, 255, 255);      // window masks
}  // namespace colour

void set_colour(cairo_t* cr, Rgb c);
// The point at `radius` from `centre` in direction `angle_deg`.
Point polar(Point centre, double radius, double angle_deg);

// ---- canvas ------------------------------------------------------------------------------

// An ARGB drawing surface of the bitmap's size, transparent to start with.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // The pixels as straight RGBA (alpha 0 where nothing was painted).
    Image image() const;

private:
    int width_, height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

// ---- text ----------------------------------------------------------------------------------

enum class Font { Sans, SansBold, Mono, MonoBold };

struct TextStyle {
    double size_px = 24;  // em size in pixels
    Font font = Font::SansBold;
    Rgb ink = colour::figure;
};

// Draws `text` centred on `centre` (horizontally by its advance, vertically by
// the height of the digits, so figures of one style share a baseline), turned
// by `angle_deg` about the centre.
void text(cairo_t* cr, std::string_view text, Point centre, const TextStyle& style,
          double angle_deg = 0);
// Width in pixels of `text` in `style`.
double text_width(cairo_t* cr, std::string_view text, const TextStyle& style);
// Height in pixels of the digits in `style` (the box `text` centres).
double digit_height(cairo_t* cr, const TextStyle& style);
// Why the fonts cannot be used (fontconfig resolves a family to another one), or nothing.
std::optional<std::string> font_problem();
// Releases Cairo's and fontconfig's caches; call once before the program ends.
void release_font_caches();

// ---- gauge definitions -------------------------------------------------------------------

// The Korvane gauge of that name, from the module's Linkage; throws ArtError.
const GAUGEHDR& korvane_gauge(std::string_view name);
// Element `number` of the gauge's chain, counted from 1 at the back; throws ArtError.
const ELEMENT_HEADER& gauge_element(const GAUGEHDR& gauge, int number);

// A needle element's scale: the needle table made ready for placing marks,
// the pivot on the gauge, and where it came from (for messages).
struct DialScale {
    host::NeedleTable table;
    Point pivot;
    std::string where;  // "Airspeed, element 3 (needle, bitmap 310)"

    // Where the needle points for `value` (unwound: may exceed 360).
    double angle_deg(double value) const { return table.angle_unwound(value); }
    Point at(double value, double radius) const { return polar(pivot, radius, angle_deg(value)); }
};

// The scale of needle element `element_number` of gauge `gauge_name`; throws
// ArtError naming both when there is no such needle or when its table cannot
// place marks (host::NeedleTable::placement_problem).
DialScale needle_scale(std::string_view gauge_name, int element_number);
// The same for a needle record at hand (tests, other modules); `where` names it.
DialScale needle_scale(const NEEDLE& needle, std::string where);

// ---- dial scales ---------------------------------------------------------------------------

// A radial mark from `outer_radius` inwards, `length` long, `width` wide.
struct TickStyle {
    double outer_radius = 128;
    double length = 10;
    double width = 2;
    Rgb ink = colour::figure;
};

// A mark at the needle's direction for `value`.
void tick_at(cairo_t* cr, const DialScale& scale, double value, const TickStyle& style);
// Marks at from, from + step, ... up to `to` (inclusive); values that
// `skip_every` divides (a multiple of it, when non-zero) are left out, so
// that a finer series can skip the places of a coarser one.
void ticks(cairo_t* cr, const DialScale& scale, double from, double to, double step,
           const TickStyle& style, double skip_every = 0);
// One mark on the point direction of every table row whose value lies in
// [from, to]; a row at the same point as the one before it (a stop) is drawn once.
void row_marks(cairo_t* cr, const DialScale& scale, double from, double to, const TickStyle& style);
// Upright text in the direction of `value`, placed so that the side of its box
// nearest the graduation touches `outer_radius`: figures of any width keep the
// same gap to the marks all round the dial.
void figure_at(cairo_t* cr, const DialScale& scale, double value, std::string_view label,
               double outer_radius, const TextStyle& style);
// Figures for each value, printed with `decimals` decimals.
void figures(cairo_t* cr, const DialScale& scale, std::initializer_list<double> values,
             double outer_radius, const TextStyle& style, int decimals = 0);
// A band between the directions of two values, `width` wide, centred on `radius`.
void arc(cairo_t* cr, const DialScale& scale, double from, double to, double radius, double width,
         Rgb ink);
// Round dots of luminous paint at the directions of `values`.
void dots(cairo_t* cr, const DialScale& scale, std::initializer_list<double> values, double radius,
          double dot_radius, Rgb ink = colour::luminous);

// ---- faces, bezels, plates ---------------------------------------------------------------

// A matt black round dial with a faint sheen and a darker rim.
void dial_face(cairo_t* cr, Point centre, double radius, Rgb paint = colour::face);
// A rectangular face (panels, radio fronts).
void flat_face(cairo_t* cr, Rect area, Rgb paint = colour::face);

struct BezelStyle {
    double outer_radius = 148;
    double inner_radius = 137;  // the window: left unpainted inside
    int screws = 4;             // screw heads, evenly around the centre; none when 0
    double first_screw_deg = 45;
    double screw_radius = 9;
    double screw_circle = 0;    // distance of the screws from the centre; 0: on the ring
};
// A dark turned ring with its window left transparent.
void bezel_ring(cairo_t* cr, Point centre, const BezelStyle& style);
// A slotted screw head.
void screw_head(cairo_t* cr, Point centre, double radius, double slot_deg = 30);
// A plate with a centred engraved label (empty label: plain plate) and, when
// `screws`, a screw head at each end.
void plate(cairo_t* cr, Rect area, std::string_view label, const TextStyle& style,
           Rgb paint = colour::plate, bool screws = true);

// ---- needles --------------------------------------------------------------------------------

// A pointer from `pivot` to the right (3 o'clock): `length` to the tip, a
// counterweight `tail` long to the left, luminous paint on the outer part.
struct NeedleStyle {
    double length = 110;
    double width = 7;          // at the hub
    double tail = 34;
    double tail_width = 12;
    double hub_radius = 9;
    double luminous_from = 0.45;  // fraction of the length where the luminous paint starts
    Rgb paint = colour::figure;
    Rgb lume = colour::luminous;
    Rgb hub = colour::knob;
};
void needle(cairo_t* cr, Point pivot, const NeedleStyle& style);

// ---- controls -------------------------------------------------------------------------------

// A round knob with `ridges` grip ridges and, when given, a white index line
// pointing to `pointer_deg`.
void knob(cairo_t* cr, Point centre, double radius, int ridges,
          std::optional<double> pointer_deg = std::nullopt, Rgb paint = colour::knob);
// A toggle switch on a hexagon nut: the lever stands up (true) or down.
void toggle_switch(cairo_t* cr, Point centre, double size, bool up);
// A rotary selector: a bar knob on a round base, its pointer end at `angle_deg`.
void rotary_switch(cairo_t* cr, Point centre, double radius, double angle_deg);
// A lamp behind a coloured glass in a dark ring; lit or dark.
void lamp(cairo_t* cr, Point centre, double radius, Rgb glass, bool lit);

// ---- drums and strips -------------------------------------------------------------------

// A strip of labels (digits, frequencies) along an axis: label i is centred at
// first_centre + i * spacing on that axis (y for vertical strips, x for
// horizontal) and in the middle of `area` across it. The paper fills `area`
// and nothing is drawn outside it.
struct StripStyle {
    double spacing = 30;
    double first_centre = 15;
    bool vertical = true;
    TextStyle text{22, Font::SansBold, colour::figure};
    Rgb paper = colour::drum;
};
void strip(cairo_t* cr, Rect area, std::initializer_list<std::string_view> labels,
           const StripStyle& style);
// The digits 0..9 then 0 again (for drums that roll over), with `style`.
void digit_strip(cairo_t* cr, Rect area, const StripStyle& style);
// Darkens the ends of a drum seen through a window, for the look of a cylinder.
void drum_shading(cairo_t* cr, Rect window, bool vertical = true);

// ---- windows (masks of sprites and moving images) ----------------------------------------

void window_rect(cairo_t* cr, Rect area);
void window_circle(cairo_t* cr, Point centre, double radius);

}  // namespace art
