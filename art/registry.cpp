#include "art/registry.h"

#include <cctype>
#include <set>
#include <utility>

#include "art/art_list.h"
#include "art/toolkit.h"

#define ART_DECLARE(name) extern const art::ArtRows name##_art;
ART_FILES(ART_DECLARE)
#undef ART_DECLARE

namespace art {

namespace {

// Larger than any gauge bitmap; a bigger row is a typing mistake.
constexpr int MAX_SIDE = 4096;

#define ART_ROWS(name) &name##_art,
const ArtRows* const art_files[] = {ART_FILES(ART_ROWS)};
#undef ART_ROWS

std::string lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

std::vector<ArtEntry> art_registry() {
    std::vector<ArtEntry> rows;
    for (const ArtRows* file : art_files) rows.insert(rows.end(), file->begin(), file->end());
    return rows;
}

std::optional<std::string> registry_problem(const std::vector<ArtEntry>& rows) {
    std::set<std::pair<std::string, int>> seen;
    for (const ArtEntry& r : rows) {
        std::string module = r.module != nullptr ? r.module : "";
        std::string name = module + " bitmap " + std::to_string(r.id);
        if (module != "Korvane" && module != "Sollwick") return name + ": unknown module";
        if (r.id < 1 || r.id > 0xFFFF) return name + ": id out of range";
        if (r.width < 1 || r.height < 1 || r.width > MAX_SIDE || r.height > MAX_SIDE)
            return name + ": size out of range";
        if (r.draw == nullptr) return name + ": no draw function";
        if (!seen.insert({module, r.id}).second) return name + ": drawn twice";
    }
    return std::nullopt;
}

std::string bitmap_file_name(const ArtEntry& row) {
    return lower(row.module) + "_" + std::to_string(row.id) + ".bmp";
}

Image draw_entry(const ArtEntry& row) {
    Canvas canvas(row.width, row.height);
    row.draw(canvas.cr());
    if (cairo_status(canvas.cr()) != CAIRO_STATUS_SUCCESS)
        throw ArtError(std::string(row.module) + " bitmap " + std::to_string(row.id) + ": drawing failed: " +
                       cairo_status_to_string(cairo_status(canvas.cr())));
    return canvas.image();
}

std::vector<uint8_t> bitmap_file(const ArtEntry& row) {
    Image paint = to_paint(draw_entry(row));
    return row.depth == Depth::Rgb24 ? encode_bmp24(paint) : encode_bmp8(quantize(paint));
}

}  // namespace art
