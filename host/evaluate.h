// What each element shows, worked out from its values: one short pure function
// per element kind. Drawing consumes these results and nothing else.
#pragma once

#include <cstdint>
#include <string>

#include "host/needle_table.h"
#include "module/gauge_model.h"

namespace host {

// An element's state after one update of its gauge instance.
struct ElementState {
    const ELEMENT_HEADER* element = nullptr;
    uint32_t kind = 0;
    int32_t image_id = 0;
    uint32_t flags = 0;   // draw flags as the callbacks left them
    bool hidden = false;  // the hidden bit

    // Values as the callbacks returned them (or the sources, without callbacks).
    double value = 0;    // needle, string, icon; x of slider, moving image, sprite
    double value_y = 0;  // y of slider, moving image, sprite
    double value_rotation = 0;  // sprite

    double angle_deg = 0;     // needle: clockwise from the bitmap's own direction
    int icon_index = -1;      // icon: image index, -1 draws nothing
    double shift_x = 0, shift_y = 0;  // slider, sprite: pixels from the position
    double sprite_rotation_deg = 0;   // sprite: anticlockwise for positive
    double fraction_x = 0, fraction_y = 0;  // moving image: 0 at the minimum, 1 at the maximum
    std::string text;         // string
};

// Needle: the angle from its table, or its value in degrees without one.
double needle_angle_deg(const NeedleTable& table, double value);

// Icon: the image index a value selects; -1 (no image) for negative values.
int icon_index_for(double value);

// Slider and sprite: value × scale pixels, finite and kept within a sane range.
double scaled_shift(double value, double scale);

// Sprite: rotation × scale degrees, anticlockwise for positive products, in (-360, 360).
double sprite_rotation_deg(double value, double scale);

// Moving image: where the value lies between minimum and maximum, 0..1 (reversed
// when the minimum is greater); clamped at both ends.
double moving_fraction(double value, double minimum, double maximum);

}  // namespace host
