// The gauge art files: one line per file art/<name>_art.cpp, which defines
// its rows with ART_GAUGE(<name>) (art/registry.h). Keep one X(...) per line.
#pragma once

#define ART_FILES(X) \
    X(airspeed)      \
    X(magneto)       \
    X(directional_gyro) \
    X(adf_indicator) \
    X(landing_indicator) \
    X(altimeter) \
    X(altimeter_small) \
    X(artificial_horizon) \
    X(turn_coordinator) \
    X(vertical_speed) \
    X(metric_switch) \
    /* end of list */
