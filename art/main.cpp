// art-gen <directory>: draws every bitmap of the art table and synthesises the
// click sounds into <directory>, under the names the resource scripts use.
// Exits non-zero, naming the gauge and element, when a bitmap cannot be drawn
// from the gauge definitions.
#include <cstdio>
#include <exception>
#include <string>

#include "art/registry.h"
#include "art/sounds.h"
#include "art/toolkit.h"

namespace {

int run(const std::string& dir) {
    if (auto problem = art::font_problem()) {
        std::fprintf(stderr, "art-gen: %s\n", problem->c_str());
        return 1;
    }
    std::vector<art::ArtEntry> rows = art::art_registry();
    if (auto problem = art::registry_problem(rows)) {
        std::fprintf(stderr, "art-gen: art table: %s\n", problem->c_str());
        return 1;
    }
    for (const art::ArtEntry& row : rows) {
        std::string path = dir + "/" + art::bitmap_file_name(row);
        if (!art::write_file(path, art::bitmap_file(row))) {
            std::fprintf(stderr, "art-gen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    std::vector<art::SoundFile> sounds = art::korvane_sounds();
    for (const art::SoundFile& sound : sounds) {
        std::string path = dir + "/" + art::wave_file_name(sound.id);
        if (!art::write_file(path, sound.bytes)) {
            std::fprintf(stderr, "art-gen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    std::printf("art-gen: %zu bitmaps and %zu sounds in %s\n", rows.size(), sounds.size(), dir.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: art-gen <output directory>\n");
        return 2;
    }
    int status = 1;
    try {
        status = run(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "art-gen: %s\n", e.what());
        status = 1;
    }
    art::release_font_caches();
    return status;
}
