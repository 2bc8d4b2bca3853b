// Command-line options of panel-host.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "host/variables.h"

namespace host {

class CliError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CliOptions {
    std::string panel;
    std::vector<std::string> module_dirs;
    std::vector<Assignment> assignments;
    int frames = 1;
    std::string gauge;
    std::optional<std::pair<int, int>> at;
    bool right = false;
    bool night = false;
    std::optional<int> window;
    std::string output;
    std::vector<std::string> positional;
};

// Throws CliError with a clear message for unknown or malformed options.
CliOptions parse_cli_options(int argc, char** argv);

}  // namespace host
