// Puts a panel into metric or British units the way a pilot does: by clicking the
// Metric_Switch gauge, whose lever image tells the module's current unit flag.
#pragma once

#include <gtest/gtest.h>

#include "host/host.h"

namespace units_helper {

constexpr size_t kLeverElement = 1;  // icon: image 0 points to MT, image 1 to BR

inline host::GaugeInstance* add_metric_switch(host::Host& host) {
    std::string error;
    host::GaugeInstance* g = host.add_gauge("Korvane", "Metric_Switch", host::GaugeLine{}, 0, &error);
    EXPECT_NE(g, nullptr) << error;
    return g;
}

inline bool shows_british(host::Host& host, host::GaugeInstance& metric_switch) {
    host.update(metric_switch);
    return metric_switch.elements[kLeverElement].icon_index == 1;
}

// Clicks the switch when it stands in the other position; the instruments follow
// at their next update.
inline void set_british(host::Host& host, host::GaugeInstance& metric_switch, bool british) {
    if (shows_british(host, metric_switch) != british)
        host.click(metric_switch, 48, 22, MOUSE_LEFTSINGLE);
    ASSERT_EQ(shows_british(host, metric_switch), british);
}

}  // namespace units_helper
