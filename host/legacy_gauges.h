// Version-700 gauges in the stand-in host. Such a gauge carries seven header
// routines of its own; the host calls them where it drives the services of a
// version-800 gauge, and the routines hand the gauge's element list back to
// the host's element-list operations (host table +0x60 to +0x7C), which
// install the bitmaps, refresh the sources and call the value callbacks, draw
// and release — on the element list they are handed, for the instance the host
// is calling into.
#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <vector>

#include "module/gauge_model.h"

namespace host {

class GaugeInstance;

// What the element-list operations have done for one version-700 instance.
struct LegacyGaugeState {
    uintptr_t resource_handle = 0;  // as handed to element_list_install
    bool queried = false;
    bool installed = false;
    bool initialized = false;
    bool killed = false;
    std::vector<int32_t> bitmaps;  // bitmap ids installed, in chain order
    uint64_t updates = 0;
    uint64_t generates = 0;
    uint32_t last_phase = 0;
    uint64_t plots = 0;
    std::vector<int32_t> drawn;    // bitmap ids drawn at the last plot, back to front
    std::set<const ELEMENT_HEADER*> reported;  // elements already reported for a bad image
};

// Sets the element-list entries of the host table and forgets the state of
// every earlier instance (a new host starts).
void legacy_fill_table(PANELS& table);

// The header routines at the host's service points, each with the instance as
// the one the host is calling into: install runs query, install (with the
// module's resource handle) and initialise; update runs update, generate
// (phase 0) and draw; kill runs kill.
void legacy_install(GaugeInstance& gauge);
void legacy_update(GaugeInstance& gauge);
void legacy_kill(GaugeInstance& gauge);

// The state of an instance that the element-list operations served, or null.
const LegacyGaugeState* legacy_state(const GaugeInstance& gauge);
// Bitmaps installed and not yet released, over every instance.
size_t legacy_bitmaps_in_use();

}  // namespace host
