// art-gallery OUT.png COLUMNS PICTURE.png=LABEL ...: lays PNG pictures out on a
// grid, each scaled to fit its cell and labelled below, on a panel-coloured
// background (used by `make gallery` for the pictures of every gauge).
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "art/toolkit.h"

namespace {

constexpr int CELL = 240;         // square room for a picture
constexpr int LABEL_HEIGHT = 28;  // below it
constexpr int MARGIN = 12;

struct Entry {
    std::string path, label;
};

int run(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: art-gallery OUT.png COLUMNS PICTURE.png=LABEL ...\n");
        return 2;
    }
    int columns = std::atoi(argv[2]);
    if (columns < 1 || columns > 64) {
        std::fprintf(stderr, "art-gallery: COLUMNS must be 1 to 64\n");
        return 2;
    }
    std::vector<Entry> entries;
    for (int i = 3; i < argc; ++i) {
        std::string a = argv[i];
        size_t eq = a.find('=');
        entries.push_back(eq == std::string::npos ? Entry{a, a} : Entry{a.substr(0, eq), a.substr(eq + 1)});
    }
    int rows = int((entries.size() + size_t(columns) - 1) / size_t(columns));
    int width = MARGIN + columns * (CELL + MARGIN);
    int height = MARGIN + rows * (CELL + LABEL_HEIGHT + MARGIN);
    art::Canvas sheet(width, height);
    cairo_t* cr = sheet.cr();
    art::set_colour(cr, art::rgb8(74, 84, 70));  // panel paint
    cairo_paint(cr);
    int status = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        double x = MARGIN + double(i % size_t(columns)) * (CELL + MARGIN);
        double y = MARGIN + double(i / size_t(columns)) * (CELL + LABEL_HEIGHT + MARGIN);
        cairo_surface_t* picture = cairo_image_surface_create_from_png(entries[i].path.c_str());
        if (cairo_surface_status(picture) == CAIRO_STATUS_SUCCESS) {
            double w = cairo_image_surface_get_width(picture), h = cairo_image_surface_get_height(picture);
            double k = std::min({CELL / w, CELL / h, 1.0});
            cairo_save(cr);
            cairo_translate(cr, x + (CELL - w * k) / 2, y + (CELL - h * k) / 2);
            cairo_scale(cr, k, k);
            cairo_set_source_surface(cr, picture, 0, 0);
            cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
            cairo_paint(cr);
            cairo_restore(cr);
        } else {
            std::fprintf(stderr, "art-gallery: cannot read %s\n", entries[i].path.c_str());
            status = 1;
        }
        cairo_surface_destroy(picture);
        art::text(cr, entries[i].label, {x + CELL / 2.0, y + CELL + LABEL_HEIGHT / 2.0},
                  {15, art::Font::Sans, art::rgb8(236, 232, 216)});
    }
    if (cairo_surface_write_to_png(cairo_get_target(cr), argv[1]) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "art-gallery: cannot write %s\n", argv[1]);
        return 1;
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    int status = run(argc, argv);
    art::release_font_caches();
    return status;
}
