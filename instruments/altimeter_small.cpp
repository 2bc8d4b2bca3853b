// Small altimeter: a five-character digital readout of the altitude in a window
// cut into the top of the metric face, in metres or feet after the panel's unit
// flag. Token 74 is the altitude in feet.
#include <math.h>

#include "module/gauge_builders.h"
#include "module/gauges.h"
#include "module/host_values.h"
#include "module/panel_state.h"

// The readout's own conversion of whole feet (not the altimeter's 0.30199).
static constexpr double READOUT_FEET_TO_M = 0.305;
// The largest whole number the five characters hold.
static constexpr double READOUT_LARGEST = 99999.0;

static double FSAPI altimeter_small_text(STRING* element);

namespace {

const FAILURE_RECORD altimeter_small_readout_failures[] = {
    {3, 3, 0},
    {7, 3, 0},
    {0, 0, 0},
};

// ---- element chain, back to front ------------------------------------------------
extern STATIC_IMAGE altimeter_small_face;
extern STRING altimeter_small_readout;
extern STATIC_IMAGE altimeter_small_bezel;

ELEMENT_HEADER* altimeter_small_after_1[] = {&altimeter_small_readout.header, nullptr};
ELEMENT_HEADER* altimeter_small_after_2[] = {&altimeter_small_bezel.header, nullptr};

constinit STATIC_IMAGE altimeter_small_face = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 2440, {0, 0}, {0, 0}, &altimeter_small_gauge,
                             altimeter_small_after_1, nullptr, 0x4003),
};
constinit STRING altimeter_small_readout = {
    .header = element_header(ELEMENT_STRING, -1, {105, 46}, {0, 0}, &altimeter_small_gauge,
                             altimeter_small_after_2, altimeter_small_readout_failures, 0x4003),
    .source = {token_source(74), token_source(0), token_source(0)},
    .img_size = {100, 27},
    .fg_color = 0x96CEEA, .bg_color = 0x000000, .hilite_color = 0xFFFFFF,
    .font_name = "Arial", .font_weight = 700, .font_charset = 1, .draw_text_flags = 0x25,
    .max_string_length = 5,
    .update_cb = altimeter_small_text,
};
constinit STATIC_IMAGE altimeter_small_bezel = {
    .header = element_header(ELEMENT_STATIC_IMAGE, 2450, {0, 0}, {0, 0}, &altimeter_small_gauge,
                             nullptr, nullptr, 0x3),
};

ELEMENT_HEADER* altimeter_small_elements[] = {&altimeter_small_face.header, nullptr};

// ---- mouse rectangles: one tooltip, no clicks ----------------------------------------
MOUSERECT altimeter_small_mouse[] = {
    mouse_parent({0, 0, 0, 0}),
    mouse_tooltip_id(0x3051),
    mouse_end(),
    mouse_list_end(),
};

}  // namespace

// ---- callbacks -------------------------------------------------------------------------

// Prints the reading to the nearest whole unit (halves to even, as printf rounds),
// right-aligned in five characters with leading blanks. The width follows the
// rounded number, so 9.6 prints "   10" and never a sixth character that the
// five-character buffer would cut off; readings beyond five digits stay at 99999.
// Below zero, and for a reading that is not a number, the readout keeps its
// previous text.
static void altimeter_small_write(STRING* element, double reading) {
    if (!(reading >= 0.0) || element->string == nullptr) return;
    double whole = nearbyint(reading);
    if (whole == 0.0) whole = 0.0;  // a reading of -0 prints as 0, not "-0"
    if (whole > READOUT_LARGEST) whole = READOUT_LARGEST;
    host_write_text(element->string, size_t{element->max_string_length} + 1, "%5.0f", whole);
}

static double FSAPI altimeter_small_text(STRING* element) {
    double feet = element->source[0].var_value.n;
    double reading = british_units != 0 ? feet : trunc(feet) * READOUT_FEET_TO_M;
    altimeter_small_write(element, reading);
    return reading;
}

constinit GAUGEHDR altimeter_small_gauge =
    gauge_header("Altimeter_Small", 100, altimeter_small_elements, altimeter_small_mouse, nullptr);
