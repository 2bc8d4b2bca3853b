// Reading an aircraft panel configuration (panel.cfg): [WindowNN] sections with
// their size, position, background and gauge lines
// `gaugeNN=Module!Gauge, x, y, w[, h][, parameter text]`.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace host {

struct GaugeLine {
    std::string module;
    std::string gauge;
    int x = 0, y = 0;
    int width = 0;   // 0: the gauge's default width
    int height = 0;  // 0: from the gauge's background bitmap
    std::string parameters;
    bool has_parameters = false;
    int line = 0;  // line number in the file, for messages
};

struct PanelWindow {
    int number = 0;  // NN of [WindowNN]
    std::string title;
    int ident = -1;  // the window identifier panel_window_toggle uses, or -1
    int size_x = 0, size_y = 0;
    int position_x = 0, position_y = 0;
    bool visible = true;
    std::optional<unsigned> background_color;  // 0xRRGGBB
    std::string background_file;
    std::vector<GaugeLine> gauges;
    int line = 0;
};

struct PanelConfig {
    std::string path;
    std::vector<PanelWindow> windows;
};

class PanelConfigError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws PanelConfigError with "file:line: message" on malformed input.
PanelConfig parse_panel_config(const std::string& text, const std::string& path);
PanelConfig read_panel_config(const std::string& path);

}  // namespace host
