// The aircraft model of the stand-in host: performs the key events the gauges
// send (or the host sends for a clicked area) on the simulation variables.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/variables.h"

namespace host {

struct KeyEvent {
    uint32_t id = 0;
    uint32_t value = 0;
};

// One row per key event the model performs.
struct KeyEventRule {
    uint32_t id;
    const char* name;
    void (*apply)(Variables& vars, uint32_t value);
};

// The rule for an event id, or null when the model does not know it.
const KeyEventRule* find_key_event_rule(uint32_t id);

class AircraftModel {
public:
    explicit AircraftModel(Variables& vars) : vars_(vars) {}

    // Performs the event (when known) and logs it. Returns false for unknown events.
    bool trigger(uint32_t id, uint32_t value);
    // Moves the simulation on by one frame: the running time (token 604).
    void advance(double seconds);

    const std::vector<KeyEvent>& log() const { return log_; }
    void clear_log() { log_.clear(); }

private:
    Variables& vars_;
    std::vector<KeyEvent> log_;
};

}  // namespace host
