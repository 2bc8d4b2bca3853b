// The table of every bitmap the art generator draws: one row per bitmap, each
// gauge's rows in its own art/<gauge>_art.cpp, the files listed in art/art_list.h.
#pragma once

#include <cairo.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "art/bitmap.h"

namespace art {

enum class Depth { Indexed8, Rgb24 };

// Draws one bitmap onto a transparent canvas of the row's size.
using DrawFunction = void (*)(cairo_t* cr);

struct ArtEntry {
    const char* module;  // "Korvane" or "Sollwick"
    int id;              // bitmap resource id
    int width, height;   // pixels
    DrawFunction draw;
    Depth depth = Depth::Indexed8;
};

using ArtRows = std::span<const ArtEntry>;

// Defines the rows of one art file under the name that art/art_list.h lists:
//     ART_GAUGE(airspeed){rows};
#define ART_GAUGE(name)                     \
    extern const art::ArtRows name##_art;   \
    constinit const art::ArtRows name##_art

// Every row of every art file, in list order.
std::vector<ArtEntry> art_registry();
// What is wrong with the table (a module other than Korvane or Sollwick, a
// size out of range, no draw function, an id drawn twice), or nothing.
std::optional<std::string> registry_problem(const std::vector<ArtEntry>& rows);

// "korvane_300.bmp", "sollwick_4096.bmp": the name the resource scripts use.
std::string bitmap_file_name(const ArtEntry& row);
// The row drawn, as straight RGBA before the bitmap pipeline.
Image draw_entry(const ArtEntry& row);
// The row drawn and made into its BMP file (8-bit palette or 24-bit).
std::vector<uint8_t> bitmap_file(const ArtEntry& row);

}  // namespace art
